#pragma once
// What the three readers of CelesTrak's GP data (OMM CSV, OMM JSON, TLE)
// share: the OMM keywords they read, the checks every object's elements
// pass, and keeping the near-geostationary ones at their station longitude.

#include <array>
#include <cstddef>
#include <string_view>

#include "list_source.h"
#include "mean_elements.h"
#include "satellite_list.h"

namespace vantorel {

// The keywords an OMM object needs, in the order of ommKey's values.
enum OmmKey { kObjectName, kEpoch, kMeanMotion, kEccentricity, kInclination, kNode, kPerigee, kMeanAnomaly };
inline constexpr std::array<std::string_view, 8> kOmmKeys = {
    "OBJECT_NAME",   "EPOCH",          "MEAN_MOTION",       "ECCENTRICITY",
    "INCLINATION",   "RA_OF_ASC_NODE", "ARG_OF_PERICENTER", "MEAN_ANOMALY"};

// The number an OMM value is written as, for the keyword key.
double ommNumber(const ListSource& source, std::size_t line, std::string_view key, std::string_view text);

// The epoch an OMM value is written as.
UtcInstant ommEpoch(const ListSource& source, std::size_t line, std::string_view text);

// An object's fields as the file writes them, by OmmKey: what a refusal
// quotes, so that a number is shown as written, never reformatted (an
// eccentricity of 9901.004E302 written out in full runs to 306 digits).
using OmmTexts = std::array<std::string_view, kOmmKeys.size()>;

// Checks the object's name (written[kObjectName]) and elements, which must
// make an orbit whether or not it is kept, then adds it to the list if it is
// near geostationary and counts it as skipped otherwise.
void keepObject(const ListSource& source, std::size_t line, const OmmTexts& written, const MeanElements& elements,
                SatelliteCatalog& list);

}  // namespace vantorel
