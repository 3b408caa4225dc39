#pragma once
// What the main window's two calculation handlers do, without the window:
// read the input texts, convert and decode them in a fixed order, compute,
// and hand back the three result texts. The window and the command line only
// copy texts in and out, so this is the whole behaviour of a calculation,
// and the fuzzer and the tests drive it directly.

#include <optional>
#include <string>
#include <string_view>

#include "input_ranges.h"
#include "listmod.h"
#include "onecalc.h"
#include "site_inputs.h"

namespace vantorel {

// The input boxes' texts, named after their boxes.
struct BoxTexts {
  std::string Text4;  // site latitude, DDMMSS or decimal degrees
  std::string Text5;  // site longitude West, DDDMMSS or decimal degrees
  std::string Text6;  // satellite longitude West, 180 or less
  std::string Text7;  // magnetic declination, negative for West, at most 180 either way
};

// What the input boxes hold when the main window opens.
inline const BoxTexts kOpeningBoxTexts{std::string(kOpeningLatitude), std::string(kOpeningLongitude),
                                       std::string(kOpeningSatellite), std::string(kOpeningDeclination)};

// The three results as the window's boxes Text1 to Text3 show them.
struct ResultTexts {
  std::string Text1;  // AZIMUTH TRUE
  std::string Text2;  // AZIMUTH MAGNETIC
  std::string Text3;  // ELEVATION
};
ResultTexts resultTexts(const OnecalcResult& result);

// "Calculate". Reads Text7, then checks Text6 against 180, then decodes Text4
// and Text5, then rounds Text6 to whole degrees (halves to even) and computes.
// Throws CalcError naming the first box that fails.
OnecalcResult calculateFromBoxes(const BoxTexts& boxes);

// A click on list row listIndex (-1 for none). Text6 is not read: the window
// sets it to "0". Reads Text7, decodes Text4 and Text5, then takes the
// longitude of the row's catalogue slot. Returns nothing for a row whose slot
// is empty. Throws CalcError naming the first box that fails.
std::optional<OnecalcResult> calculateForListRow(const BoxTexts& boxes, const Catalogue& catalogue, int listIndex);

// The whole degrees West that list row listIndex computes with: its slot's
// longitude rounded, halves to even. Nothing for a row whose slot is empty.
// Throws CalcError(SatelliteList, SubscriptOutOfRange) for a row past the
// catalogue's slots.
std::optional<Integer> satelliteForListRow(const Catalogue& catalogue, int listIndex);

// The inputs of the look angles exactly as the two handlers above read them,
// with the same refusals, for what else is computed from the same site and
// satellite (the LNB skew).
OnecalcInputs inputsFromBoxes(const BoxTexts& boxes);
std::optional<OnecalcInputs> inputsForListRow(const BoxTexts& boxes, const Catalogue& catalogue, int listIndex);

}  // namespace vantorel
