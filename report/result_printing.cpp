#include "result_printing.h"

#include <algorithm>

#include "hemisphere.h"

namespace vantorel {
namespace {

// A table's cell: its text, and whether it is a number, which CSV leaves
// bare for a spreadsheet to compute with; any other cell is quoted as text.
struct Cell {
  std::string text;
  bool number = false;

  Cell(std::string words) : text(std::move(words)) {}  // NOLINT: words are the usual cell
  Cell(const char* words) : text(words) {}             // NOLINT
  static Cell figure(std::string digits) {
    Cell c(std::move(digits));
    c.number = true;
    return c;
  }
};
using Row = std::vector<Cell>;

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

std::string label(Label l) { return std::string(labelText(l)); }

// The DMS text padded to the widest a longitude takes, 151°13'00.0" E, so
// that the decimal degrees of the two site lines line up.
constexpr std::size_t kDmsColumns = 14;

struct Lines {
  std::vector<std::string> labels, values;
  void add(Label l, const std::string& value) {
    labels.push_back(label(l));
    values.push_back(value);
  }
};

Lines siteLines(const JobSite& site) {
  Lines lines;
  lines.add(Label::Latitude, padded(site.latitudeDms, kDmsColumns) + "  " + site.latitudeDecimal);
  lines.add(Label::Longitude, padded(site.longitudeDms, kDmsColumns) + "  " + site.longitudeDecimal);
  return lines;
}

// "-8 (typed)", "1.24 (World Magnetic Model 2025 on 2026-12-07)".
std::string declinationLine(const JobSite& site) {
  return site.declinationText + " (" + declinationSourceText(site) + ")";
}

// A spreadsheet takes a cell that begins with one of these for a formula
// (or, for a tab or a carriage return, mangles it): a name such as
// "=HYPERLINK(...)" from a list is made plain text by a leading apostrophe.
std::string spreadsheetText(const std::string& text) {
  const bool formula = !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
  return formula ? "'" + text : text;
}

// A figure as a CSV cell: its text, but a motor angle, whose text carries a
// letter, as its number, East positive, so that a spreadsheet can compute
// with it; a figure in words stays text.
Cell csvCell(const Figure& figure) {
  if (!figure.number) return figure.text;
  return Cell::figure(figure.label == Label::MotorAngle ? singleToText(static_cast<Single>(figure.value)) : figure.text);
}

// The CSV header names a signed angle's convention.
std::string csvLabel(Label l) {
  return l == Label::Position || l == Label::MotorAngle ? label(l) + " (EAST POSITIVE)" : label(l);
}

std::size_t widest(const Lines& lines) {
  std::size_t width = 0;
  for (const std::string& l : lines.labels) width = std::max(width, l.size());
  return width;
}

// The lines, labels padded to the widest of them or to width.
std::string labelledLines(const Lines& lines, std::size_t width = 0) {
  for (const std::string& l : lines.labels) width = std::max(width, l.size());
  std::string text;
  width = std::max(width, widest(lines));
  for (std::size_t i = 0; i < lines.labels.size(); ++i) text += padded(lines.labels[i], width + 2) + lines.values[i] + '\n';
  return text;
}

// Columns two blanks apart, the first left-aligned, the rest right-aligned
// but for a last column of words (lastInWords), which runs on to the line's
// end.
std::string alignedText(const std::vector<Row>& rows, bool lastInWords) {
  std::vector<std::size_t> widths(rows.front().size());
  for (const Row& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], columns(row[c].text));
  }
  std::string text;
  for (const Row& row : rows) {
    std::string line = padded(row[0].text, widths[0]);
    for (std::size_t c = 1; c < row.size(); ++c) {
      const bool words = lastInWords && c + 1 == row.size();
      line += "  " + std::string(words ? 0 : widths[c] - columns(row[c].text), ' ') + row[c].text;
    }
    while (line.ends_with(' ')) line.pop_back();
    text += line + '\n';
  }
  return text;
}

// RFC 4180: records end in CRLF; the header and every cell that is not a
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
      const Cell& cell = rows[r][c];
      text += (c > 0 ? "," : "") + (r == 0 || !cell.number ? quoted(r == 0 ? cell.text : spreadsheetText(cell.text)) : cell.text);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace

namespace {

Lines chosenLines(const Job& job) {
  Lines lines = siteLines(job.site);
  lines.add(Label::Satellite, satelliteText(*job.chosen));
  lines.add(Label::Declination, declinationLine(job.site));
  for (const Figure& figure : chosenFigures(job, false)) {
    const bool over = figure.label == Label::Clearance;
    lines.add(figure.label, over ? figure.text + " (over " + job.chosen->clearanceOver + ")" : figure.text);
  }
  for (const Figure& figure : job.clearanceFigures) lines.add(figure.label, figure.text);
  for (const FinderLine& finder : job.finder) lines.add(Label::Finder, finder.text);
  return lines;
}

}  // namespace

