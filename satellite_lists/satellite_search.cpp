#include "satellite_search.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>

#include "angles.h"
#include "hemisphere.h"
#include "list_source.h"

namespace vantorel {
namespace {

using Words = std::vector<std::string>;

// The words of a text, folded: runs of letters and digits, case folded,
// diacritics left off.
Words foldedWords(std::string_view text) {
  const QString decomposed =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).normalized(QString::NormalizationForm_KD);
  Words words(1);
  for (const QChar c : decomposed) {
    if (c.isMark()) continue;
    if (c.isLetterOrNumber()) {
      words.back() += QString(c).toCaseFolded().toStdString();
    } else if (!words.back().empty()) {
      words.emplace_back();
    }
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

std::string joined(const Words& words) {
  std::string all;
  for (const std::string& word : words) all += word;
  return all;
}

// Band words are written with a hyphen or a blank ("Ku-band", "C band"), so
// they arrive as two words, or as one when written together.
void dropBandWords(Words& words) {
  constexpr std::array<std::string_view, 4> kBands = {"c", "ku", "ka", "s"};
  Words kept;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const bool pair = i + 1 < words.size() && words[i + 1] == "band" &&
                      std::find(kBands.begin(), kBands.end(), words[i]) != kBands.end();
    const bool together = words[i].ends_with("band") &&
                          std::find(kBands.begin(), kBands.end(), words[i].substr(0, words[i].size() - 4)) != kBands.end();
    // "Ku" alone is how installers say Ku-band; a lone "C", "S" or "Ka" is
    // more often part of a name.
    const bool lone = words[i] == "ku";
    if (pair) {
      ++i;
    } else if (!together && !lone) {
      kept.push_back(words[i]);
    }
  }
  words = kept;
}

// The name without a position it states: a leading "58.0W " or a trailing
// "(28.2E)".
std::string_view withoutStatedPosition(std::string_view name) {
  const LetteredNumber leading = readLetteredNumber(name);
  if ((leading.letter == 'E' || leading.letter == 'W') && leading.length < name.size()) name.remove_prefix(leading.length);
  if (name.ends_with(')')) {
    const std::size_t open = name.rfind('(');
    if (open != std::string_view::npos) {
      const std::string_view inside = trimmed(name.substr(open + 1, name.size() - open - 2));
      const LetteredNumber stated = readLetteredNumber(inside);
      if (stated.letter != 0 && stated.length == inside.size()) name = name.substr(0, open);
    }
  }
  return trimmed(name);
}

// The names an entry answers to, as words: its whole name, the name without
// band words and stated position, and each satellite of a slot it lists.
std::vector<Words> namesOf(std::string_view name) {
  std::vector<Words> names{foldedWords(name)};
  const std::string_view base = withoutStatedPosition(name);
  std::vector<std::string_view> parts;
  for (std::size_t from = 0;;) {
    const std::size_t split = std::min(base.find_first_of("/&", from), base.size());
    parts.push_back(base.substr(from, split - from));
    if (split == base.size()) break;
    from = split + 1;
  }
  Words carried;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Words words = foldedWords(parts[i]);
    dropBandWords(words);
    if (words.empty()) continue;
    if (i == 0 || words.size() > 1) {
      carried = {words.front()};
    } else if (!carried.empty()) {
      // "1M" after "Astra 1KR" is "Astra 1M": the first word of the last
      // part that has more than one.
      words.insert(words.begin(), carried.front());
    }
    names.push_back(words);
  }
  if (parts.size() > 1) {
    Words whole = foldedWords(base);
    dropBandWords(whole);
    names.push_back(whole);
  }
  return names;
}

// How well an entry's names match the words typed, best first.
enum Level {
  kExact,       // a name is the text, its words in any order
  kWholeWords,  // a name holds every word typed, in any order
  kWordStarts,  // ...or at least the start of each ("7" of "7B")
  kWithin,      // the text is found within a name, blanks and punctuation left out
  kLevels       // no match
};

bool holdsWord(const Words& words, const std::string& word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

bool holdsWordStart(const Words& words, const std::string& start) {
  return std::any_of(words.begin(), words.end(), [&](const std::string& w) { return w.starts_with(start); });
}

bool sameWords(Words a, Words b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

// The level at which an entry's names match wanted. names[0] is the whole
// name as written, position and band words included: it matches only as
// joined text, so that "19.2E astra" still finds "19.2E Astra 1KR". The
// others, without them, match word by word in any order: "Galaxy 19" is
// not found in "19.0W Galaxy 23".
int matchLevel(const std::vector<Words>& names, const Words& wanted, const std::string& squashed,
               const std::string& asWritten) {
  int best = kLevels;
  for (std::size_t n = 0; n < names.size(); ++n) {
    const Words& name = names[n];
    const std::string whole = joined(name);
    const bool byWords = n > 0;
    // The name as written, band words and all, is the text as typed.
    if (!byWords && !asWritten.empty() && whole == asWritten) return kExact;
    if (whole == squashed || (byWords && sameWords(name, wanted))) return kExact;
    const auto every = [&](auto holds) {
      return std::all_of(wanted.begin(), wanted.end(), [&](const std::string& w) { return holds(name, w); });
    };
    if (byWords && every(holdsWord)) {
      best = std::min<int>(best, kWholeWords);
    } else if (byWords && every(holdsWordStart)) {
      best = std::min<int>(best, kWordStarts);
    } else if (whole.find(squashed) != std::string::npos) {
      best = std::min<int>(best, kWithin);
    }
  }
  return best;
}

// A position typed among a name's words: "astra 19.2", "Astra 19,2E",
// "Thor 0.8°W", "Nilesat 7W", "badr 26": a number of degrees, 180 or less,
// with a decimal point or comma, then an optional degree sign and E or W.
// The number stands alone: "1KR" or "13G" are name words.
struct TypedPosition {
  double degrees = 0;
  char letter = 0;  // 'E', 'W', or 0 for either side
  Words rest;       // the words typed beside it, folded, band words dropped
};

bool isAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::optional<TypedPosition> typedPosition(std::string_view typed) {
  constexpr std::string_view kDegree = "\xC2\xB0";
  constexpr double kHalfTurn = 180;
  std::optional<TypedPosition> found;
  for (std::size_t at = 0; at < typed.size(); ++at) {
    const bool starts = typed[at] >= '0' && typed[at] <= '9' &&
                        (at == 0 || !(isAsciiAlnum(typed[at - 1]) || typed[at - 1] == '.' || typed[at - 1] == ','));
    if (!starts) continue;
    std::size_t end = at;
    std::string number;
    while (end < typed.size() && typed[end] >= '0' && typed[end] <= '9') number += typed[end++];
    if (end + 1 < typed.size() && (typed[end] == '.' || typed[end] == ',') && typed[end + 1] >= '0' &&
        typed[end + 1] <= '9') {
      number += '.';
      ++end;
      while (end < typed.size() && typed[end] >= '0' && typed[end] <= '9') number += typed[end++];
    }
    std::size_t after = end;
    while (after < typed.size() && typed[after] == ' ') ++after;
    if (typed.substr(after).starts_with(kDegree)) after += kDegree.size();
    while (after < typed.size() && typed[after] == ' ') ++after;
    char letter = 0;
    if (after < typed.size() && (after + 1 == typed.size() || !isAsciiAlnum(typed[after + 1]))) {
      const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(typed[after])));
      if (c == 'E' || c == 'W') {
        letter = c;
        end = after + 1;
      }
    }
    if (letter == 0 && end < typed.size() && isAsciiAlnum(typed[end])) continue;  // "13G", "1KR"
    double degrees = 0;
    if (!readNumber(number, degrees) || degrees > kHalfTurn) continue;
    // The last position typed wins, a lettered one over an unlettered one.
    if (found && found->letter != 0 && letter == 0) continue;
    TypedPosition p{degrees, letter, foldedWords(std::string(typed.substr(0, at)) + " " + std::string(typed.substr(end)))};
    dropBandWords(p.rest);
    found = p;
    at = end - 1;
  }
  return found;
}

// Whether an entry lies within window of the position typed, on its side, or
// on either where no letter was typed.
bool near(double longitudeEast, const TypedPosition& p, double window) {
  const auto within = [&](double east) { return std::fabs(halfTurns(longitudeEast - east)) <= window + 1e-9; };
  if (p.letter == 'E') return within(p.degrees);
  if (p.letter == 'W') return within(-p.degrees);
  return within(p.degrees) || within(-p.degrees);
}

// The words typed, folded, band words set aside unless they are all there
// is: a satellite may be named "Ku".
Words typedWords(std::string_view typed) {
  Words words = foldedWords(typed);
  Words named = words;
  dropBandWords(named);
  return named.empty() ? words : named;
}

// A slot's window around a typed position; the planner's filter is wider,
// to show the neighbours of a slot too.
constexpr double kFilterWindow = 0.5;  // degrees

}  // namespace

