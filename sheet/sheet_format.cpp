#include "sheet_format.h"

#include <cctype>
#include <string>

namespace vantorel {
namespace {

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

std::optional<SheetFormat> sheetFormatFor(std::string_view fileName) {
  const auto dot = fileName.rfind('.');
  if (dot == std::string_view::npos || fileName.find('/', dot) != std::string_view::npos) return std::nullopt;
  const std::string extension = lowerCase(fileName.substr(dot + 1));
  if (extension == "pdf") return SheetFormat::Pdf;
  if (extension == "svg") return SheetFormat::Svg;
  if (extension == "png") return SheetFormat::Png;
  return std::nullopt;
}

std::optional<Paper> paperNamed(std::string_view name) {
  const std::string lower = lowerCase(name);
  if (lower == "a4") return Paper::A4;
  if (lower == "letter") return Paper::Letter;
  return std::nullopt;
}

}  // namespace vantorel
