#pragma once
// The installation sheet's paper and file formats, as the command line and
// the planner name them. No Qt.

#include <optional>
#include <string_view>

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

}  // namespace vantorel