std::string comparableName(std::string_view typed) { return joined(foldedWords(typed)); }

NameIndex::NameIndex(const SatelliteCatalog& list) {
  m_names.reserve(list.entries.size());
  for (const SatelliteEntry& entry : list.entries) {
    m_names.push_back(namesOf(entry.name));
    m_longitudes.push_back(entry.longitudeEast);
  }
}

std::vector<int> NameIndex::levels(const Words& wanted, const std::vector<std::size_t>& among,
                                   const std::string& asWritten) const {
  const std::string squashed = joined(wanted);
  std::vector<int> levels(m_names.size(), kLevels);
  for (const std::size_t i : among) {
    levels[i] = squashed.empty() ? kExact : matchLevel(m_names[i], wanted, squashed, asWritten);
  }
  return levels;
}

std::vector<std::size_t> NameIndex::everyEntry() const {
  std::vector<std::size_t> all(m_names.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  return all;
}

std::vector<std::size_t> NameIndex::matching(std::string_view typed) const {
  const Words wanted = typedWords(typed);
  if (wanted.empty()) return everyEntry();
  const std::vector<int> byName = levels(wanted, everyEntry(), joined(foldedWords(typed)));
  std::vector<int> byPosition(m_names.size(), kLevels);
  if (const std::optional<TypedPosition> p = typedPosition(typed)) {
    std::vector<std::size_t> nearby;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
      if (near(m_longitudes[i], *p, kFilterWindow)) nearby.push_back(i);
    }
    byPosition = levels(p->rest, nearby);
  }
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    if (byName[i] < kLevels || byPosition[i] < kLevels) found.push_back(i);
  }
  return found;
}

