#include "gp_objects.h"

#include <string>

#include "calc_error.h"

namespace vantorel {

double ommNumber(const ListSource& source, std::size_t line, std::string_view key, std::string_view text) {
  double value = 0;
  if (!readNumber(trimmed(text), value)) {
    source.fail(line, "found " + std::string(key) + " " + quoted(text) + ", expected a number");
  }
  return value;
}

UtcInstant ommEpoch(const ListSource& source, std::size_t line, std::string_view text) {
  const std::optional<UtcInstant> epoch = parseIsoEpoch(trimmed(text));
  if (!epoch) {
    source.fail(line, "found EPOCH " + quoted(text) + ", expected a UTC date and time such as 2026-11-30T12:34:56.123456");
  }
  return *epoch;
}

void keepObject(const ListSource& source, std::size_t line, const OmmTexts& written, const MeanElements& elements,
                SatelliteCatalog& list) {
  const std::string_view name = trimmed(written[kObjectName]);
  if (name.empty()) source.fail(line, "found an object without a name, expected a satellite's name");
  source.checkName(line, name);
  const auto refuse = [&](std::string_view what, OmmKey key, std::string_view expected) {
    source.fail(line, "found " + quoted(name) + " with " + std::string(what) + " " + quoted(trimmed(written[key])) +
                          ", expected " + std::string(expected));
  };
  if (!(elements.meanMotion > 0)) refuse("a mean motion of", kMeanMotion, "revolutions a day over 0");
  if (!(elements.eccentricity >= 0 && elements.eccentricity < 1)) {
    refuse("an eccentricity of", kEccentricity, "0 to under 1");
  }
  if (!(elements.inclination >= 0 && elements.inclination <= 180)) {
    refuse("an inclination of", kInclination, "0 to 180 degrees");
  }
  if (!isNearGeostationary(elements)) {
    ++list.skipped;
    return;
  }
  list.entries.push_back({std::string(name), stationLongitude(elements), orbitalState(elements), std::nullopt, {}});
}

}  // namespace vantorel
