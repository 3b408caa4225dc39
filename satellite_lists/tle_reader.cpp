// CelesTrak's GP data as three-line TLE: a name line, then lines 1 and 2 of
// the element set in fixed columns (1-based, as the format numbers them):
//   1 25544U 98067A   26334.52425434  .00002182  00000-0  40864-4 0  9990
//   2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537
// line 1: 3-7 catalogue number, 19-32 epoch (YYDDD.DDDDDDDD);
// line 2: 3-7 catalogue number, 9-16 inclination, 18-25 right ascension of
// the node, 27-33 eccentricity with its leading "0." left out, 35-42
// argument of perigee, 44-51 mean anomaly, 53-63 mean motion;
// column 69 of each line: the sum of its digits, a "-" counting 1, modulo 10.
// Since 2026 catalogue numbers may be in the Alpha-5 form ("A0001"): they
// are compared as text, never read as numbers. A name line may carry the
// "0 " that some three-line files put before the name.

#include <string>

#include "gp_objects.h"
#include "list_readers.h"

namespace vantorel {
namespace {

constexpr std::size_t kLineLength = 69;

bool startsLine(std::string_view line, char number) {
  return line.size() >= 2 && line[0] == number && line[1] == ' ';
}

// Long enough to be line 1 of an element set, though it may be damaged; a
// plain list's "1 W Galaxy" is not.
bool looksLikeLine1(std::string_view line) { return startsLine(line, '1') && line.size() >= kLineLength - 4; }

// A field at 1-based columns first to last.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last) {
  return line.substr(first - 1, last - first + 1);
}

class TleReader : public ListReader {
 public:
  bool identify(std::string_view head) const override {
    const std::vector<std::string_view> lines = firstLines(head, 2, true);
    // A set without its name is recognised too, to be refused for want of it.
    return !lines.empty() && (looksLikeLine1(lines[0]) || (lines.size() == 2 && looksLikeLine1(lines[1])));
  }

  SatelliteCatalog read(ListSource& source) const override {
    SatelliteCatalog list;
    list.format = "three-line TLE";
    std::string name, line1, line2;
    for (bool first = true; nextNonBlank(source, name, first); first = false) {
      const std::size_t nameLine = source.lineNumber();
      if (startsLine(name, '1') || startsLine(name, '2')) {
        source.fail(nameLine, "found " + quoted(name) +
                                  " where a name belongs, expected three-line TLE: each element set's lines 1 and 2 "
                                  "after a line with the satellite's name");
      }
      std::string_view shown = trimmed(name);
      if (shown.starts_with("0 ")) shown.remove_prefix(2);
      const std::size_t number1 = elementLine(source, nameLine, line1, '1');
      const std::size_t number2 = elementLine(source, number1, line2, '2');
      if (columns(line1, 3, 7) != columns(line2, 3, 7)) {
        source.fail(number2, "found the catalogue number " + quoted(columns(line2, 3, 7)) +
                                 ", expected line 1's " + quoted(columns(line1, 3, 7)));
      }
      const std::optional<UtcInstant> epoch = parseTleEpoch(columns(line1, 19, 32));
      if (!epoch) {
        source.fail(number1, "found the epoch " + quoted(columns(line1, 19, 32)) +
                                 " in columns 19 to 32, expected YYDDD.DDDDDDDD, a year and a day of that year");
      }
      const std::string eccentricity = "0." + std::string(columns(line2, 27, 33));
      const auto number = [&](std::string_view what, std::string_view field) {
        return ommNumber(source, number2, what, field);
      };
      const MeanElements elements{number("the mean motion", columns(line2, 53, 63)),
                                  number("the eccentricity", eccentricity),
                                  number("the inclination", columns(line2, 9, 16)),
                                  number("the right ascension of the node", columns(line2, 18, 25)),
                                  number("the argument of perigee", columns(line2, 35, 42)),
                                  number("the mean anomaly", columns(line2, 44, 51)),
                                  *epoch};
      const OmmTexts written = {shown,
                                columns(line1, 19, 32),
                                columns(line2, 53, 63),
                                eccentricity,
                                columns(line2, 9, 16),
                                columns(line2, 18, 25),
                                columns(line2, 35, 42),
                                columns(line2, 44, 51)};
      keepObject(source, nameLine, written, elements, list);
    }
    return list;
  }

 private:
  // The next line that is not blank and, with skipComments, not a "#"
  // comment either, as some files open with one.
  static bool nextNonBlank(ListSource& source, std::string& line, bool skipComments) {
    while (source.nextLine(line)) {
      const std::string_view content = trimmed(line);
      if (!content.empty() && !(skipComments && content.front() == '#')) return true;
    }
    return false;
  }

  // Reads line 1 or 2 of the set whose previous line is on line before, and
  // checks its form and checksum; returns its line number.
  static std::size_t elementLine(ListSource& source, std::size_t before, std::string& line, char number) {
    const std::string expected = std::string("expected line ") + number + " of an element set: " +
                                 std::to_string(kLineLength) + " columns starting \"" + number + " \"";
    if (!source.nextLine(line)) source.fail(before, "found the end of the file, " + expected);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    const std::size_t at = source.lineNumber();
    if (!startsLine(line, number) || line.size() != kLineLength) source.fail(at, "found " + quoted(line) + ", " + expected);
    int sum = 0;
    for (std::size_t i = 0; i + 1 < kLineLength; ++i) {
      if (line[i] >= '0' && line[i] <= '9') sum += line[i] - '0';
      if (line[i] == '-') sum += 1;
    }
    const char checksum = static_cast<char>('0' + sum % 10);
    if (line.back() != checksum) {
      source.fail(at, "found the checksum " + quoted(line.substr(kLineLength - 1)) + " at the end of line " + number +
                          ", expected " + checksum + ": the line is damaged");
    }
    return at;
  }
};

}  // namespace

std::unique_ptr<ListReader> makeTleReader() { return std::make_unique<TleReader>(); }

}  // namespace vantorel
