#include "site_declination.h"

#include "deccalc.h"

namespace vantorel {

DeclinationResult siteDeclination(const BoxTexts& boxes, std::optional<std::string_view> dateText) {
  const double latitude = static_cast<double>(deccalc(boxes.Text4, Field::Latitude).DecimalDegrees);
  const double longitudeWest = static_cast<double>(deccalc(boxes.Text5, Field::Longitude).DecimalDegrees);
  return dateText ? declinationAt(*dateText, latitude, longitudeWest)
                  : declinationAt(todayUtc(), latitude, longitudeWest);
}

}  // namespace vantorel
