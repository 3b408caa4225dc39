// What one calculation costs: the whole path from the four box texts to the
// three result texts, the look-angle step alone, the LNB skew alone, the
// polar mount's site settings and motor angle, a year of sun outages for one
// satellite, and the floor under the look angles, the eight trigonometric
// calls the closed form makes.
#include <benchmark/benchmark.h>

#include <cmath>

#include "first_actions.h"
#include "lnb_skew.h"
#include "mount.h"
#include "sun_outage.h"

namespace {

using namespace vantorel;

void wholePathFromTexts(benchmark::State& state) {
  const BoxTexts boxes{"420100", "0910100", "101", "-8"};
  for (auto _ : state) {
    OnecalcResult r = calculateFromBoxes(boxes);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(wholePathFromTexts);

void lookAnglesOnly(benchmark::State& state) {
  OnecalcInputs in{42.0166664f, 91.0166702f, 101, -8};
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    OnecalcResult r = onecalc(in);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(lookAnglesOnly);

void lnbSkewOnly(benchmark::State& state) {
  OnecalcInputs in{42.0166664f, 91.0166702f, 101, -8};
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    LnbSkewResult r = lnbSkew(in);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(lnbSkewOnly);

void polarMountAndMotorAngle(benchmark::State& state) {
  OnecalcInputs in{42.0166664f, 91.0166702f, 101, -8};
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    PolarMountResult mount = polarMount(in);
    MotorAngleResult motor = motorAngle(in);
    benchmark::DoNotOptimize(mount);
    benchmark::DoNotOptimize(motor);
  }
}
BENCHMARK(polarMountAndMotorAngle);

// The twelve months of the worked example's sun outages: two seasons of some
// ten days each.
void sunOutageYear(benchmark::State& state) {
  for (auto _ : state) {
    SunOutage outage = sunOutage({2027, 1, 1}, 42.016666, -91.01667, 194.7342, 40.41615, {});
    benchmark::DoNotOptimize(outage);
  }
}
BENCHMARK(sunOutageYear)->Unit(benchmark::kMillisecond);

// The same calls on the same arguments, and nothing else: no Single stores,
// no checks, no texts.
void trigonometryFloor(benchmark::State& state) {
  double latitude = 0.733329177, difference = 0.174241975, azimuth = 3.39874;
  for (auto _ : state) {
    benchmark::DoNotOptimize(latitude);
    benchmark::DoNotOptimize(difference);
    benchmark::DoNotOptimize(azimuth);
    double q = std::tan(difference) / std::sin(latitude);
    double sum = std::atan(q) + std::cos(latitude) + std::sin(difference) + std::sin(azimuth) +
                 std::cos(difference) + std::atan(q * 0.5);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(trigonometryFloor);

}  // namespace

BENCHMARK_MAIN();
