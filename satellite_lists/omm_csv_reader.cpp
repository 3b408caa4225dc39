// CelesTrak's GP data as OMM in CSV: a header line naming the columns
//   OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,
//   RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,...
// then one object a record. Columns are found by their names, so that their
// order may change and columns may be added; every record has the header's
// number of fields.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "csv_records.h"
#include "gp_objects.h"
#include "list_readers.h"

namespace vantorel {
namespace {

// The header's names, each without blanks around it.
std::vector<std::string_view> headerNames(std::string_view line) {
  std::vector<std::string_view> names;
  for (std::size_t at = 0;;) {
    const std::size_t comma = std::min(line.find(',', at), line.size());
    names.push_back(trimmed(line.substr(at, comma - at)));
    if (comma == line.size()) return names;
    at = comma + 1;
  }
}

class OmmCsvReader : public ListReader {
 public:
  bool identify(std::string_view head) const override {
    const std::vector<std::string_view> lines = firstLines(head, 1, false);
    if (lines.empty()) return false;
    const std::vector<std::string_view> names = headerNames(lines.front());
    return std::find(names.begin(), names.end(), kOmmKeys[kObjectName]) != names.end() &&
           std::find(names.begin(), names.end(), kOmmKeys[kMeanMotion]) != names.end();
  }

  SatelliteCatalog read(ListSource& source) const override {
    SatelliteCatalog list;
    list.format = "OMM CSV";
    CsvRecords records(source, false);
    std::vector<std::string> fields;
    records.next(fields);  // the header, there since identify saw it
    std::array<std::size_t, kOmmKeys.size()> column{};
    for (std::size_t k = 0; k < kOmmKeys.size(); ++k) {
      const auto named = std::find_if(fields.begin(), fields.end(), [&](const std::string& f) { return trimmed(f) == kOmmKeys[k]; });
      if (named == fields.end()) {
        source.fail(records.line(), "found a header without " + std::string(kOmmKeys[k]) +
                                        ", expected CelesTrak's OMM columns OBJECT_NAME, EPOCH, MEAN_MOTION, "
                                        "ECCENTRICITY, INCLINATION, RA_OF_ASC_NODE, ARG_OF_PERICENTER and MEAN_ANOMALY");
      }
      column[k] = static_cast<std::size_t>(named - fields.begin());
    }
    const std::size_t width = fields.size();

    while (records.next(fields)) {
      const std::size_t line = records.line();
      if (fields.size() != width) {
        source.fail(line, "found " + std::to_string(fields.size()) + " fields, expected " + std::to_string(width) +
                              " as in the header line");
      }
      const auto number = [&](OmmKey key) { return ommNumber(source, line, kOmmKeys[key], fields[column[key]]); };
      const MeanElements elements{number(kMeanMotion), number(kEccentricity), number(kInclination),
                                  number(kNode),       number(kPerigee),      number(kMeanAnomaly),
                                  ommEpoch(source, line, fields[column[kEpoch]])};
      OmmTexts written;
      for (std::size_t k = 0; k < kOmmKeys.size(); ++k) written[k] = fields[column[k]];
      keepObject(source, line, written, elements, list);
    }
    return list;
  }
};

}  // namespace

std::unique_ptr<ListReader> makeOmmCsvReader() { return std::make_unique<OmmCsvReader>(); }

}  // namespace vantorel
