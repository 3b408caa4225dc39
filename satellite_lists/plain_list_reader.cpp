// The plain list, written by hand or exported from a spreadsheet, in one of
// two forms decided by its first line:
//   position name   "19.2E Astra 1KR/1L/1M/1N", as satellite lists print it
//   name,position   RFC 4180 CSV, "Astra 1KR,19.2E"; a first record whose
//                   position field holds no digit is a header ("name,position")
//   name;position   the same as a spreadsheet saves it where the decimal mark
//                   is a comma: "SatMex 5 (116.8W);116,8W"
// A position is a decimal number of degrees and its hemisphere letter, E or W
// in either case, with an optional degree sign and blanks before the letter:
// "19.2E", "19.2°E", "0.8w", "101 W". A bare number is refused: lists
// disagree on which way is positive.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "calc_error.h"
#include "csv_records.h"
#include "hemisphere.h"
#include "list_readers.h"
#include "numeric_text.h"

namespace vantorel {
namespace {

constexpr double kHalfTurn = 180;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a line is in the "position name" form: it starts with a position,
// or with a bare number before a blank, which is then refused as such.
bool startsWithPosition(std::string_view line) {
  const ListPosition p = readPosition(line);
  if (p.fault == ListPosition::Fault::NoLetter) {
    return p.written.size() == line.size() || isBlank(line[p.written.size()]);
  }
  return p.fault != ListPosition::Fault::NotAPosition;
}

// The separator of a list whose first line is firstLine, if it is CSV: a
// semicolon where the line has one, as European spreadsheets write it, else
// a comma; 0 for a list that is not CSV.
char csvSeparator(std::string_view firstLine) {
  if (startsWithPosition(firstLine)) return 0;
  if (firstLine.find(';') != std::string_view::npos) return ';';
  return firstLine.find(',') != std::string_view::npos ? ',' : 0;
}
bool isCsv(std::string_view firstLine) { return csvSeparator(firstLine) != 0; }

constexpr const char* kExpectedPosition = "expected a position such as 19.2E, 19.2°E or 101 W";

// The message for a position that cannot be used: p read from the start of
// text, whose first word is written.
std::string positionProblem(ListPosition p, std::string_view written) {
  // "19.2X" is no bare number; neither is "19.2" followed by more than blanks.
  if (p.fault == ListPosition::Fault::NoLetter && p.written.size() != written.size()) p.fault = ListPosition::Fault::NotAPosition;
  const std::string number = quotedText(p.number);
  switch (p.fault) {
    case ListPosition::Fault::NoLetter:
      return "found the position " + quoted(written) + " without its hemisphere letter, expected East or West: write " +
             number + "E or " + number + "W";
    case ListPosition::Fault::SignAndLetter:
      return "found the position " + quoted(written) + " with both a sign and a hemisphere letter, " +
             kExpectedPosition + ", without a sign";
    case ListPosition::Fault::BeyondHalfTurn:
      return "found the position " + quoted(written) + ", expected 180° or less East or West";
    case ListPosition::Fault::NotAPosition:
    case ListPosition::Fault::None:
      break;
  }
  return "found " + quoted(written) + " where the position belongs, " + kExpectedPosition;
}

class PlainListReader : public ListReader {
 public:
  bool identify(std::string_view head) const override {
    const std::vector<std::string_view> lines = firstLines(head, 1, true);
    if (lines.empty()) return false;
    const std::string_view first = trimmed(lines.front());
    // A line that starts like a number is meant as a position, however bad.
    return startsWithPosition(first) || isCsv(first) || isDigit(first.front()) || first.front() == '.';
  }

  SatelliteCatalog read(ListSource& source) const override {
    SatelliteCatalog list;
    list.format = "plain list";
    const std::vector<std::string_view> first = firstLines(source.head(), 1, true);
    if (!first.empty() && isCsv(trimmed(first.front()))) {
      readCsv(source, csvSeparator(trimmed(first.front())), list);
    } else {
      readPositionNames(source, list);
    }
    return list;
  }

