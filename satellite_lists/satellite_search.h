#pragma once
// A satellite found in a list by the name a user typed ("hot bird 13",
// "Astra 1KR"). Case and runs of spaces and punctuation are ignored:
// "hotbird 13" and "Hot Bird 13B" compare as "hotbird13" and "hotbird13b".
// An exact match wins; otherwise the text must be found in the name of a
// single entry.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "satellite_list.h"

namespace vantorel {

struct SatelliteMatch {
  enum class Kind {
    Found,    // entry is the satellite
    Several,  // candidates holds the first ten matches, count says how many there are
    None,     // no entry matches, or the text has no letter or digit
  };
  Kind kind = Kind::None;
  std::size_t entry = 0;               // an index into the list's entries, for Found
  std::vector<std::size_t> candidates;  // indices in the list's order, for Several
  std::size_t count = 0;               // every match, for Several
};

inline constexpr std::size_t kShownCandidates = 10;

// typed as compared: ASCII letters in lower case, ASCII characters that are
// neither letters nor digits left out, every other byte kept ("Hot-Bird 13"
// gives "hotbird13").
std::string comparableName(std::string_view typed);

SatelliteMatch findSatellite(const SatelliteList& list, std::string_view typed);

}  // namespace vantorel
