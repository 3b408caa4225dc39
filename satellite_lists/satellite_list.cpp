#include "satellite_list.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "list_readers.h"
#include "listmod.h"
#include "today_list.h"
#include "numeric_text.h"

namespace vantorel {

std::vector<std::string_view> firstLines(std::string_view head, std::size_t count, bool skipComments) {
  std::vector<std::string_view> lines;
  while (!head.empty() && lines.size() < count) {
    const std::size_t end = std::min(head.find('\n'), head.size());
    std::string_view line = head.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    head.remove_prefix(std::min(end + 1, head.size()));
    const std::string_view content = trimmed(line);
    if (!content.empty() && !(skipComments && content.front() == '#')) lines.push_back(line);
  }
  return lines;
}

namespace {

// What a file that is no text is, from its first bytes: a compressed file,
// an archive, a document or an image is told by its signature, anything else
// by bytes that text never holds. "" for a file that may be text.
std::string notTextWhy(std::string_view head) {
  struct Signature {
    std::string_view bytes;
    const char* what;
  };
  static constexpr Signature kSignatures[] = {
      {"\x1f\x8b", "a gzip-compressed file; unpack it first"},
      {"PK\x03\x04", "a zip archive; unpack it first"},
      {"PK\x05\x06", "an empty zip archive"},
      {"\xfd" "7zXZ", "an xz-compressed file; unpack it first"},
      {"BZh", "a bzip2-compressed file; unpack it first"},
      {"7z\xbc\xaf\x27\x1c", "a 7-Zip archive; unpack it first"},
      {"%PDF-", "a PDF document, not a satellite list"},
      {"\x89PNG\r\n\x1a\n", "a PNG image, not a satellite list"},
      {"\xff\xd8\xff", "a JPEG image, not a satellite list"},
      {"GIF8", "a GIF image, not a satellite list"},
      {"\xff\xfe", "UTF-16 text; save it as UTF-8"},
      {"\xfe\xff", "UTF-16 text; save it as UTF-8"},
  };
  for (const Signature& s : kSignatures) {
    if (head.starts_with(s.bytes)) return s.what;
  }
  // Text holds no NUL and, but for tabs, line and page breaks, no other
  // control byte; a few stray ones are the readers' to quote.
  std::size_t control = 0;
  for (const char c : head) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0) return "binary content, not text; expected a satellite list";
    if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') || byte == 0x7f) ++control;
  }
  constexpr std::size_t kControlShare = 10;  // one byte in ten
  constexpr std::size_t kFewest = 4;
  if (control >= kFewest && control * kControlShare >= head.size()) {
    return "binary content, not text; expected a satellite list";
  }
  return {};
}

}  // namespace

SatelliteCatalog readSatelliteList(std::istream& in, std::string_view shownName) {
  ListSource source(in, shownName);
  if (const std::string why = notTextWhy(source.head()); !why.empty()) source.fail(why);
  const std::unique_ptr<ListReader> readers[] = {makeSatellitesXmlReader(), makeOmmJsonReader(), makeOmmCsvReader(),
                                                 makeTleReader(),          makeVdrSourcesReader(), makePlainListReader()};
  for (const std::unique_ptr<ListReader>& reader : readers) {
    if (!reader->identify(source.head())) continue;
    SatelliteCatalog list = reader->read(source);
    if (list.entries.empty()) {
      source.fail(list.skipped == 0 ? "holds no geostationary satellite"
                                    : "holds no geostationary satellite: its " + std::to_string(list.skipped) +
                                          (list.skipped == 1 ? " object is" : " objects are") +
                                          " not near the geostationary orbit");
    }
    return list;
  }
  const std::vector<std::string_view> first = firstLines(source.head(), 1, true);
  if (first.empty()) {
    const bool blank = source.head().find_first_not_of(" \t\r\n") == std::string_view::npos;
    source.fail(blank ? "holds no geostationary satellite: it is empty" : "holds no geostationary satellite");
  }
  // The line of the first content: the lines before it end before it starts.
  const std::string_view head = source.head();
  const auto before = head.substr(0, static_cast<std::size_t>(first.front().data() - head.data()));
  const auto line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
  source.fail(line, "found " + quoted(first.front()) +
                     ", expected a satellite list: a plain list (\"19.2E Astra 1KR\" or \"Astra 1KR,19.2E\"), "
                     "a satellites.xml, CelesTrak's OMM as CSV or JSON, or a three-line TLE");
}

SatelliteCatalog loadSatelliteList(const std::string& fileName) {
  if (fileName == "-") return readSatelliteList(std::cin, "standard input");
  std::error_code ignored;
  if (std::filesystem::is_directory(fileName, ignored)) failFile(fileName, "is a folder, expected a satellite list file");
  std::ifstream file(fileName, std::ios::binary);
  if (!file) failFile(fileName, "cannot be opened: " + std::generic_category().message(errno));
  return readSatelliteList(file, fileName);
}

namespace {

SatelliteCatalog todayList() {
  SatelliteCatalog list;
  list.format = "built-in list";
  list.builtIn = BuiltInList::Today;
  list.builtInName = std::string("the built-in list of ") + kTodayListDate;
  for (const CatalogueSlot& slot : todaySlots()) list.entries.push_back({slot.name, slot.longitudeEast, {}, {}, {}});
  return list;
}

SatelliteCatalog ninetiesList() {
  Catalogue catalogue;
  listmod(catalogue);
  SatelliteCatalog list;
  list.format = "built-in list";
  list.builtIn = BuiltInList::Nineties;
  list.builtInName = "the built-in list of the 1990s";
  for (int row = 0; row < rowCount(catalogue); ++row) {
    const auto slot = static_cast<std::size_t>(slotForRow(row));
    // The catalogue's longitudes are degrees West as text: "61.5" is -61.5.
    list.entries.push_back({catalogue.SatelliteNames[slot], -textToDouble(catalogue.SatelliteLongitudes[slot]), {}, {}, {}});
  }
  return list;
}

}  // namespace

SatelliteCatalog builtInSatelliteList(BuiltInList which) {
  return which == BuiltInList::Today ? todayList() : ninetiesList();
}

std::string_view todayListDate() { return kTodayListDate; }

std::optional<BuiltInList> builtInListNamed(std::string_view name) {
  const auto is = [name](std::string_view wanted) {
    return std::equal(name.begin(), name.end(), wanted.begin(), wanted.end(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
  };
  if (is("today")) return BuiltInList::Today;
  if (is("1990s")) return BuiltInList::Nineties;
  return std::nullopt;
}

}  // namespace vantorel
