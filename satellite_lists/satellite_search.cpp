#include "satellite_search.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>

#include "angles.h"
#include "hemisphere.h"

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
    if (pair) {
      ++i;
    } else if (!together) {
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
    if (i == 0) {
      carried = {words.front()};
    } else if (words.size() == 1 && !carried.empty()) {
      words.insert(words.begin(), carried.front());  // "1M" after "Astra 1KR" is "Astra 1M"
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

// Whether wanted runs, word for word, within words.
bool holdsWords(const Words& words, const Words& wanted) {
  return std::search(words.begin(), words.end(), wanted.begin(), wanted.end()) != words.end();
}

enum Level { kExact, kWholeWords, kWithin, kLevels };

// The level at which the entry's names match wanted, or kLevels for none.
int matchLevel(const std::vector<Words>& names, const Words& wanted, const std::string& squashed) {
  int best = kLevels;
  for (const Words& name : names) {
    const std::string whole = joined(name);
    if (whole == squashed) best = std::min<int>(best, kExact);
    else if (holdsWords(name, wanted)) best = std::min<int>(best, kWholeWords);
    else if (whole.find(squashed) != std::string::npos) best = std::min<int>(best, kWithin);
  }
  return best;
}

}  // namespace

std::string comparableName(std::string_view typed) { return joined(foldedWords(typed)); }

NameIndex::NameIndex(const SatelliteCatalog& list) {
  m_names.reserve(list.entries.size());
  for (const SatelliteEntry& entry : list.entries) {
    m_names.push_back(namesOf(entry.name));
    m_longitudes.push_back(entry.longitudeEast);
  }
}

std::vector<std::size_t> NameIndex::matching(std::string_view typed) const {
  const Words wanted = foldedWords(typed);
  const std::string squashed = joined(wanted);
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    if (squashed.empty() || matchLevel(m_names[i], wanted, squashed) < kLevels) found.push_back(i);
  }
  return found;
}

SatelliteMatch NameIndex::find(std::string_view typed) const {
  const Words wanted = foldedWords(typed);
  const std::string squashed = joined(wanted);
  if (squashed.empty()) return {};
  std::array<std::vector<std::size_t>, kLevels> matches;
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    const int level = matchLevel(m_names[i], wanted, squashed);
    if (level < kLevels) matches[static_cast<std::size_t>(level)].push_back(i);
  }
  for (const std::vector<std::size_t>& found : matches) {
    if (found.empty()) continue;
    const double first = m_longitudes[found.front()];
    const bool oneSlot = std::all_of(found.begin(), found.end(), [&](std::size_t i) {
      return std::fabs(halfTurns(m_longitudes[i] - first)) <= kOneSlot;
    });
    if (oneSlot) return {SatelliteMatch::Kind::Found, found.front(), {}, 1};
    SatelliteMatch several{SatelliteMatch::Kind::Several, 0, {}, found.size()};
    several.candidates.assign(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(std::min(found.size(), kShownCandidates)));
    return several;
  }
  return {};
}

SatelliteMatch findSatellite(const SatelliteCatalog& list, std::string_view typed) { return NameIndex(list).find(typed); }

}  // namespace vantorel
