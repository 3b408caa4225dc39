#include "first_actions.h"

#include <cmath>

#include "calc_error.h"
#include "deccalc.h"

namespace vantorel {
namespace {

template <typename Convert>
auto forField(Field field, Convert convert) {
  try {
    return convert();
  } catch (const CalcError& e) {
    throw e.field() == Field::None ? e.forField(field) : e;
  }
}

}  // namespace

ResultTexts resultTexts(const OnecalcResult& result) {
  return {result.azimuthTrueText, result.azimuthMagneticText, result.elevationText};
}

OnecalcInputs inputsFromBoxes(const BoxTexts& boxes) {
  OnecalcInputs in;
  in.Declination = readDeclination(boxes.Text7);
  const double satellite = forField(Field::SatelliteLongitude, [&] { return textToDouble(boxes.Text6); });
  if (satellite > kSatelliteLongitudeLimit) throw CalcError(Field::SatelliteLongitude, Fault::OutOfRange, boxes.Text6);
  in.SiteLatitude = deccalc(boxes.Text4, Field::Latitude).DecimalDegrees;
  in.SiteLongitude = deccalc(boxes.Text5, Field::Longitude).DecimalDegrees;
  in.SatelliteLongitude = forField(Field::SatelliteLongitude, [&] {
    try {
      return static_cast<Single>(roundToInteger(leadingNumber(boxes.Text6)));
    } catch (const CalcError&) {
      throw CalcError(Field::SatelliteLongitude, Fault::Overflow, boxes.Text6);
    }
  });
  return in;
}

OnecalcResult calculateFromBoxes(const BoxTexts& boxes) { return onecalc(inputsFromBoxes(boxes)); }

std::optional<OnecalcInputs> inputsForListRow(const BoxTexts& boxes, const Catalogue& catalogue, int listIndex) {
  OnecalcInputs in;
  in.Declination = readDeclination(boxes.Text7);
  in.SiteLatitude = deccalc(boxes.Text4, Field::Latitude).DecimalDegrees;
  in.SiteLongitude = deccalc(boxes.Text5, Field::Longitude).DecimalDegrees;
  const std::optional<Integer> satellite = satelliteForListRow(catalogue, listIndex);
  if (!satellite) return std::nullopt;
  in.SatelliteLongitude = static_cast<Single>(*satellite);
  return in;
}

std::optional<OnecalcResult> calculateForListRow(const BoxTexts& boxes, const Catalogue& catalogue, int listIndex) {
  const std::optional<OnecalcInputs> in = inputsForListRow(boxes, catalogue, listIndex);
  return in ? std::optional(onecalc(*in)) : std::nullopt;
}

std::optional<Integer> satelliteForListRow(const Catalogue& catalogue, int listIndex) {
  const std::string& longitude = catalogue.longitudeOf(slotForRow(listIndex));
  if (longitude.empty()) return std::nullopt;
  return textToInteger(longitude);
}

}  // namespace vantorel
