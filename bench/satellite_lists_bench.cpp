// How long a satellite list of 100,000 entries takes to load from memory, in
// each format: every orbital data object near geostationary, so that every
// one is kept and its station longitude computed, and every satellites.xml
// entry with a transponder, as receivers' lists have.
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

std::string ommJson() {
  std::string text = "[";
  for (int i = 0; i < kEntries; ++i) {
    text += std::string(i ? ",\n" : "") + R"({"OBJECT_NAME":"SATELLITE )" + std::to_string(i) +
            R"(","OBJECT_ID":"2006-012A","EPOCH":"2026-11-20T12:24:56.499840","MEAN_MOTION":1.00271603,)"
            R"("ECCENTRICITY":0.0003412,"INCLINATION":0.0421,"RA_OF_ASC_NODE":286.4412,"ARG_OF_PERICENTER":117.2934,)"
            R"("MEAN_ANOMALY":221.2997,"EPHEMERIS_TYPE":0,"CLASSIFICATION_TYPE":"U","NORAD_CAT_ID":)" +
            std::to_string(29055 + i) +
            R"(,"ELEMENT_SET_NO":999,"REV_AT_EPOCH":7423,"BSTAR":0,"MEAN_MOTION_DOT":1.2e-07,"MEAN_MOTION_DDOT":0})";
  }
  return text + "]";
}

std::string satellitesXml() {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites>\n";
  for (int i = 0; i < kEntries; ++i) {
    text += "<sat name=\"Satellite " + std::to_string(i) + "\" flags=\"1\" position=\"" +
            std::to_string(i % 3600 - 1799) + "\">\n<transponder frequency=\"10744000\" symbol_rate=\"22000000\" " +
            "polarization=\"0\" fec_inner=\"5\" system=\"0\" modulation=\"1\"/>\n</sat>\n";
  }
  return text + "</satellites>\n";
}

void load(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    state.PauseTiming();  // the copy into the stream is no part of reading
    std::istringstream in(text);
    state.ResumeTiming();
    SatelliteCatalog list = readSatelliteList(in, "bench");
    if (list.entries.size() != kEntries) state.SkipWithError("not every entry was kept");
    benchmark::DoNotOptimize(list);
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}

void plainListOf100000(benchmark::State& state) { load(state, plainList()); }
BENCHMARK(plainListOf100000)->Unit(benchmark::kMillisecond);

void ommCsvOf100000(benchmark::State& state) { load(state, ommCsv()); }
BENCHMARK(ommCsvOf100000)->Unit(benchmark::kMillisecond);

void ommJsonOf100000(benchmark::State& state) { load(state, ommJson()); }
BENCHMARK(ommJsonOf100000)->Unit(benchmark::kMillisecond);

void satellitesXmlOf100000(benchmark::State& state) { load(state, satellitesXml()); }
BENCHMARK(satellitesXmlOf100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
