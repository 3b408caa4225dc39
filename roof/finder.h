#pragma once
// What a satellite finder, or a receiver's signal screen, is tuned to: one
// transponder of the satellite, and the intermediate frequency the meter
// sees behind the LNB. A universal Ku-band LNB mixes the low band (10.7 to
// 11.7 GHz) with a 9750 MHz oscillator and the high band (11.7 to 12.75
// GHz), chosen by the 22 kHz tone, with 10600 MHz; a C-band LNB (3.4 to
// 4.2 GHz) has a 5150 MHz oscillator above the band. No Qt.

#include <optional>
#include <string>
#include <vector>

namespace vantorel {

// A transponder as a receiver's list gives it.
struct Transponder {
  double frequencyMegahertz = 0;
  char polarization = 'H';  // H, V, L or R
  double symbolRateKilo = 0;  // kS/s
  std::string system;         // "DVB-S", "DVB-S2"; "" where the list gives none
  std::string modulation;     // "QPSK", "8PSK", ...; "" for automatic
};

enum class FinderBand { KuLow, KuHigh, C };

struct FinderTuning {
  Transponder transponder;
  FinderBand band = FinderBand::KuLow;
  double intermediateMegahertz = 0;  // what the meter tunes
};

// The band a transponder lies in, for a universal Ku LNB or a C-band LNB;
// nothing for any other (Ka, S, L).
std::optional<FinderBand> finderBand(double frequencyMegahertz);

// One reference transponder a polarization, in the order H, V, L, R: the
// lowest frequency of the band a universal LNB receives first (the low
// band, then the high), or of the C band.
std::vector<FinderTuning> referenceTransponders(const std::vector<Transponder>& transponders);

// "10773 H 23000 DVB-S2 8PSK (IF 1023 MHz, low band, 22 kHz off)".
std::string finderText(const FinderTuning& tuning);

}  // namespace vantorel
