#include "first_actions_property.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "calc_error.h"
#include "first_actions.h"
#include "listmod.h"
#include "numeric_text.h"

namespace vantorel {
namespace {

// A list widget reports -1 for no row and 0 to 68 for the catalogue's rows;
// rows a little beyond both ends are allowed through to exercise the bounds
// check, but not so far that the row arithmetic itself could overflow.
constexpr int kLowestRow = -8;
constexpr int kHighestRow = 127;

using Texts = std::array<std::string, 3>;

// The outcome of one handler, reduced to what the window would show.
struct Outcome {
  std::optional<Texts> texts;
  std::string failure;  // a broken promise, empty if none
};

const Catalogue& catalogue() {
  static const Catalogue filled = [] {
    Catalogue c;
    listmod(c);
    return c;
  }();
  return filled;
}

std::string describe(const char* what, const BoxTexts& boxes, int row, const std::string& detail) {
  return std::string(what) + "\n  Text4=\"" + boxes.Text4 + "\"\n  Text5=\"" + boxes.Text5 + "\"\n  Text6=\"" +
         boxes.Text6 + "\"\n  Text7=\"" + boxes.Text7 + "\"\n  row=" + std::to_string(row) + "\n  " + detail;
}

bool namesABox(const CalcError& e) {
  switch (e.field()) {
    case Field::Latitude:
    case Field::Longitude:
    case Field::Declination:
    case Field::SatelliteLongitude:
    case Field::SatelliteList:
    case Field::OffsetAngle:
      return std::string_view(e.what()).find(fieldName(e.field())) != std::string_view::npos;
    case Field::None:
    case Field::Calculation:
    case Field::MinimumElevation:  // command-line options, never a box
    case Field::DishSize:
    case Field::Frequency:
    case Field::OutageAngle:
    case Field::FocalLength:
    case Field::MinimumClearance:
      break;
  }
  return false;
}

// Every text reads back as a finite number, and the magnetic azimuth is a
// compass reading, 0 to 360.
std::string checkTexts(const Texts& texts) {
  for (const std::string& text : texts) {
    try {
      if (!std::isfinite(textToDouble(text))) return "a result text is not finite: " + text;
    } catch (const CalcError&) {
      return "a result text does not read back as a number: " + text;
    }
  }
  const double magnetic = textToDouble(texts[1]);
  if (magnetic < 0 || magnetic > 360) return "the magnetic azimuth is no compass reading: " + texts[1];
  return {};
}

template <typename Handler>
Outcome run(Handler handler) {
  Outcome outcome;
  try {
    if (std::optional<OnecalcResult> r = handler()) {
      const ResultTexts t = resultTexts(*r);
      outcome.texts = Texts{t.Text1, t.Text2, t.Text3};
      outcome.failure = checkTexts(*outcome.texts);
    }
  } catch (const CalcError& e) {
    if (!namesABox(e)) outcome.failure = std::string("an error message names no box: ") + e.what();
  }
  return outcome;
}

}  // namespace

std::string checkFirstActions(const std::uint8_t* data, std::size_t size) {
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

  const Outcome calculated = run([&] { return std::optional(calculateFromBoxes(boxes)); });
  if (!calculated.failure.empty()) return describe("Calculate:", boxes, row, calculated.failure);

  const Outcome clicked = run([&] { return calculateForListRow(boxes, catalogue(), row); });
  if (!clicked.failure.empty()) return describe("List click:", boxes, row, clicked.failure);

  // A list click must agree with "Calculate" given the row's longitude.
  if (clicked.texts) {
    BoxTexts typed = boxes;
    typed.Text6 = catalogue().longitudeOf(slotForRow(row));
    try {
      const OnecalcResult r = calculateFromBoxes(typed);
      const ResultTexts t = resultTexts(r);
      if (Texts{t.Text1, t.Text2, t.Text3} != *clicked.texts) {
        return describe("a list click and Calculate disagree:", typed, row, t.Text1 + " / " + (*clicked.texts)[0]);
      }
    } catch (const CalcError& e) {
      return describe("Calculate fails where the list click succeeded:", typed, row, e.what());
    }
  }
  return {};
}

}  // namespace vantorel
