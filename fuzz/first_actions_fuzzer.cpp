// Feeds arbitrary bytes through the two calculation handlers' logic, exactly
// as the main window calls it, and checks what comes back.
//
// Input layout, one field per line so that corpus files stay readable:
//   line 1  Text4, the site latitude
//   line 2  Text5, the site longitude
//   line 3  Text6, the satellite longitude
//   line 4  Text7, the declination
//   line 5  the list row clicked, as decimal digits (-1 if absent or unreadable)
// Missing lines are empty texts. A box holds a single line, so no text needs
// to carry a line break; every other byte value, including NUL and invalid
// UTF-8, reaches the handlers unchanged.
//
// Properties: nothing crashes, hangs or trips a sanitizer; every outcome is
// either three result texts that read back as finite numbers, or a CalcError
// whose message names the box it concerns; a list click computes the same
// texts as "Calculate" with the row's catalogue longitude typed into Text6.

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "calc_error.h"
#include "first_actions.h"
#include "listmod.h"
#include "numeric_text.h"

namespace {

using vantorel::BoxTexts;
using vantorel::CalcError;
using vantorel::Field;
using vantorel::OnecalcResult;

// A list widget reports -1 for no row and 0 to 68 for the catalogue's rows;
// rows a little beyond both ends are allowed through to exercise the bounds
// check, but not so far that the row arithmetic itself could overflow.
constexpr int kLowestRow = -8;
constexpr int kHighestRow = 127;

[[noreturn]] void fail(const char* what, const BoxTexts& boxes, int row, const std::string& detail) {
  std::fprintf(stderr, "%s\n  Text4=\"%s\"\n  Text5=\"%s\"\n  Text6=\"%s\"\n  Text7=\"%s\"\n  row=%d\n  %s\n", what,
               boxes.Text4.c_str(), boxes.Text5.c_str(), boxes.Text6.c_str(), boxes.Text7.c_str(), row, detail.c_str());
  std::abort();
}

const vantorel::Catalogue& catalogue() {
  static const vantorel::Catalogue filled = [] {
    vantorel::Catalogue c;
    vantorel::listmod(c);
    return c;
  }();
  return filled;
}

bool namesABox(const CalcError& e) {
  switch (e.field()) {
    case Field::Latitude:
    case Field::Longitude:
    case Field::Declination:
    case Field::SatelliteLongitude:
    case Field::SatelliteList:
      return std::string_view(e.what()).find(vantorel::fieldName(e.field())) != std::string_view::npos;
    case Field::None:
    case Field::Calculation:
      break;
  }
  return false;
}

void checkResult(const OnecalcResult& r, const BoxTexts& boxes, int row) {
  for (const std::string* text : {&r.Text1, &r.Text2, &r.Text3}) {
    double value = 0;
    try {
      value = vantorel::textToDouble(*text);
    } catch (const CalcError& e) {
      fail("a result text does not read back as a number", boxes, row, *text);
    }
    if (!std::isfinite(value)) fail("a result text is not finite", boxes, row, *text);
  }
}

void checkError(const CalcError& e, const BoxTexts& boxes, int row) {
  if (!namesABox(e)) fail("an error message names no box", boxes, row, e.what());
}

// The outcome of one handler, reduced to what the window would show.
struct Outcome {
  std::optional<std::array<std::string, 3>> texts;
  std::optional<Field> errorField;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::array<std::string, 5> lines;
  std::size_t line = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      if (++line == lines.size()) break;
    } else {
      lines[line].push_back(static_cast<char>(data[i]));
    }
  }
  const BoxTexts boxes{lines[0], lines[1], lines[2], lines[3]};

  int row = -1;
  const std::string& rowText = lines[4];
  if (std::from_chars(rowText.data(), rowText.data() + rowText.size(), row).ec != std::errc{} || row < kLowestRow ||
      row > kHighestRow) {
    row = -1;
  }

  Outcome calculated;
  try {
    const OnecalcResult r = vantorel::calculateFromBoxes(boxes);
    checkResult(r, boxes, row);
    calculated.texts = std::array{r.Text1, r.Text2, r.Text3};
  } catch (const CalcError& e) {
    checkError(e, boxes, row);
    calculated.errorField = e.field();
  }

  Outcome clicked;
  try {
    const std::optional<OnecalcResult> r = vantorel::calculateForListRow(boxes, catalogue(), row);
    if (r) {
      checkResult(*r, boxes, row);
      clicked.texts = std::array{r->Text1, r->Text2, r->Text3};
    }
  } catch (const CalcError& e) {
    checkError(e, boxes, row);
    clicked.errorField = e.field();
  }

  // A list click must agree with "Calculate" given the row's longitude.
  if (clicked.texts) {
    BoxTexts typed = boxes;
    typed.Text6 = catalogue().longitudeOf(vantorel::slotForRow(row));
    try {
      const OnecalcResult r = vantorel::calculateFromBoxes(typed);
      if (std::array{r.Text1, r.Text2, r.Text3} != *clicked.texts) {
        fail("a list click and Calculate disagree", typed, row, r.Text1 + " / " + (*clicked.texts)[0]);
      }
    } catch (const CalcError& e) {
      fail("Calculate fails where the list click succeeded", typed, row, e.what());
    }
  }
  return 0;
}
