// The installation sheet's geometry as numbers: the page's blocks, the
// compass dial, the arc and the chosen satellite in the sky view, and labels
// that never overlap.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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
    // The fullest pages: a polar mount's ten figures, notes, a job's notes
    // and the sun outage's seasons.
    // The fullest pages: a polar mount's ten figures, notes, a job's notes,
    // the sun outage's seasons and three extra LNBs.
    for (const PageContent content : {PageContent{4, 5, 0, 0, false, 0}, PageContent{10, 6, 2, 3, true, 3}}) {
      const std::size_t figures = content.figures;
      const Layout l = layoutPage(paper, content);
      std::vector<Rect> blocks{l.title, l.job, l.figures, l.dial, l.elevation, l.skew, l.sky, l.footer};
      if (content.mount) blocks.insert(blocks.end(), {l.mount, l.notes, l.outage, l.multifeed});
      if (content.multifeeds > 0) {
        EXPECT_TRUE(l.multifeed.contains(l.bracket));
        EXPECT_TRUE(l.multifeed.contains(l.bracketText));
        EXPECT_FALSE(l.bracket.overlaps(l.bracketText));
      }
      for (const FigureCell& cell : l.figureCells) {
        EXPECT_TRUE(l.figures.contains(cell.panel));
        for (const Rect& part : {cell.label, cell.reading, cell.exact}) EXPECT_TRUE(cell.panel.contains(part));
        EXPECT_FALSE(cell.reading.overlaps(cell.exact));
      }
      for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_TRUE((Rect{10, 10, l.page.width - 20, l.page.height - 20}.contains(blocks[i]))) << i;
        for (std::size_t j = i + 1; j < blocks.size(); ++j) EXPECT_FALSE(blocks[i].overlaps(blocks[j])) << i << j;
      }
      EXPECT_TRUE(l.sky.contains(l.skyPlot));
      EXPECT_GT(l.skyPlot.height, 45) << figures;  // room for the arc and its labels
    }
  }
}

// Each LNB stands at its offset to the scale the heading gives, every one
// and its label inside the drawing, no two labels over each other.
TEST(SheetBracketTest, LnbsStandToScaleWithTheirLabelsApart) {
  JobRequest request;
  request.inputs = {"51.5074N", "0.1278W", "19.2E", "1.2"};
  request.date = "2026-12-07";
  request.typedSatellite = true;
  request.multifeed = {"13E", "28.2E", "23.5E"};
  request.dish = dishOptics(800, std::nullopt, 11.7);
  const Job job = buildJob(request, builtInSatelliteList(BuiltInList::Today), "the list");
  const Rect box = layoutPage(Paper::A4, contentOf(job)).bracket;
  const BracketPicture b = bracketGeometry(box, job);
  ASSERT_EQ(b.extras.size(), 3u);
  EXPECT_NEAR(b.scale, 1.0 / b.scaleDivisor, 1e-12);
  EXPECT_NEAR(b.radius, 20 * b.scale, 1e-12);
  for (std::size_t i = 0; i < b.extras.size(); ++i) {
    const MultifeedOffset& m = job.multifeeds[i].offset;
    EXPECT_NEAR(b.extras[i].x - b.main.x, m.acrossMm * b.scale, 1e-9);
    EXPECT_NEAR(b.main.y - b.extras[i].y, m.upMm * b.scale, 1e-9);  // up the page
    EXPECT_TRUE((box.contains({b.extras[i].x - b.radius, b.extras[i].y - b.radius, 2 * b.radius, 2 * b.radius})));
  }
  // Three LNBs this close find no room for labels beside them at 1:4:
  // they are numbered; two find it.
  EXPECT_TRUE(b.numbered);
  EXPECT_TRUE(b.labels.empty());
  request.multifeed = {"13E", "28.2E"};
  const Job two = buildJob(request, builtInSatelliteList(BuiltInList::Today), "the list");
  const Rect twoBox = layoutPage(Paper::A4, contentOf(two)).bracket;
  const BracketPicture labelled = bracketGeometry(twoBox, two);
  ASSERT_FALSE(labelled.numbered);
  ASSERT_EQ(labelled.labels.size(), 3u);
  for (std::size_t i = 0; i < labelled.labels.size(); ++i) {
    EXPECT_TRUE(twoBox.contains(labelled.labels[i])) << i;
    for (std::size_t j = i + 1; j < labelled.labels.size(); ++j) {
      EXPECT_FALSE(labelled.labels[i].overlaps(labelled.labels[j])) << i << j;
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

// The chosen satellite's neighbours are labelled first, then the highest,
// those that wander last; what is left is told as "+n more"; nothing
// overlaps.
TEST(SheetLabelTest, SkyLabelsGoFirstWhereTheyMatterAndNeverOverlap) {
  SkyView v = skyView({24, 190, 170, 70}, jobFor(kSites[0]));
  ASSERT_GT(v.marks.size(), 40u);
  // The highest of the rest wanders: it goes from second place to last.
  std::vector<std::size_t> order = labelOrder(v);
  const std::size_t highest = order[4];
  v.marks[highest].wanders = true;
  order = labelOrder(v);
  EXPECT_EQ(order.back(), highest);
  // The first four: the two nearest the chosen satellite on each side.
  const auto side = [&](std::size_t i) { return v.marks[i].at.azimuth < v.chosen.azimuth ? -1 : 1; };
  for (int s : {-1, 1}) {
    std::vector<std::pair<double, std::size_t>> near;
    for (std::size_t i = 0; i < v.marks.size(); ++i) {
      if (side(i) == s && !v.marks[i].wanders) near.emplace_back(std::fabs(v.marks[i].at.azimuth - v.chosen.azimuth), i);
    }
    std::sort(near.begin(), near.end());
    for (std::size_t n = 0; n < 2; ++n) {
      EXPECT_NE(std::find(order.begin(), order.begin() + 4, near[n].second), order.begin() + 4) << s;
    }
  }
  EXPECT_GE(v.marks[order[4]].at.elevation, v.marks[order[5]].at.elevation);

  // Not every label fits the crowded arc, and "+n more" tells the rest.
  const SkyLabels labels =
      placeSkyLabels(v, 14, 3, std::vector<double>(v.marks.size(), 12), 2.2, [](std::size_t) { return 10.0; });
  std::vector<Rect> placed{labels.chosen};
  // A neighbour each side at least, and the highest.
  int sides = 0;
  for (std::size_t k = 0; k < 4; ++k) sides |= labels.marks[order[k]] ? (side(order[k]) < 0 ? 1 : 2) : 0;
  EXPECT_NE(sides, 0);
  EXPECT_TRUE(labels.marks[order[4]]);
  EXPECT_FALSE(labels.marks[highest]);
  std::size_t told = 0;
  for (const auto& box : labels.marks) {
    if (box) placed.push_back(*box);
  }
  for (const MoreLabel& m : labels.more) {
    placed.push_back(m.box);
    told += m.count;
  }
  EXPECT_FALSE(labels.more.empty());
  EXPECT_LE(told + placed.size() - 1 - labels.more.size(), v.marks.size());
  for (std::size_t i = 0; i < placed.size(); ++i) {
    EXPECT_TRUE(v.plot.contains(placed[i]));
    EXPECT_FALSE(placed[i].overlaps(v.directionBand()));
    for (std::size_t j = i + 1; j < placed.size(); ++j) EXPECT_FALSE(placed[i].overlaps(placed[j])) << i << " " << j;
  }
}

}  // namespace
}  // namespace vantorel::sheet
