#include "command_line_property.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string_view>
#include <vector>

#include "calc_error.h"
#include "command_line.h"
#include "numeric_text.h"

namespace vantorel {
namespace {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool readsBack(const std::string& text) {
  try {
    return std::isfinite(textToDouble(text));
  } catch (const CalcError&) {
    return false;
  }
}

// A line's fields at every run of two blanks or more, the gap between
// aligned columns.
std::vector<std::string> alignedFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line.compare(i, 2, "  ") == 0) {
      while (i + 1 < line.size() && line[i + 1] == ' ') ++i;
      fields.emplace_back();
    } else {
      fields.back() += line[i];
    }
  }
  return fields;
}

std::string unreadable(const std::string& field) { return "a printed number does not read back: \"" + field + "\""; }

// A value starts with its number: "11.25° W", "42.01667, the mount faces
// true south", "188 or 8".
bool startsWithNumber(const std::string& field) { return readsBack(field.substr(0, field.find_first_of(" ,\xc2"))); }

// Each labelled line's value starts with a number, and the site's lines end
// in their decimal degrees; SATELLITE may name the satellite first.
std::string unreadableInLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const std::vector<std::string> fields = alignedFields(line);
    if (fields.size() < 2) return "a result line holds no number: \"" + line + "\"";
    if (fields.front() == "SATELLITE") continue;
    if (!startsWithNumber(fields[1])) return unreadable(fields[1]);
    if (!readsBack(fields.back()) && fields.size() > 2) return unreadable(fields.back());
  }
  return {};
}

// Past the site's lines and the header, every column after the name starts
// with a number; a name may hold blanks, so they are counted from the end.
std::string unreadableInTable(const std::vector<std::string>& lines) {
  const auto header = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("SATELLITE"); });
  if (header == lines.end()) return "a table without its header";
  if (std::string broken = unreadableInLines({lines.begin(), header - 1}); !broken.empty()) return broken;
  const std::size_t numbers = alignedFields(*header).size() - 1;
  for (auto line = header + 1; line != lines.end(); ++line) {
    const std::vector<std::string> fields = alignedFields(*line);
    if (fields.size() < numbers + 1) return "a row too short: \"" + *line + "\"";
    for (std::size_t f = fields.size() - numbers; f < fields.size(); ++f) {
      if (!startsWithNumber(fields[f])) return unreadable(fields[f]);
    }
  }
  return {};
}

// In CSV every field that is not quoted is a number.
std::string unreadableInCsv(const std::vector<std::string>& lines) {
  for (std::size_t l = 1; l < lines.size(); ++l) {
    std::string field;
    bool quoted = false;
    const std::string line = lines[l].ends_with('\r') ? lines[l].substr(0, lines[l].size() - 1) : lines[l];
    for (std::size_t i = 0; i <= line.size(); ++i) {
      if (i < line.size() && line[i] == '"') {
        quoted = true;
        for (++i; i < line.size() && !(line[i] == '"' && (i + 1 == line.size() || line[i + 1] != '"')); ++i) {
          i += line[i] == '"' ? 1 : 0;
        }
      } else if (i == line.size() || line[i] == ',') {
        if (!quoted && !readsBack(field)) return unreadable(field);
        field.clear();
        quoted = false;
      } else {
        field += line[i];
      }
    }
  }
  return {};
}

std::string unreadableNumber(const CommandLine& command, const std::string& printed) {
  const std::vector<std::string> lines = splitLines(printed);
  if (!command.request.table) return unreadableInLines(lines);
  return command.request.csv ? unreadableInCsv(lines) : unreadableInTable(lines);
}

}  // namespace

std::string checkCommandLine(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  QStringList arguments{QStringLiteral("vantorel")};
  for (const std::string& line : splitLines(input)) arguments << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));  // as main hands them over

  const CommandLine command = parseCommandLine(arguments);
  if (command.mode == CommandLine::Mode::Windows) return {};
  // Any bytes may name a file, /dev/zero or a terminal among them; the list
  // readers have a fuzzer of their own, fed the bytes of a file.
  if (command.request.satellitesFile) return {};
  std::ostringstream out;
  std::ostringstream err;
  const int status = runCommandLine(command, out, err);

  std::string broken;
  if (status < 0 || status > 2) {
    broken = "exit status " + std::to_string(status);
  } else if (status != 0 && !out.str().empty()) {
    broken = "status " + std::to_string(status) + " with standard output";
  } else if (status == 0 && command.mode == CommandLine::Mode::Pointing) {
    broken = unreadableNumber(command, out.str());
  }
  if (broken.empty()) return {};
  std::string described = broken + "\n  arguments:";
  for (const QString& argument : arguments) described += " [" + argument.toStdString() + "]";
  return described + "\n  out: " + out.str() + "\n  err: " + err.str();
}

}  // namespace vantorel
