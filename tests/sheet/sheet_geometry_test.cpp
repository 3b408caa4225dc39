// The installation sheet's geometry as numbers: the page's blocks, the
// compass dial, the arc and the chosen satellite in the sky view, and labels
// that never overlap.
#include <gtest/gtest.h>

#include <cmath>

#include "sheet_geometry.h"
#include "sheet_jobs.h"

namespace vantorel::sheet {
namespace {

using sheet_testing::jobFor;
using sheet_testing::kSites;

TEST(SheetFormatTest, TheExtensionNamesTheFormat) {
  EXPECT_EQ(sheetFormatFor("job.pdf"), SheetFormat::Pdf);
  EXPECT_EQ(sheetFormatFor("out/Job.SVG"), SheetFormat::Svg);
  EXPECT_EQ(sheetFormatFor("./job.2026.png"), SheetFormat::Png);
  for (const char* name : {"job", "job.pdf.txt", "job.", "jobs.pdf/job", "job.jpeg"}) {
    EXPECT_EQ(sheetFormatFor(name), std::nullopt) << name;
  }
  EXPECT_EQ(paperNamed("Letter"), Paper::Letter);
  EXPECT_EQ(paperNamed("a4"), Paper::A4);
  EXPECT_EQ(paperNamed("legal"), std::nullopt);
}

TEST(SheetLayoutTest, BlocksStayApartAndOnThePage) {
  for (Paper paper : {Paper::A4, Paper::Letter}) {
    for (std::size_t figures : {4, 9}) {
      const Layout l = layoutPage(paper, figures);
      std::vector<Rect> blocks{l.title, l.job, l.figures, l.dial, l.elevation, l.skew, l.sky, l.footer};
      for (const Rect& cell : l.figureCells) EXPECT_TRUE(l.figures.contains(cell));
      for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_TRUE((Rect{10, 10, l.page.width - 20, l.page.height - 20}.contains(blocks[i]))) << i;
        for (std::size_t j = i + 1; j < blocks.size(); ++j) EXPECT_FALSE(blocks[i].overlaps(blocks[j])) << i << j;
      }
      EXPECT_TRUE(l.sky.contains(l.skyPlot));
      EXPECT_GT(l.skyPlot.height, 45) << figures;  // room for the arc and its labels
    }
  }
}

TEST(SheetDialTest, ArrowAtTheMagneticAzimuthAndTrueNorthAtMinusTheDeclination) {
  // Directions on the page (x right, y down) as unit vectors, worked by hand:
  // 202.7 lies 22.7 degrees west of south, so down and to the left; a West
  // declination puts true north to the right of magnetic north.
  struct Row {
    double magnetic, declination, arrowX, arrowY, trueX, trueY;
  };
  const Row rows[] = {
      {202.7, -8, -0.385906, 0.922538, 0.139173, -0.990268},
      {90, 0, 1, 0, 0, -1},
      {0, 12.5, 0, -1, -0.216440, -0.976296},
      {315, -1.67, -0.707107, -0.707107, 0.029142, -0.999575},
  };
  for (const Row& row : rows) {
    Angles a;
    a.azimuthMagnetic = row.magnetic;
    a.declination = row.declination;
    const Dial d = dialGeometry({14, 90, 91, 96}, a);
    EXPECT_NEAR((d.arrowTip.x - d.centre.x) / d.arrowLength, row.arrowX, 1e-6) << row.magnetic;
    EXPECT_NEAR((d.arrowTip.y - d.centre.y) / d.arrowLength, row.arrowY, 1e-6) << row.magnetic;
    EXPECT_NEAR((d.trueNorthEnd.x - d.centre.x) / d.radius, row.trueX, 1e-6) << row.declination;
    EXPECT_NEAR((d.trueNorthEnd.y - d.centre.y) / d.radius, row.trueY, 1e-6) << row.declination;
    EXPECT_NEAR(d.magneticNorthEnd.x, d.centre.x, 1e-9);
    EXPECT_LT(d.magneticNorthEnd.y, d.centre.y);
  }
}

TEST(SheetSkyTest, ArcEndsOnTheHorizonAndTheSatelliteAtItsLookAngles) {
  const Rect plot{24, 190, 170, 70};
  for (const auto& site : kSites) {
    const Job job = jobFor(site);
    const SkyView v = skyView(plot, job);
    ASSERT_TRUE(v.arcRises) << site.name;
    EXPECT_EQ(v.facingSouth, job.site.inputs.SiteLatitude > 0);
    // The ends lie on the horizon, symmetric about the meridian the view faces.
    for (const SkyPoint& end : v.arcEnds) EXPECT_NEAR(end.elevation, 0, 1e-3) << site.name;
    EXPECT_NEAR(v.arcEnds[0].azimuth + v.arcEnds[1].azimuth, v.facingSouth ? 360 : 0, 1e-2) << site.name;
    ASSERT_EQ(v.above.size(), 1u);
    EXPECT_NEAR(v.above[0].front().azimuth, v.arcEnds[0].azimuth, 1e-9);
    EXPECT_NEAR(v.above[0].back().azimuth, v.arcEnds[1].azimuth, 1e-9);
    for (const SkyPoint& p : v.above[0]) EXPECT_GE(p.elevation, -1e-3);

    const OnecalcResult& r = job.chosen->angles;
    EXPECT_NEAR(std::fmod(v.chosen.azimuth + 360, 360), r.AzimuthTrue, 1e-4) << site.name;
    EXPECT_NEAR(v.chosen.elevation, r.Elevation, 1e-4) << site.name;
    // On the page within the view, below the horizon line when it is below.
    const Point c = v.toPage(v.chosen);
    EXPECT_TRUE(plot.contains({c.x, c.y, 0, 0})) << site.name;
    EXPECT_EQ(c.y > v.toPage({v.chosen.azimuth, 0}).y, r.Elevation < 0) << site.name;
    for (const SkyMark& m : v.marks) EXPECT_GE(m.at.elevation, 0) << m.name;
  }
  // From 85 degrees North the whole arc stays below the horizon; the view
  // still shows where.
  const SkyView polar = skyView(plot, jobFor({"polar", "85", "0", "0", "0"}));
  EXPECT_FALSE(polar.arcRises);
  ASSERT_FALSE(polar.below.empty());
  EXPECT_GT(polar.elevationTo, 0);
  EXPECT_LT(polar.elevationFrom, -4);
}

TEST(SheetLabelTest, EachLabelTakesItsFirstFreePlaceOrNone) {
  const Rect bounds{0, 0, 100, 50};
  const Rect a{10, 10, 20, 5}, b{10, 20, 20, 5}, outside{90, 10, 20, 5}, touching{30, 10, 20, 5};
  struct Row {
    std::vector<std::vector<Rect>> candidates;
    std::vector<Rect> obstacles;
    std::vector<int> expected;
  };
  const Row rows[] = {
      {{{a, b}, {a, b}}, {}, {0, 1}},         // the second label moves aside
      {{{a}, {a}}, {}, {0, -1}},              // or is left off
      {{{outside, b}}, {}, {1}},              // a place off the bounds is none
      {{{a, b}}, {{15, 12, 1, 1}}, {1}},      // nor one on an obstacle
      {{{a}, {touching}}, {}, {0, 0}},        // edges may touch
  };
  for (const Row& row : rows) EXPECT_EQ(placeLabels(row.candidates, bounds, row.obstacles), row.expected);
}

TEST(SheetLabelTest, SkyLabelsNeverOverlap) {
  const SkyView v = skyView({24, 190, 170, 70}, jobFor(kSites[0]));
  const SkyLabels labels = placeSkyLabels(v, 14, 3, std::vector<double>(v.marks.size(), 12), 2.2);
  std::vector<Rect> placed{labels.chosen};
  for (const auto& box : labels.marks) {
    if (box) placed.push_back(*box);
  }
  EXPECT_GT(placed.size(), 15u);
  EXPECT_LT(placed.size(), v.marks.size() + 1);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    EXPECT_TRUE(v.plot.contains(placed[i]));
    EXPECT_FALSE(placed[i].overlaps(v.directionBand()));
    for (std::size_t j = i + 1; j < placed.size(); ++j) EXPECT_FALSE(placed[i].overlaps(placed[j])) << i << " " << j;
  }
}

}  // namespace
}  // namespace vantorel::sheet
