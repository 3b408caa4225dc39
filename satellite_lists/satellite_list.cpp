#include "satellite_list.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "list_readers.h"
#include "listmod.h"
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

SatelliteCatalog readSatelliteList(std::istream& in, std::string_view shownName) {
  ListSource source(in, shownName);
  const std::unique_ptr<ListReader> readers[] = {makeSatellitesXmlReader(), makeOmmJsonReader(), makeOmmCsvReader(),
                                                 makeTleReader(), makePlainListReader()};
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

SatelliteCatalog builtInSatelliteList() {
  Catalogue catalogue;
  listmod(catalogue);
  SatelliteCatalog list;
  list.format = "built-in list";
  list.builtIn = true;
  for (int row = 0; row < rowCount(catalogue); ++row) {
    const auto slot = static_cast<std::size_t>(slotForRow(row));
    // The catalogue's longitudes are degrees West as text: "61.5" is -61.5.
    list.entries.push_back({catalogue.SatelliteNames[slot], -textToDouble(catalogue.SatelliteLongitudes[slot]), {}, {}});
  }
  return list;
}

}  // namespace vantorel
