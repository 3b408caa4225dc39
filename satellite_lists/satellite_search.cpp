#include "satellite_search.h"

namespace vantorel {

std::string comparableName(std::string_view typed) {
  std::string kept;
  for (const char c : typed) {
    if (c >= 'A' && c <= 'Z') {
      kept += static_cast<char>(c - 'A' + 'a');
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80) {
      kept += c;
    }
  }
  return kept;
}

SatelliteMatch findSatellite(const SatelliteList& list, std::string_view typed) {
  const std::string wanted = comparableName(typed);
  SatelliteMatch exact{SatelliteMatch::Kind::Several, 0, {}, 0};
  SatelliteMatch containing = exact;
  if (wanted.empty()) return {};
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const std::string name = comparableName(list.entries[i].name);
    SatelliteMatch* match = name == wanted ? &exact : name.find(wanted) != std::string::npos ? &containing : nullptr;
    if (!match) continue;
    if (match->candidates.size() < kShownCandidates) match->candidates.push_back(i);
    ++match->count;
  }
  SatelliteMatch& best = exact.count > 0 ? exact : containing;
  if (best.count == 0) return {};
  if (best.count == 1) return {SatelliteMatch::Kind::Found, best.candidates.front(), {}, 1};
  return best;
}

}  // namespace vantorel
