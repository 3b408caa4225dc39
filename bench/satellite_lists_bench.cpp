// How long a satellite list of 100,000 entries takes to load from memory:
// a plain list and CelesTrak's OMM CSV, each row a near-geostationary object
// so that every one is kept and its station longitude computed.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "satellite_list.h"

namespace {

using namespace vantorel;

constexpr int kEntries = 100000;

std::string plainList() {
  std::string text = "# position name\n";
  for (int i = 0; i < kEntries; ++i) {
    text += std::to_string(i % 180) + "." + std::to_string(i % 10) + (i % 2 ? "E" : "W") + " Satellite " +
            std::to_string(i) + "\n";
  }
  return text;
}

// The columns and number forms of CelesTrak's GP data in CSV.
std::string ommCsv() {
  std::string text =
      "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
      "MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,"
      "MEAN_MOTION_DOT,MEAN_MOTION_DDOT\r\n";
  for (int i = 0; i < kEntries; ++i) {
    text += "SATELLITE " + std::to_string(i) + ",2006-012A,2026-11-20T12:24:56.499840,1.00271603,0.0003412,0.0421," +
            std::to_string(i % 360) + ".4412,117.2934,221.2997,0,U," + std::to_string(29055 + i) +
            ",999,7423,0,0.00000012,0\r\n";
  }
  return text;
}

void load(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    std::istringstream in(text);
    SatelliteList list = readSatelliteList(in, "bench");
    if (list.entries.size() != kEntries) state.SkipWithError("not every entry was kept");
    benchmark::DoNotOptimize(list);
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}

void plainListOf100000(benchmark::State& state) { load(state, plainList()); }
BENCHMARK(plainListOf100000)->Unit(benchmark::kMillisecond);

void ommCsvOf100000(benchmark::State& state) { load(state, ommCsv()); }
BENCHMARK(ommCsvOf100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
