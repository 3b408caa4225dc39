#pragma once
// The installation sheet's paper and file formats, as the command line and
// the planner name them. No Qt.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vantorel {

// The sheet is laid out in millimetres; screens, printers and images count
// dots per inch.
inline constexpr double kMillimetresPerInch = 25.4;

enum class Paper { A4, Letter };

enum class SheetFormat { Pdf, Svg, Png };

// The format a file name asks for by its extension, in any case: .pdf, .svg
// or .png; nothing for any other name.
std::optional<SheetFormat> sheetFormatFor(std::string_view fileName);

// "a4" or "letter", in any case; nothing for any other name.
std::optional<Paper> paperNamed(std::string_view name);

// What became of a sheet asked for: written, or not and why, in one line
// that quotes the file's name.
struct SheetOutcome {
  bool written = false;
  std::string why;

  static SheetOutcome done() { return {true, {}}; }
  static SheetOutcome refused(std::string why) { return {false, std::move(why)}; }
};

}  // namespace vantorel
