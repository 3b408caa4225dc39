#include "result_printing.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "lnb_skew.h"

namespace vantorel {
namespace {

constexpr std::string_view kSkewLabel = "LNB SKEW";
constexpr std::string_view kDeclinationLabel = "DECLINATION";

// Where the values start: after the widest label and two blanks, so that the
// values line up.
constexpr std::size_t kLabelColumn = std::max({kResultLabels[0].size(), kResultLabels[1].size(),
                                               kResultLabels[2].size(), kSkewLabel.size(),
                                               kDeclinationLabel.size()}) +
                                     2;

using Row = std::vector<std::string>;

// The look angles and the skew of one site and satellite, in print order.
Row results(const OnecalcInputs& in) {
  const OnecalcResult angles = onecalc(in);
  return {angles.Text1, angles.Text2, angles.Text3, lnbSkew(in).Text};
}

Row resultLabels() {
  return {std::string(kResultLabels[0]), std::string(kResultLabels[1]), std::string(kResultLabels[2]),
          std::string(kSkewLabel)};
}

// Columns two blanks apart, names left-aligned, numbers right-aligned.
std::string alignedText(const std::vector<Row>& rows) {
  std::vector<std::size_t> widths(rows.front().size());
  for (const Row& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  std::string text;
  for (const Row& row : rows) {
    std::string line = row[0] + std::string(widths[0] - row[0].size(), ' ');
    for (std::size_t c = 1; c < row.size(); ++c) line += "  " + std::string(widths[c] - row[c].size(), ' ') + row[c];
    text += line + '\n';
  }
  return text;
}

// RFC 4180: records end in CRLF; the header and the names are quoted, with
// any quote doubled, so that a spreadsheet keeps them as text.
std::string csvText(const std::vector<Row>& rows) {
  const auto quoted = [](const std::string& field) {
    std::string q = "\"";
    for (char c : field) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + '"';
  };
  std::string text;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      text += (c > 0 ? "," : "") + (r == 0 || c == 0 ? quoted(rows[r][c]) : rows[r][c]);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace

std::string satelliteLines(const BoxTexts& boxes, bool showDeclination) {
  Row labels = resultLabels();
  Row values = results(inputsFromBoxes(boxes));
  if (showDeclination) {
    labels.insert(labels.begin(), std::string(kDeclinationLabel));
    values.insert(values.begin(), boxes.Text7);
  }
  std::string lines;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i].resize(kLabelColumn, ' ');
    lines += labels[i] + values[i] + '\n';
  }
  return lines;
}

std::string satelliteTable(const BoxTexts& boxes, bool csv, bool showDeclination) {
  Catalogue catalogue;
  listmod(catalogue);
  Row header = {"SATELLITE", "LONGITUDE", "WHOLE DEGREES"};
  for (std::string& label : resultLabels()) header.push_back(std::move(label));
  if (showDeclination) header.emplace_back(kDeclinationLabel);
  std::vector<Row> rows = {header};
  for (int row = 0; row < rowCount(catalogue); ++row) {
    const std::optional<OnecalcInputs> in = inputsForListRow(boxes, catalogue, row);
    if (!in) continue;
    const int slot = slotForRow(row);
    Row printed = {catalogue.SatelliteNames[static_cast<std::size_t>(slot)], catalogue.longitudeOf(slot),
                   singleToText(in->SatelliteLongitude)};
    for (std::string& value : results(*in)) printed.push_back(std::move(value));
    if (showDeclination) printed.push_back(boxes.Text7);
    rows.push_back(std::move(printed));
  }
  return csv ? csvText(rows) : alignedText(rows);
}

}  // namespace vantorel