std::string satelliteLines(const Job& job) { return labelledLines(chosenLines(job)); }

std::string satelliteTable(const Job& job, const TableOptions& options) {
  const JobSite& site = job.site;
  const bool csv = options.csv;
  // The mount's settings and the declination are the site's: above the
  // table, or in every CSV row.
  const std::vector<Figure> mount = mountSettings(site, csv);
  std::vector<Row> rows;
  for (const Pointing& pointing : job.listed) {
    if (rows.empty()) {
      // The header is there even when no satellite is high enough.
      Row header = {label(Label::Satellite), csv ? csvLabel(Label::Position) : label(Label::Position)};
      for (const Figure& figure : pointing.figures) header.push_back(csv ? csvLabel(figure.label) : label(figure.label));
      if (pointing.clearance) header.push_back(label(Label::Clearance));
      if (csv) header.push_back(label(Label::Declination));
      if (job.orbitalList) header.push_back(label(Label::Note));
      if (csv) {
        Row siteLabels = {label(Label::SiteLatitude), label(Label::SiteLongitude)};
        for (const Figure& setting : mount) siteLabels.push_back(label(setting.label));
        header.insert(header.begin(), siteLabels.begin(), siteLabels.end());
      }
      rows.push_back(std::move(header));
    }
    if (options.minimumElevation && pointing.elevation() < *options.minimumElevation) continue;
    const double clearance = pointing.clearance ? pointing.clearance->degrees : pointing.elevation();
    if (options.minimumClearance && clearance < *options.minimumClearance) continue;
    Row row = {pointing.name,
               csv ? Cell::figure(singleToText(static_cast<Single>(mapLongitude(static_cast<double>(pointing.longitudeWest)))))
                   : Cell(pointing.position)};
    for (const Figure& figure : pointing.figures) row.push_back(csv ? csvCell(figure) : Cell(figure.text));
    if (pointing.clearance) row.push_back(Cell::figure(pointing.clearanceText));
    if (csv) row.push_back(Cell::figure(site.declinationText));
    if (job.orbitalList) row.push_back(pointing.joinedNotes());
    if (csv) {
      Row siteFields = {Cell::figure(site.latitudeDecimal), Cell::figure(site.longitudeDecimal)};
      for (const Figure& setting : mount) siteFields.push_back(csvCell(setting));
      row.insert(row.begin(), siteFields.begin(), siteFields.end());
    }
    rows.push_back(std::move(row));
  }
  if (csv) return rows.empty() ? std::string() : csvText(rows);
  Lines lines = siteLines(site);
  lines.add(Label::Declination, declinationLine(site));
  for (const Figure& setting : mount) lines.add(setting.label, setting.text);
  const std::string siteText = labelledLines(lines);
  return rows.empty() ? siteText : siteText + '\n' + alignedText(rows, job.orbitalList);
}

