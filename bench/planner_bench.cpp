// What the planner does on every key typed, for a list of 600 satellites:
// the job built anew with every satellite and the sun outage, the filter's
// name match, and the preview's page drawn at a screen's size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <sstream>

#include "job_builder.h"
#include "satellite_search.h"
#include "sheet_painter.h"

namespace {

using namespace vantorel;

// 600 satellites a fifth of a degree apart, as a satellites.xml.
const SatelliteCatalog& sixHundred() {
  static const SatelliteCatalog list = [] {
    std::ostringstream xml;
    xml << "<satellites>";
    for (int i = 0; i < 600; ++i) xml << "<sat name=\"Satellite " << i << "\" position=\"" << (i * 2 - 600) << "\"/>";
    xml << "</satellites>";
    std::istringstream in(xml.str());
    return readSatelliteList(in, "bench");
  }();
  return list;
}

JobRequest request() {
  JobRequest r;
  r.inputs = {"51.5074N", "0.1278W", "", "1.2"};
  r.date = std::string("2027-01-01");
  r.listEntry = 300;
  r.everySatellite = true;
  r.sunOutage = OutageCriterion{};
  return r;
}

void buildTheJob(benchmark::State& state) {
  const JobRequest r = request();
  for (auto _ : state) benchmark::DoNotOptimize(buildJob(r, sixHundred(), "bench"));
}
BENCHMARK(buildTheJob)->Unit(benchmark::kMillisecond);

void filterByName(benchmark::State& state) {
  const NameIndex names(sixHundred());
  for (auto _ : state) benchmark::DoNotOptimize(names.matching("satellite 12"));
}
BENCHMARK(filterByName)->Unit(benchmark::kMillisecond);

// The preview of a 380-pixel-wide pane: about 45 dots per inch.
void drawThePreview(benchmark::State& state) {
  const Job job = buildJob(request(), sixHundred(), "bench");
  for (auto _ : state) benchmark::DoNotOptimize(sheet::sheetImage(job, Paper::A4, 45));
}
BENCHMARK(drawThePreview)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
