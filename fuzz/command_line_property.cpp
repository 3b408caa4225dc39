#include "command_line_property.h"

#include <QStringList>
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

// A line's fields: split at every comma for CSV, else at every run of two
// blanks or more, the gap between aligned columns.
std::vector<std::string> fieldsOf(const std::string& line, bool csv) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (csv ? line[i] == ',' : line.compare(i, 2, "  ") == 0) {
      while (!csv && i + 1 < line.size() && line[i + 1] == ' ') ++i;
      fields.emplace_back();
    } else {
      fields.back() += line[i];
    }
  }
  return fields;
}

// The first field of a line is a label or a name, and the first line of a
// table is its header; every other field is a number.
std::string unreadableNumber(const CommandLine& command, const std::string& printed) {
  const bool table = command.mode == CommandLine::Mode::AllSatellites;
  const std::vector<std::string> lines = splitLines(printed);
  for (std::size_t l = table ? 1 : 0; l < lines.size(); ++l) {
    std::string line = lines[l];
    if (command.csv && !line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> fields = fieldsOf(line, command.csv);
    if (fields.size() < 2) return "a result line holds no number: \"" + line + "\"";
    for (std::size_t f = 1; f < fields.size(); ++f) {
      if (!readsBack(fields[f])) return "a printed number does not read back: \"" + fields[f] + "\"";
    }
  }
  return {};
}

}  // namespace

std::string checkCommandLine(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  QStringList arguments{QStringLiteral("vantorel")};
  for (const std::string& line : splitLines(input)) arguments << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));  // as main hands them over

  const CommandLine command = parseCommandLine(arguments);
  if (command.mode == CommandLine::Mode::Windows) return {};
  std::ostringstream out;
  std::ostringstream err;
  const int status = runCommandLine(command, out, err);

  std::string broken;
  if (status < 0 || status > 2) {
    broken = "exit status " + std::to_string(status);
  } else if (status != 0 && !out.str().empty()) {
    broken = "status " + std::to_string(status) + " with standard output";
  } else if (status == 0 && (command.mode == CommandLine::Mode::Satellite ||
                             command.mode == CommandLine::Mode::AllSatellites)) {
    broken = unreadableNumber(command, out.str());
  }
  if (broken.empty()) return {};
  std::string described = broken + "\n  arguments:";
  for (const QString& argument : arguments) described += " [" + argument.toStdString() + "]";
  return described + "\n  out: " + out.str() + "\n  err: " + err.str();
}

}  // namespace vantorel