namespace {

// What the SUN OUTAGE line says when there are no days to list, or "".
std::string noOutage(const Job& job) {
  if (job.chosen->elevation() < 0) return "none: the satellite is below the horizon here";
  if (job.sunOutage->days.empty()) {
    return "none in the twelve months from " + calendarDateText(job.site.date) + " at " + job.sunOutage->angleText;
  }
  return {};
}

// The day table's rows: a header, then a row a day; local times after the
// UTC ones where there is a zone.
std::vector<Row> outageRows(const JobSunOutage& sun, std::string_view degreeSign) {
  const bool local = !sun.zone.empty();
  const auto timed = [&](Label l, const std::string& zone) { return label(l) + " " + zone; };
  Row header = {label(Label::Date), timed(Label::Start, "UTC"), timed(Label::End, "UTC"), timed(Label::Closest, "UTC"),
                label(Label::Separation)};
  if (local) {
    for (Label l : {Label::Start, Label::End, Label::Closest}) header.push_back(timed(l, sun.zone));
  }
  std::vector<Row> rows{header};
  for (const JobSunOutage::Day& d : sun.days) {
    Row row = {d.date, d.start, d.end, d.closest, Cell::figure(d.separation + std::string(degreeSign))};
    if (local) row.insert(row.end(), {d.localStart, d.localEnd, d.localClosest});
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

std::string sunOutageLines(const Job& job) {
  const JobSunOutage& sun = *job.sunOutage;
  Lines lines;
  if (const std::string none = noOutage(job); !none.empty()) {
    lines.add(Label::SunOutage, none);
    return labelledLines(lines);
  }
  lines.add(Label::SunOutage, sun.angleText);
  std::string text = labelledLines(lines) + '\n' + alignedText(outageRows(sun, "\u00b0"), false) + '\n';
  Lines seasons;
  for (const JobSunOutage::Season& s : sun.seasons) {
    seasons.add(Label::Season, s.first + " to " + s.last + ", longest " + s.longest + ", daily " + s.window +
                                   (s.localWindow.empty() ? "" : " (" + s.localWindow + ")"));
  }
  return text + labelledLines(seasons);
}

std::string sunBearingLines(const Job& job) {
  const JobSunBearing& sun = *job.sunBearing;
  Lines lines;
  lines.add(Label::SunOnBearing, sun.azimuthText + "° true: at these moments the sun's centre stands on the dish's "
                                                    "azimuth, and a vertical stick's shadow points directly away from "
                                                    "the dish's direction.");
  const bool local = !sun.zone.empty();
  Row header = {label(Label::Date), "UTC"};
  if (local) header.push_back(sun.zone);
  header.push_back(label(Label::SunElevation));
  std::vector<Row> rows{header};
  bool none = false;
  for (const JobSunBearing::Moment& m : sun.days) {
    Row row = {m.date, m.moment ? m.utc : "-"};
    if (local) row.push_back(m.moment ? m.local : "-");
    row.push_back(m.moment ? m.elevation : "-");
    rows.push_back(std::move(row));
    none = none || !m.moment;
  }
  return labelledLines(lines) + '\n' + alignedText(rows, false) +
         (none ? "-: the sun does not stand on this azimuth in daylight that day.\n" : "");
}

std::string multifeedLines(const Job& job) {
  // In the column of the chosen satellite's lines above them.
  const std::size_t width = widest(chosenLines(job));
  Lines dish;
  dish.add(Label::FocalLength, job.dishText);
  std::string text = labelledLines(dish, width);
  for (const MultifeedLnb& lnb : job.multifeeds) {
    Lines lines;
    lines.add(Label::Multifeed, satelliteText(lnb.satellite));
    for (const Figure& figure : lnb.figures) lines.add(figure.label, figure.text);
    for (const std::string& note : lnb.notes) lines.add(Label::Note, note);
    text += '\n' + labelledLines(lines, width);
  }
  return text;
}

std::string multifeedCsv(const Job& job) {
  const JobSite& site = job.site;
  std::vector<Row> rows{{label(Label::SiteLatitude), label(Label::SiteLongitude), label(Label::Satellite),
                         csvLabel(Label::Position), label(Label::Separation), "LNB OFFSET MM", "ACROSS MM (RIGHT POSITIVE)",
                         "UP MM", label(Label::LnbSkew), "COMA LOSS DB", "FOCAL LENGTH MM", label(Label::Note)}};
  const auto position = [](const Pointing& p) {
    return Cell::figure(singleToText(static_cast<Single>(mapLongitude(static_cast<double>(p.longitudeWest)))));
  };
  const auto number = [](double value, int decimals) { return Cell::figure(fixedText(value, decimals)); };
  const Cell focal = number(job.dish->focalMm, 0);
  const Cell latitude = Cell::figure(site.latitudeDecimal), longitude = Cell::figure(site.longitudeDecimal);
  const Cell zero = Cell::figure("0");
  rows.push_back({latitude, longitude, job.chosen->name.empty() ? job.chosen->position : job.chosen->name,
                  position(*job.chosen), zero, zero, zero, zero, csvCell(*job.chosen->figure(Label::LnbSkew)), zero, focal,
                  "the main LNB, at the focus"});
  for (const MultifeedLnb& lnb : job.multifeeds) {
    std::string notes;
    for (const std::string& note : lnb.notes) notes += (notes.empty() ? "" : "; ") + note;
    const Pointing& p = lnb.satellite;
    rows.push_back({latitude, longitude, p.name.empty() ? p.position : p.name, position(p),
                    number(lnb.offset.separation, 2), number(lnb.offset.offsetMm, 1), number(lnb.offset.acrossMm, 1),
                    number(lnb.offset.upMm, 1), csvCell(*p.figure(Label::LnbSkew)), number(lnb.offset.lossDb, 2), focal, notes});
  }
  return csvText(rows);
}

std::string sunOutageCsv(const Job& job) {
  return csvText(outageRows(*job.sunOutage, ""));
}

}  // namespace vantorel
