#pragma once
// The four inputs every face starts from, the site's latitude and longitude,
// the satellite and the magnetic declination: what they hold before anything
// is typed, and the declination's reading, which every face shares.

#include <string>
#include <string_view>

#include "numeric_text.h"

namespace vantorel {

// The texts the main window opens with, which a run keeps for an input not
// given.
inline constexpr std::string_view kOpeningLatitude = "420100";
inline constexpr std::string_view kOpeningLongitude = "0910100";
inline constexpr std::string_view kOpeningSatellite = "000";
inline constexpr std::string_view kOpeningDeclination = "-8";

// The four as typed. A latitude, longitude or satellite may end in a
// hemisphere letter; the satellite is a longitude or a name in the list.
struct InputTexts {
  std::string latitude;
  std::string longitude;
  std::string satellite;
  std::string declination;

  friend bool operator==(const InputTexts&, const InputTexts&) = default;
};

inline const InputTexts kOpeningInputs{std::string(kOpeningLatitude), std::string(kOpeningLongitude),
                                       std::string(kOpeningSatellite), std::string(kOpeningDeclination)};

// The declination typed, East positive; throws CalcError(Declination) for a
// text that is not a number or lies beyond kDeclinationLimit either way.
Single readDeclination(std::string_view text);

}  // namespace vantorel
