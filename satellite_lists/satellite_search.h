#pragma once
// A satellite found in a list by the name a user typed ("hot bird 13",
// "Astra 1M", "TÜRKSAT 5A", "astra 19.2"), as receiver lists and orbital
// data write names and installers say them:
//   - case folds for all of Unicode and diacritics are ignored, and only
//     letters and digits count: "Türksat 5A", "TURKSAT 5a" and "turksat-5a"
//     are one name;
//   - band words (C-band, Ku, Ku-band, Ka-band, S-band) are set aside, in
//     the list's names and in what is typed alike, and words match in any
//     order: "Galaxy 19 C-band" is "C-band Galaxy 19";
//   - a position the name states ("58.0W C-band Intelsat 21", "Astra 2E
//     (28.2E)") need not be typed, and one typed anywhere in the text
//     ("astra 19.2", "Thor 0.8°W", "badr 26") narrows the search to the
//     slots within kOneSlot of it, either side where it has no letter; the
//     text is first tried as name words, so that "Galaxy 19" stays a name;
//   - a name that lists the co-located satellites of a slot answers for each
//     of them, the first word carried over to those that lack one: "Astra
//     1KR/1M/1N/1P" answers "Astra 1M", "T12 & SES 18" answers "SES 18".
// An exact match wins, then a match of whole words, then the text found
// within a name. Where a word is whole in one slot's name and only the start
// of a word in another's ("eutelsat 7": "Eutelsat 7 West A", "Eutelsat 7B"),
// both are offered. Entries that all lie within kOneSlot of one position
// are one slot, and the first of them in the list's order is the satellite;
// candidates name each slot once.

#include <cstddef>
#include <optional>
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
// Bands of one slot are keyed a tenth or two apart; satellites this close
// are one dish's aim.
inline constexpr double kOneSlot = 0.1;  // degrees

// typed as compared: folded as above, letters and digits only ("Hot-Bird 13"
// gives "hotbird13", "Türksat" gives "turksat"). Bytes that are not UTF-8
// count as nothing.
std::string comparableName(std::string_view typed);

SatelliteMatch findSatellite(const SatelliteCatalog& list, std::string_view typed);

// The names a list's entries answer to, folded once, for finding many names
// in one list as fast as typing needs: a filter that follows each key.
class NameIndex {
 public:
  explicit NameIndex(const SatelliteCatalog& list);

  // As findSatellite.
  SatelliteMatch find(std::string_view typed) const;
  // Every entry the text matches at all, exactly, by whole words or within
  // a name, and every entry within half a degree of a position typed, in the
  // list's order; every entry for a text with no letter or digit.
  std::vector<std::size_t> matching(std::string_view typed) const;

 private:
  using Words = std::vector<std::string>;
  // Each entry's match level for wanted, for the entries among; kLevels for
  // the others.
  // asWritten: the whole text typed, folded and joined, band words and all,
  // which an entry's name as written matches exactly.
  std::vector<int> levels(const Words& wanted, const std::vector<std::size_t>& among,
                          const std::string& asWritten = {}) const;
  std::vector<std::size_t> everyEntry() const;
  // The satellite of entries found at one level: one slot, or several.
  SatelliteMatch decide(const std::vector<std::size_t>& found) const;
  // The match at the exact or the whole-word level, if any entry has one.
  std::optional<SatelliteMatch> decideBest(const std::vector<int>& levels) const;

  // For each entry its names' words, and its position.
  std::vector<std::vector<std::vector<std::string>>> m_names;
  std::vector<double> m_longitudes;
};

}  // namespace vantorel
