// VDR's sources.conf: one source a line, its code, blanks, then its
// description:
//   S19.2E  Astra 1KR/1L/1M/1N
//   C       Cable
//   T       Terrestrial
// A satellite's code is S and its orbital position with E or W; every other
// code (C cable, T terrestrial, A ATSC, I IPTV and those plugins add) names
// no position and is left out, as is S360E, "any satellite". Lines starting
// with # are comments. The description is the satellite's name.

#include <optional>
#include <string>
#include <string_view>

#include "list_readers.h"
#include "numeric_text.h"

namespace vantorel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct SourceLine {
  std::string_view code, description;
};

// The code and description of a line, or nothing when the line does not
// start with a code: an upper-case letter, then letters, digits or points,
// then a blank.
std::optional<SourceLine> sourceLine(std::string_view line) {
  if (line.empty() || !isUpper(line.front())) return std::nullopt;
  std::size_t end = 1;
  while (end < line.size() && !isBlank(line[end])) {
    const char c = line[end];
    if (!(isUpper(c) || isDigit(c) || c == '.' || c == '-' || c == '+')) return std::nullopt;
    ++end;
  }
  return SourceLine{line.substr(0, end), trimmed(line.substr(end))};
}

// Whether code is a satellite's: S, digits, and E or W.
bool isSatelliteCode(std::string_view code) {
  return code.size() >= 3 && code.front() == 'S' && isDigit(code[1]) && (code.back() == 'E' || code.back() == 'W');
}

// "Any satellite", which names no position.
constexpr std::string_view kAnySatellite = "360E";

class VdrSourcesReader : public ListReader {
 public:
  // Every line among the first ones is a source with a description, and at
  // least one of them is a satellite's: "C Cable" alone is no satellite list,
  // and a plain list's "Astra 1KR,19.2E" has no satellite code.
  bool identify(std::string_view head) const override {
    const std::vector<std::string_view> lines = firstLines(head, 8, true);
    bool satellite = false;
    for (const std::string_view line : lines) {
      const std::optional<SourceLine> source = sourceLine(trimmed(line));
      if (!source || source->description.empty()) return false;
      satellite = satellite || isSatelliteCode(source->code);
    }
    return satellite;
  }

  SatelliteCatalog read(ListSource& source) const override {
    SatelliteCatalog list;
    list.format = "VDR sources.conf";
    list.skippedAre = SatelliteCatalog::Skipped::NotSatellite;
    std::string line;
    while (source.nextLine(line)) {
      const std::string_view content = trimmed(line);
      if (content.empty() || content.front() == '#') continue;
      const std::optional<SourceLine> parsed = sourceLine(content);
      if (!parsed) {
        source.fail(source.lineNumber(), "found " + quoted(content) +
                                             ", expected a source such as \"S19.2E  Astra 1KR/1L/1M/1N\" or "
                                             "\"C  Cable\"");
      }
      if (parsed->code.front() != 'S' || parsed->code == "S") {
        ++list.skipped;
        continue;
      }
      add(source, *parsed, list);
    }
    return list;
  }

 private:
  static void add(ListSource& source, const SourceLine& line, SatelliteCatalog& list) {
    const std::string_view written = line.code.substr(1);
    const ListPosition p = readPosition(written);
    const bool whole = p.written.size() == written.size();
    if (whole && p.fault == ListPosition::Fault::BeyondHalfTurn && written == kAnySatellite) {
      ++list.skipped;
      return;
    }
    if (!whole || p.fault != ListPosition::Fault::None) {
      source.fail(source.lineNumber(), "found the source " + quoted(line.code) +
                                           ", expected S and a position of 180° or less with E or W, such as S19.2E");
    }
    if (line.description.empty()) {
      source.fail(source.lineNumber(), "found no name after " + quoted(line.code) + ", expected the satellite's");
    }
    source.checkName(source.lineNumber(), line.description);
    list.entries.push_back({std::string(line.description), p.longitudeEast, std::nullopt, std::nullopt, {}});
  }
};

}  // namespace

std::unique_ptr<ListReader> makeVdrSourcesReader() { return std::make_unique<VdrSourcesReader>(); }

}  // namespace vantorel