 private:
  static void add(ListSource& source, std::size_t line, std::string_view name, double longitudeEast,
                  SatelliteCatalog& list) {
    if (name.empty()) source.fail(line, "found no name, expected one beside the position");
    source.checkName(line, name);
    list.entries.push_back({std::string(name), longitudeEast, std::nullopt, std::nullopt, {}});
  }

  static void readPositionNames(ListSource& source, SatelliteCatalog& list) {
    std::string line;
    while (source.nextLine(line)) {
      const std::string_view content = trimmed(line);
      if (content.empty() || content.front() == '#') continue;
      const ListPosition p = readPosition(content);
      if (p.fault != ListPosition::Fault::None) {
        const std::string_view word = content.substr(0, content.find_first_of(" \t"));
        source.fail(source.lineNumber(), positionProblem(p, p.written.size() > word.size() ? p.written : word));
      }
      add(source, source.lineNumber(), trimmed(content.substr(p.written.size())), p.longitudeEast, list);
    }
  }

  static void readCsv(ListSource& source, char separator, SatelliteCatalog& list) {
    CsvRecords records(source, true, separator);
    std::vector<std::string> fields;
    bool first = true;
    while (records.next(fields)) {
      if (fields.size() != 2) {
        source.fail(records.line(), "found " + std::to_string(fields.size()) +
                                        (fields.size() == 1 ? " field" : " fields") + ", expected two: " +
                                        (separator == ',' ? "name,position such as \"Astra 1KR,19.2E\""
                                                          : "name;position such as \"Astra 1KR;19,2E\""));
      }
      const std::string_view name = trimmed(fields[0]);
      const std::string_view written = trimmed(fields[1]);
      if (first && written.find_first_of("0123456789") == std::string_view::npos) {
        first = false;
        continue;  // the header
      }
      first = false;
      // With semicolons between fields, a comma is the decimal mark.
      std::string decimal(written);
      if (separator == ';') std::replace(decimal.begin(), decimal.end(), ',', '.');
      const ListPosition p = readPosition(decimal);
      if (p.fault != ListPosition::Fault::None || p.written.size() != decimal.size()) {
        source.fail(records.line(), positionProblem(p.fault == ListPosition::Fault::None ? ListPosition{} : p, written));
      }
      add(source, records.line(), name, p.longitudeEast, list);
    }
  }
};

}  // namespace

// The position text begins with (hemisphere.h), whose letter must be E or W.
ListPosition readPosition(std::string_view text) {
  ListPosition p;
  const LetteredNumber lettered = readLetteredNumber(text);
  if (lettered.number.empty()) return p;
  p.number = lettered.number;
  if (lettered.letter != 'E' && lettered.letter != 'W') {
    p.written = text.substr(0, (lettered.sign ? 1 : 0) + lettered.number.size());
    p.fault = ListPosition::Fault::NoLetter;
    return p;
  }
  p.written = text.substr(0, lettered.length);
  if (lettered.sign) {
    p.fault = ListPosition::Fault::SignAndLetter;
    return p;
  }
  double degrees = 0;
  try {
    degrees = textToDouble(p.number);
  } catch (const CalcError& e) {
    // Two points, or hundreds of digits.
    p.fault = e.fault() == Fault::Overflow ? ListPosition::Fault::BeyondHalfTurn : ListPosition::Fault::NotAPosition;
    return p;
  }
  if (degrees > kHalfTurn) {
    p.fault = ListPosition::Fault::BeyondHalfTurn;
    return p;
  }
  const bool west = lettered.letter == 'W';
  // 0W is 0, not -0, and 180W is 180E.
  p.longitudeEast = west && degrees != 0 && degrees != kHalfTurn ? -degrees : degrees;
  p.fault = ListPosition::Fault::None;
  return p;
}

std::unique_ptr<ListReader> makePlainListReader() { return std::make_unique<PlainListReader>(); }

}  // namespace vantorel