SatelliteMatch NameIndex::decide(const std::vector<std::size_t>& found) const {
  // Positions written to a tenth are a tenth apart only to rounding.
  const auto sameSlot = [this](std::size_t a, std::size_t b) {
    return std::fabs(halfTurns(m_longitudes[a] - m_longitudes[b])) <= kOneSlot + 1e-9;
  };
  const bool oneSlot =
      std::all_of(found.begin(), found.end(), [&](std::size_t i) { return sameSlot(i, found.front()); });
  if (oneSlot) return {SatelliteMatch::Kind::Found, found.front(), {}, 1};
  // Each slot once, by its first entry in the list's order.
  SatelliteMatch several{SatelliteMatch::Kind::Several, 0, {}, 0};
  std::vector<std::size_t> distinct;
  for (const std::size_t i : found) {
    const bool seen = std::any_of(distinct.begin(), distinct.end(), [&](std::size_t j) { return sameSlot(i, j); });
    if (!seen) distinct.push_back(i);
  }
  several.count = distinct.size();
  several.candidates.assign(distinct.begin(), distinct.begin() + static_cast<std::ptrdiff_t>(std::min(distinct.size(), kShownCandidates)));
  return several;
}

std::optional<SatelliteMatch> NameIndex::decideBest(const std::vector<int>& levels) const {
  std::array<std::vector<std::size_t>, kLevels> byLevel;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (levels[i] < kLevels) byLevel[static_cast<std::size_t>(levels[i])].push_back(i);
  }
  if (!byLevel[kExact].empty()) return decide(byLevel[kExact]);
  if (!byLevel[kWholeWords].empty()) {
    // A word whole in one slot's name and only the start of a word in
    // another's ("eutelsat 7": "Eutelsat 7 West A", "Eutelsat 7B") may
    // mean either: both are offered.
    std::vector<std::size_t> both = byLevel[kWholeWords];
    both.insert(both.end(), byLevel[kWordStarts].begin(), byLevel[kWordStarts].end());
    std::sort(both.begin(), both.end());
    return decide(both);
  }
  return std::nullopt;
}

SatelliteMatch NameIndex::find(std::string_view typed) const {
  const Words wanted = typedWords(typed);
  if (wanted.empty()) return {};
  // The text as name words first, so that "Galaxy 19" stays a name...
  const std::vector<int> byName = levels(wanted, everyEntry(), joined(foldedWords(typed)));
  if (std::optional<SatelliteMatch> match = decideBest(byName)) return *match;
  // ...then as a position with the name's words beside it...
  if (const std::optional<TypedPosition> p = typedPosition(typed)) {
    std::vector<std::size_t> nearby;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
      if (near(m_longitudes[i], *p, kOneSlot)) nearby.push_back(i);
    }
    const std::vector<int> byPosition = levels(p->rest, nearby);
    if (std::optional<SatelliteMatch> match = decideBest(byPosition)) return *match;
    std::vector<std::size_t> loosely;
    for (const std::size_t i : nearby) {
      if (byPosition[i] < kLevels) loosely.push_back(i);
    }
    if (!loosely.empty()) return decide(loosely);
  }
  // ...and last as the start of words or text within a name.
  std::vector<std::size_t> loosely;
  for (std::size_t i = 0; i < byName.size(); ++i) {
    if (byName[i] < kLevels) loosely.push_back(i);
  }
  if (!loosely.empty()) return decide(loosely);
  return {};
}

SatelliteMatch findSatellite(const SatelliteCatalog& list, std::string_view typed) { return NameIndex(list).find(typed); }

}  // namespace vantorel
