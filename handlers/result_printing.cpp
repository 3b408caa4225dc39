#include "result_printing.h"

#include <algorithm>

#include "satellite_notes.h"

namespace vantorel {
namespace {

using Row = std::vector<std::string>;

// The width of a text as a terminal shows it: one column per character, so
// that the degree sign's two bytes count once.
std::size_t columns(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string padded(const std::string& text, std::size_t width) {
  return text + std::string(width - std::min(width, columns(text)), ' ');
}

// The DMS text padded to the widest a longitude takes, 151°13'00.0" E, so
// that the decimal degrees of the two site lines line up.
constexpr std::size_t kDmsColumns = 14;

Row siteLabels() { return {"LATITUDE", "LONGITUDE"}; }
Row siteValues(const SiteReading& site) {
  return {padded(site.latitudeDms, kDmsColumns) + "  " + site.latitudeDecimal,
          padded(site.longitudeDms, kDmsColumns) + "  " + site.longitudeDecimal};
}

std::string labelledLines(const Row& labels, const Row& values) {
  std::size_t width = 0;
  for (const std::string& label : labels) width = std::max(width, label.size());
  std::string lines;
  for (std::size_t i = 0; i < labels.size(); ++i) lines += padded(labels[i], width + 2) + values[i] + '\n';
  return lines;
}

// Columns two blanks apart, the first left-aligned, the rest right-aligned
// but for a last column of words (lastInWords), which runs on to the line's
// end.
std::string alignedText(const std::vector<Row>& rows, bool lastInWords) {
  std::vector<std::size_t> widths(rows.front().size());
  for (const Row& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], columns(row[c]));
  }
  std::string text;
  for (const Row& row : rows) {
    std::string line = padded(row[0], widths[0]);
    for (std::size_t c = 1; c < row.size(); ++c) {
      const bool words = lastInWords && c + 1 == row.size();
      line += "  " + std::string(words ? 0 : widths[c] - columns(row[c]), ' ') + row[c];
    }
    while (line.ends_with(' ')) line.pop_back();
    text += line + '\n';
  }
  return text;
}

// RFC 4180: records end in CRLF; the header and every field that is not a
// number are quoted, with any quote doubled, so that a spreadsheet keeps
// them as text.
std::string csvText(const std::vector<Row>& rows) {
  const auto quoted = [](const std::string& field) {
    std::string q = "\"";
    for (char c : field) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + '"';
  };
  std::string text;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      const std::string& field = rows[r][c];
      text += (c > 0 ? "," : "") + (r == 0 || !readsAsNumber(field) ? quoted(field) : field);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace

std::string satelliteText(const std::string& name, const Pointing& pointing) {
  return name.empty() ? pointing.position : name + ", " + pointing.position;
}

std::vector<Figure> printedFigures(const SiteReading& site, const Pointing& pointing) {
  // The mount's site settings stand just before the motor angle, or last.
  std::vector<Figure> figures = pointing.figures;
  const auto motor = std::find_if(figures.begin(), figures.end(), [](const Figure& f) { return f.label == "MOTOR ANGLE"; });
  const std::vector<Figure> mount = mountFigures(site, false);
  figures.insert(motor, mount.begin(), mount.end());
  return figures;
}

std::string satelliteLines(const SiteReading& site, const Pointing& pointing, const std::string& name) {
  Row labels = siteLabels();
  Row values = siteValues(site);
  labels.emplace_back("SATELLITE");
  values.push_back(satelliteText(name, pointing));
  if (site.declinationFromModel) {
    labels.emplace_back("DECLINATION");
    values.push_back(site.declinationText);
  }
  for (const Figure& figure : printedFigures(site, pointing)) {
    labels.push_back(figure.label);
    values.push_back(figure.value);
  }
  return labelledLines(labels, values);
}

std::string satelliteTable(const SiteReading& site, const std::vector<ListedSatellite>& satellites,
                           const TableOptions& options) {
  const std::vector<Figure> mount = mountFigures(site, options.csv);
  std::vector<Row> rows;
  for (const ListedSatellite& satellite : satellites) {
    const Pointing pointing = pointAt(site, satellite.longitudeWest);
    if (rows.empty()) {
      // The header is there even when no satellite is high enough.
      Row header = {"SATELLITE", "POSITION"};
      for (const Figure& figure : pointing.figures) header.push_back(figure.label);
      if (site.declinationFromModel) header.emplace_back("DECLINATION");
      if (options.notes) header.emplace_back("NOTE");
      if (options.csv) {
        Row siteLabels = {"SITE LATITUDE", "SITE LONGITUDE"};
        for (const Figure& figure : mount) siteLabels.push_back(figure.label);
        header.insert(header.begin(), siteLabels.begin(), siteLabels.end());
      }
      rows.push_back(std::move(header));
    }
    if (options.minimumElevation && static_cast<double>(pointing.angles.Elevation) < *options.minimumElevation) {
      continue;
    }
    Row row = {satellite.name, pointing.position};
    for (const Figure& figure : pointing.figures) row.push_back(figure.value);
    if (site.declinationFromModel) row.push_back(site.declinationText);
    if (options.notes) row.push_back(satellite.note);
    if (options.csv) {
      Row siteFields = {site.latitudeDecimal, site.longitudeDecimal};
      for (const Figure& figure : mount) siteFields.push_back(figure.value);
      row.insert(row.begin(), siteFields.begin(), siteFields.end());
    }
    rows.push_back(std::move(row));
  }
  if (options.csv) return rows.empty() ? std::string() : csvText(rows);
  Row labels = siteLabels();
  Row values = siteValues(site);
  for (const Figure& figure : mount) {
    labels.push_back(figure.label);
    values.push_back(figure.value);
  }
  const std::string siteLines = labelledLines(labels, values);
  return rows.empty() ? siteLines : siteLines + '\n' + alignedText(rows, options.notes);
}

std::vector<ListedSatellite> listedSatellites(const SatelliteList& list, CalendarDate runDate) {
  std::vector<ListedSatellite> satellites;
  satellites.reserve(list.entries.size());
  for (const SatelliteEntry& entry : list.entries) {
    std::string note;
    for (const std::string& one : satelliteNotes(entry, runDate)) note += (note.empty() ? "" : "; ") + one;
    // The lists' East positive, made the calculation's West positive.
    satellites.push_back({entry.name, static_cast<Single>(-entry.longitudeEast), std::move(note)});
  }
  return satellites;
}

}  // namespace vantorel
