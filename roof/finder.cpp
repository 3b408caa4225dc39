#include "finder.h"

#include <algorithm>
#include <cmath>

#include "numeric_text.h"

namespace vantorel {
namespace {

// The bands, MHz, and the oscillators that bring them down to the cable.
constexpr double kKuLowest = 10700, kKuSwitch = 11700, kKuHighest = 12750;
constexpr double kKuLowOscillator = 9750, kKuHighOscillator = 10600;
constexpr double kCLowest = 3400, kCHighest = 4200, kCOscillator = 5150;

// The order bands are tried in: a meter on a universal LNB starts low.
int bandRank(FinderBand band) { return band == FinderBand::KuHigh ? 1 : 0; }

}  // namespace

std::optional<FinderBand> finderBand(double f) {
  if (f >= kKuLowest && f < kKuSwitch) return FinderBand::KuLow;
  if (f >= kKuSwitch && f <= kKuHighest) return FinderBand::KuHigh;
  if (f >= kCLowest && f <= kCHighest) return FinderBand::C;
  return std::nullopt;
}

std::vector<FinderTuning> referenceTransponders(const std::vector<Transponder>& transponders) {
  std::vector<FinderTuning> chosen;
  for (const char polarization : {'H', 'V', 'L', 'R'}) {
    std::optional<FinderTuning> best;
    for (const Transponder& t : transponders) {
      const std::optional<FinderBand> band = finderBand(t.frequencyMegahertz);
      if (t.polarization != polarization || !band) continue;
      const bool better = !best || bandRank(*band) < bandRank(best->band) ||
                          (bandRank(*band) == bandRank(best->band) &&
                           t.frequencyMegahertz < best->transponder.frequencyMegahertz);
      if (!better) continue;
      const double oscillator = *band == FinderBand::KuLow    ? kKuLowOscillator
                                : *band == FinderBand::KuHigh ? kKuHighOscillator
                                                              : kCOscillator;
      best = FinderTuning{t, *band, std::abs(t.frequencyMegahertz - oscillator)};
    }
    if (best) chosen.push_back(*best);
  }
  return chosen;
}

std::string finderText(const FinderTuning& tuning) {
  const Transponder& t = tuning.transponder;
  std::string text = doubleToText(t.frequencyMegahertz) + ' ' + t.polarization + ' ' + doubleToText(t.symbolRateKilo);
  if (!t.system.empty()) text += ' ' + t.system;
  if (!t.modulation.empty()) text += ' ' + t.modulation;
  const std::string intermediate = "IF " + doubleToText(tuning.intermediateMegahertz) + " MHz, ";
  switch (tuning.band) {
    case FinderBand::KuLow:
      return text + " (" + intermediate + "low band, 22 kHz off)";
    case FinderBand::KuHigh:
      return text + " (" + intermediate + "high band, 22 kHz on)";
    case FinderBand::C:
      return text + " (" + intermediate + "C band, LNB 5150 MHz)";
  }
  return text;
}

}  // namespace vantorel
