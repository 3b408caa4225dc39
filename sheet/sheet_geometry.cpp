#include "sheet_geometry.h"

#include <algorithm>
#include <array>
#include <span>
#include <cmath>
#include <numeric>
#include <optional>

#include "angles.h"
#include "calc_error.h"

namespace vantorel {
namespace sheet {
namespace {

// The page: margins every printer can reach, and the gap between blocks.
constexpr double kMargin = 14;
constexpr double kGap = 4;
constexpr double kBlockGap = 3;
constexpr double kTitleHeight = 10;
constexpr double kTitleBelow = 2;
constexpr double kTitleGap = 6;     // between the title and the satellite
constexpr double kTitleRule = 0.8;  // under the title
constexpr double kJobLine = 5.2;
// The job block's columns, mm from its left edge, and their widths: a
// column's width runs on to the next or to the block's end.
constexpr double kJobLabelWidth = 27;
constexpr double kJobValueX = 28;
constexpr double kJobValueWidth = 50;
constexpr double kJobMoreX = 80;
constexpr double kJobNoteX = 134;
constexpr double kJobNoteGap = 54;  // kept clear at the block's end for the note
constexpr double kJobSignGap = 2;   // before the declination's "East positive"
constexpr double kFigureRow = 16;
constexpr double kFigureGap = 2;
// Four figures a row, five when there are more than two rows of four.
constexpr std::size_t kFiguresPerRow = 4;
constexpr std::size_t kFiguresPerWideRow = 5;
// Inside a figure's panel: its padding, the label's line and the reading's,
// and the share of the width the exact figure takes after the reading.
constexpr double kCellPad = 2;
constexpr double kCellLabelTop = 1.2;
constexpr double kCellLabel = 3.6;
constexpr double kCellReadingTop = 4.8;
constexpr double kCellExactShare = 0.36;
constexpr double kNoteLine = 4.2;
constexpr double kFooterHeight = 6;
constexpr double kBarDrop = 1.5;  // the bar below the footer's top
constexpr double kBarTick = 1;
constexpr double kBarCaptionGap = 0.2;
constexpr double kBarCaption = 3;
constexpr double kFooterTextGap = 4;
// The drawings take at most this height and this share of what the fixed
// blocks leave; the sky view takes the rest, and at least kSkyLeast.
constexpr double kDrawingsMax = 96;
constexpr double kDrawingsShare = 0.56;
constexpr double kSkyLeast = 58;
// The multifeed block: its drawing takes this share of the width, and at
// least this height.
constexpr double kBracketShare = 0.55;
constexpr double kBracketLeast = 44;
constexpr double kBracketLabel = 10;  // beside each LNB: four lines of small print
constexpr double kBracketLabelWidth = 21;
constexpr double kHeadingLine = 4.5;  // a heading's line of text
// Left of the sky's plot, the elevations; right of it, a little room.
constexpr double kSkyScaleRoom = 10;
constexpr double kSkyRightRoom = 2;
constexpr double kSkyBottomRoom = 1;
constexpr double kScaleLabel = 3;
constexpr double kScaleGap = 1;
constexpr double kDegreeLine = 2.8;  // the direction band's degree numbers
constexpr double kPointLine = 6.2;   // and its compass points

// Room around the dial's ring for the degree numbers and the cardinal
// letters, above it for the north lines' labels too, and below for a caption.
constexpr double kDialAbove = 13.5;
constexpr double kDialBelow = 7.5;
constexpr double kDialSide = 8;
constexpr double kDialCaption = 9;
// On the dial: tick lengths, where the numbers and letters stand off the
// ring, and how far the north lines reach past it.
constexpr double kDialMajorTick = 3.5;
constexpr double kDialMinorTick = 2;
constexpr double kDialNumbers = 3.2;
constexpr double kDialCardinals = 4.2;
constexpr double kDialCardinalBox = 4.4;
constexpr double kDialNorthReach = 9.5;
constexpr double kDialLabelGap = 0.5;
constexpr double kDialHub = 0.9;

// The protractor: room above for the 90 and below for the horizon's name,
// and the words to its right.
constexpr double kProtractorAbove = 5;
constexpr double kProtractorBelow = 5;
constexpr double kProtractorLeft = 3;
constexpr double kProtractorWidthShare = 0.45;
constexpr double kProtractorTextGap = 9;
constexpr double kProtractorMajorTick = 3;
constexpr double kProtractorMinorTick = 1.8;
constexpr double kProtractorNumbers = 3;
constexpr double kProtractorClearance = 6;  // degrees
constexpr double kProtractorArcShare = 0.3;
constexpr double kSightPast = 2;
constexpr double kSightHeadAt = 5;
constexpr double kSightHeadLength = 3.2;
constexpr double kSightHeadHalfWidth = 1.3;
constexpr double kHorizonLabelDrop = 0.8;
constexpr double kHorizonLabel = 3.5;
constexpr double kPanelValueTop = 2;
constexpr double kPanelValue = 8;
constexpr double kPanelWordsTop = 11;

// The LNB: its body's radius from the box, its axis's top, its connector,
// the turn's arc and arrowhead, all in body radii.
constexpr double kLnbHeightShare = 1 / 3.2;
constexpr double kLnbWidthShare = 1.0 / 7;
constexpr double kLnbCentre = 1.6;
constexpr double kLnbTop = 1.3;
constexpr double kLnbConnectorHalfWidth = 0.22;
constexpr double kLnbConnectorLength = 0.5;
constexpr double kLnbArc = 1.45;
constexpr double kLnbTextGap = 1.7;
constexpr double kTurnHeadLength = 2.6;
constexpr double kTurnHeadHalfWidth = 1.1;
constexpr double kTurnHeadBack = 1.2;
constexpr double kTurnWords = 12;
constexpr double kTurnWordsTop = 2;

// The polar mount's drawing: the axis's length in the box's height, the
// marked angles' radius in the axis's length.
constexpr double kMountLengthShare = 0.62;
constexpr double kMountArcShare = 0.35;
constexpr double kMountTextShare = 0.5;

// How far the view reaches beyond the arc's ends and the chosen satellite.
constexpr double kAzimuthMargin = 10;
constexpr double kElevationMargin = 12;
// The arc is followed in steps of this many degrees of longitude; the ends
// are then found to a Single's resolution by bisection.
constexpr double kArcStep = 0.25;
constexpr int kBisections = 60;
// Within this of the zenith an azimuth means nothing (a site on the equator
// under its satellite); such a point is left out of the arc's line.
constexpr double kNearZenith = 89.99;

// Gaps between a mark and its label, in mm.
constexpr double kChosenGap = 2.5;
constexpr double kMarkGap = 1.6;
constexpr double kMarkDot = 1.6;
constexpr double kSteepGap = 4.5;
// A "+n more" may stand further off, past the labels of the crowd it tells.
constexpr std::array<double, 5> kMoreGaps = {kMarkGap, kSteepGap, 9, 14, 19};
constexpr std::array<double, 2> kLabelGaps = {kMarkGap, kSteepGap};
// Unlabelled marks this many degrees of azimuth apart or closer are told
// together.
constexpr double kMoreSpan = 15;
// The arc's line as labels see it: a little wider than it is drawn.
constexpr double kArcWidth = 0.8;
// Labelled first after the chosen satellite: its nearest neighbours, this
// many on each side.
constexpr std::size_t kNeighbours = 2;

// The satellite's look angles `difference` degrees West of the site, as
// onecalc gives them; nothing if its arithmetic fails there.
std::optional<SkyPoint> lookAt(const OnecalcInputs& site, double difference) {
  OnecalcInputs in = site;
  in.SatelliteLongitude = static_cast<Single>(static_cast<double>(site.SiteLongitude) + difference);
  try {
    const OnecalcResult r = onecalc(in);
    return SkyPoint{static_cast<double>(r.AzimuthTrue), static_cast<double>(r.Elevation)};
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

bool rises(const OnecalcInputs& site, double difference) {
  const auto p = lookAt(site, difference);
  return p && p->elevation > 0;
}

// The longitude difference where the arc meets the horizon, between `inside`
// (above it) and `outside` (not above it).
double horizonCrossing(const OnecalcInputs& site, double inside, double outside) {
  for (int i = 0; i < kBisections; ++i) {
    const double middle = (inside + outside) / 2;
    (rises(site, middle) ? inside : outside) = middle;
  }
  return inside;
}

// az brought into [centre - 180, centre + 180).
double unwrap(double azimuth, double centre) {
  return azimuth - 360 * std::floor((azimuth - (centre - 180)) / 360);
}

// Appends the points as polylines, breaking where the unwrapped azimuth
// jumps across the view's back.
void addLine(std::vector<std::vector<SkyPoint>>& lines, const std::vector<SkyPoint>& points, double centre) {
  std::vector<SkyPoint> line;
  for (SkyPoint p : points) {
    if (p.elevation > kNearZenith) continue;
    p.azimuth = unwrap(p.azimuth, centre);
    if (!line.empty() && std::fabs(p.azimuth - line.back().azimuth) > 180) {
      if (line.size() > 1) lines.push_back(line);
      line.clear();
    }
    line.push_back(p);
  }
  if (line.size() > 1) lines.push_back(line);
}

// The lines cut to the view's window, each segment by Liang and Barsky's
// method: a line that leaves the window and comes back becomes two.
std::vector<std::vector<SkyPoint>> cut(const std::vector<std::vector<SkyPoint>>& lines, const SkyView& v) {
  std::vector<std::vector<SkyPoint>> out;
  std::vector<SkyPoint> current;
  const auto finish = [&out, &current] {
    if (current.size() > 1) out.push_back(current);
    current.clear();
  };
  for (const auto& line : lines) {
    for (std::size_t i = 1; i < line.size(); ++i) {
      const SkyPoint a = line[i - 1], b = line[i];
      const double da = b.azimuth - a.azimuth, de = b.elevation - a.elevation;
      double from = 0, to = 1;
      // Keeps the part of the segment where step * t <= room.
      const auto within = [&from, &to](double step, double room) {
        if (step == 0) return room >= 0;
        const double t = room / step;
        if (step < 0) from = std::max(from, t);
        else to = std::min(to, t);
        return from <= to;
      };
      if (!(within(-da, a.azimuth - v.azimuthFrom) && within(da, v.azimuthTo - a.azimuth) &&
            within(-de, a.elevation - v.elevationFrom) && within(de, v.elevationTo - a.elevation))) {
        finish();
        continue;
      }
      if (from > 0) finish();
      if (current.empty()) current.push_back({a.azimuth + from * da, a.elevation + from * de});
      current.push_back({a.azimuth + to * da, a.elevation + to * de});
      if (to < 1) finish();
    }
    finish();
  }
  return out;
}

Rect around(Point p, double size) { return {p.x - size / 2, p.y - size / 2, size, size}; }

Rect ofWidth(double x, double width) { return {x, 0, width, 0}; }

}  // namespace

bool Rect::overlaps(const Rect& o) const {
  return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom();
}

bool Rect::contains(const Rect& o) const {
  return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom();
}

PageSize pageSize(Paper paper) {
  return paper == Paper::Letter ? PageSize{215.9, 279.4} : PageSize{210, 297};
}

Angles anglesOf(const Job& job) {
  const OnecalcResult& r = job.chosen->angles;
  return {static_cast<double>(r.AzimuthTrue), static_cast<double>(r.AzimuthMagnetic), static_cast<double>(r.Elevation),
          static_cast<double>(job.chosen->skew.Skew), static_cast<double>(job.site.inputs.Declination)};
}

std::vector<RoofLine> roofLines(const Job& job) {
  std::vector<RoofLine> lines;
  if (job.sunBearing) {
    const std::string label(labelText(Label::SunOnBearing));
    const std::string date = calendarDateText(job.site.date);
    bool any = false;
    for (const JobSunBearing::Moment& m : job.sunBearing->days) {
      if (m.date != date || !m.moment) continue;
      any = true;
      lines.push_back({label, m.date + " at " + m.utc + " UTC" + (m.local.empty() ? "" : " (" + m.local + ")") +
                                  ", the sun " + m.elevation + " up: a vertical stick's shadow then points directly "
                                  "away from the dish's direction."});
    }
    if (!any) {
      lines.push_back({label, "none on " + date + ": the sun does not stand on " + job.sunBearing->azimuthText +
                                  "° true in daylight."});
    }
  }
  for (const FinderLine& f : job.finder) lines.push_back({std::string(labelText(Label::Finder)), f.text});
  return lines;
}

PageContent contentOf(const Job& job) {
  PageContent c;
  c.figures = chosenFigures(job, true).size();
  // The customer and the address go beside the satellite and the date; the
  // notes take a line of their own.
  c.jobLines = 5 + (job.notes.empty() ? 0 : 1);
  c.notes = job.notices.size() + roofLines(job).size();
  if (job.sunOutage) {
    // A season whose clocks change takes a line for each part of its window.
    std::size_t seasonLines = 0;
    for (const JobSunOutage::Season& s : job.sunOutage->seasons) {
      seasonLines += s.localParts.size() > 1 ? 1 + s.localParts.size() : 1;
    }
    c.outageLines = 1 + std::max<std::size_t>(1, seasonLines);
  }
  c.mount = job.site.polarMount.has_value();
  c.multifeeds = job.multifeeds.size();
  return c;
}

Heading headingOf(const Rect& block) {
  return {{block.x, block.y, block.width, kHeadingLine}, {block.x, block.y, block.width, kHeadingLine}};
}

namespace {

// The title and the job's lines from the top; returns where the next block
// starts.
double layoutHead(Layout& l, const PageContent& content, double x, double width) {
  double y = kMargin;
  l.title = {x, y, width, kTitleHeight};
  l.titleSatellite = l.title;
  l.titleGap = kTitleGap;
  l.titleRule = l.title.bottom() + kTitleRule;
  y += kTitleHeight + kTitleBelow;
  l.jobLine = kJobLine;
  l.job = {x, y, width, static_cast<double>(content.jobLines) * kJobLine};
  l.jobColumns = {ofWidth(x, kJobLabelWidth),
                  ofWidth(x + kJobValueX, kJobValueWidth),
                  ofWidth(x + kJobValueX, width - kJobValueX),
                  ofWidth(x + kJobMoreX, width - kJobMoreX - kJobNoteGap),
                  ofWidth(x + kJobMoreX, width - kJobMoreX),
                  ofWidth(x + kJobNoteX, width - kJobNoteX),
                  kJobSignGap};
  return y + l.job.height + kBlockGap;
}

// The figures' panels in rows from y, then the notes; returns where the
// drawings start.
double layoutFigures(Layout& l, const PageContent& content, double x, double width, double y) {
  const std::size_t perRow = content.figures > 2 * kFiguresPerRow ? kFiguresPerWideRow : kFiguresPerRow;
  const std::size_t rows = std::max<std::size_t>(1, (content.figures + perRow - 1) / perRow);
  l.figures = {x, y, width, static_cast<double>(rows) * kFigureRow};
  const double cellWidth = (width - static_cast<double>(perRow - 1) * kGap) / static_cast<double>(perRow);
  for (std::size_t i = 0; i < content.figures; ++i) {
    const Rect panel{x + static_cast<double>(i % perRow) * (cellWidth + kGap),
                     y + static_cast<double>(i / perRow) * kFigureRow, cellWidth, kFigureRow - kFigureGap};
    const double inner = panel.width - 2 * kCellPad;
    const double exact = inner * kCellExactShare;
    const Rect reading{panel.x + kCellPad, panel.y + kCellReadingTop, inner - exact,
                       panel.height - kCellReadingTop - kCellPad / 2};
    l.figureCells.push_back({panel,
                             {panel.x + kCellPad, panel.y + kCellLabelTop, inner, kCellLabel},
                             reading,
                             {reading.right(), reading.y, exact, reading.height}});
  }
  y += l.figures.height + kBlockGap;
  l.noteLine = kNoteLine;
  l.notes = {x, y, width, static_cast<double>(content.notes) * kNoteLine};
  if (content.notes > 0) y += l.notes.height + kBlockGap;
  return y;
}

// The footer with its scale bar, then the sun outage and the multifeed
// blocks above it, from the bottom up; returns where the drawings must end.
double layoutFoot(Layout& l, const PageContent& content, double x, double width) {
  l.footer = {x, l.page.height - kMargin - kFooterHeight, width, kFooterHeight};
  l.barRight = l.footer.right();
  l.barLeft = l.barRight - kScaleBar;
  l.barY = l.footer.y + kBarDrop;
  l.barTick = kBarTick;
  l.barCaption = {l.barLeft, l.barY + kBarTick + kBarCaptionGap, kScaleBar, kBarCaption};
  l.footerText = {x, l.footer.y, width - kScaleBar - kFooterTextGap, kFooterHeight};
  double bottom = l.footer.y - kBlockGap;
  if (content.outageLines > 0) {
    const double height = kHeading + static_cast<double>(content.outageLines) * kNoteLine;
    l.outage = {x, bottom - height, width, height};
    bottom = l.outage.y - kBlockGap;
  }
  if (content.multifeeds > 0) {
    // A line for the dish, one for the main LNB and three for each extra.
    const double lines = static_cast<double>(2 + 3 * content.multifeeds) * kNoteLine;
    const double height = kHeading + std::max(kBracketLeast, lines);
    l.multifeed = {x, bottom - height, width, height};
    l.bracket = {x, l.multifeed.y + kHeading, kBracketShare * width, height - kHeading};
    l.bracketText = {l.bracket.right() + kGap, l.bracket.y, width - l.bracket.width - kGap, l.bracket.height};
    bottom = l.multifeed.y - kBlockGap;
  }
  return bottom;
}

// The dial, the side panels and the sky view between y and bottom.
void layoutDrawings(Layout& l, bool mount, double x, double width, double y, double bottom) {
  const double remaining = bottom - y;
  const double drawings = std::min({kDrawingsMax, remaining * kDrawingsShare, remaining - kSkyLeast - kGap});
  const double dialWidth = width / 2;
  l.dial = {x, y, dialWidth, drawings};
  const double rightX = x + dialWidth + kGap, rightWidth = width - dialWidth - kGap;
  const int panels = mount ? 3 : 2;
  const double panel = (drawings - (panels - 1) * kGap) / panels;
  l.elevation = {rightX, y, rightWidth, panel};
  l.skew = {rightX, y + panel + kGap, rightWidth, panel};
  if (mount) l.mount = {rightX, y + 2 * (panel + kGap), rightWidth, panel};
  l.sky = {x, y + drawings + kGap, width, remaining - drawings - kGap};
  l.skyPlot = {l.sky.x + kSkyScaleRoom, l.sky.y + kHeading, l.sky.width - kSkyScaleRoom - kSkyRightRoom,
               l.sky.height - kHeading - kSkyBottomRoom};
}

}  // namespace

Layout layoutPage(Paper paper, const PageContent& content) {
  Layout l;
  l.page = pageSize(paper);
  const double x = kMargin, width = l.page.width - 2 * kMargin;
  const double afterHead = layoutHead(l, content, x, width);
  const double top = layoutFigures(l, content, x, width, afterHead);
  const double bottom = layoutFoot(l, content, x, width);
  layoutDrawings(l, content.mount, x, width, top, bottom);
  return l;
}

namespace {

// The bracket drawn at 1:divisor, centred in box; its labels are empty when
// one of them finds no free place at this scale.
BracketPicture bracketAt(const Rect& box, const Job& job, int divisor, double reachUp, double reachDown) {
  BracketPicture b;
  b.scaleDivisor = divisor;
  b.scale = 1.0 / divisor;
  const double drawnHeight = (reachUp + reachDown) * b.scale + 2 * kBracketLabel;
  b.main = {box.x + box.width / 2, box.y + (box.height - drawnHeight) / 2 + kBracketLabel + reachUp * b.scale};
  b.radius = kLnbCollar / 2 * b.scale;
  std::vector<Point> centres{b.main};
  for (const MultifeedLnb& lnb : job.multifeeds) {
    b.extras.push_back({b.main.x + lnb.offset.acrossMm * b.scale, b.main.y - lnb.offset.upMm * b.scale});
    centres.push_back(b.extras.back());
  }
  // Each label beside its LNB, on its far side from the main one first (the
  // main one's below it), then below, above or on the other side: the first
  // place that crosses no LNB and no label placed before.
  std::vector<Rect> collars;
  for (const Point& c : centres) collars.push_back({c.x - b.radius, c.y - b.radius, 2 * b.radius, 2 * b.radius});
  std::vector<std::vector<Rect>> candidates;
  for (std::size_t i = 0; i < centres.size(); ++i) {
    const Point c = centres[i];
    const Rect left{c.x - b.radius - kBracketLabelWidth, c.y - kBracketLabel / 2, kBracketLabelWidth, kBracketLabel};
    const Rect right{c.x + b.radius, left.y, kBracketLabelWidth, kBracketLabel};
    const Rect below{c.x - kBracketLabelWidth / 2, c.y + b.radius, kBracketLabelWidth, kBracketLabel};
    const Rect above{below.x, c.y - b.radius - kBracketLabel, kBracketLabelWidth, kBracketLabel};
    // A row farther out where the near places are taken.
    const Rect farBelow = below.below(kBracketLabel), farAbove = above.below(-kBracketLabel);
    const bool leftSide = i > 0 && job.multifeeds[i - 1].offset.acrossMm < 0;
    candidates.push_back(i == 0      ? std::vector<Rect>{below, above, left, right, farBelow, farAbove}
                         : leftSide ? std::vector<Rect>{left, below, above, right, farBelow, farAbove}
                                    : std::vector<Rect>{right, below, above, left, farBelow, farAbove});
  }
  const std::vector<int> chosen = placeLabels(candidates, box, collars);
  if (std::find(chosen.begin(), chosen.end(), -1) != chosen.end()) return b;
  for (std::size_t i = 0; i < centres.size(); ++i) b.labels.push_back(candidates[i][static_cast<std::size_t>(chosen[i])]);
  return b;
}

}  // namespace

BracketPicture bracketGeometry(const Rect& box, const Job& job) {
  // The drawing's reach from its centre in millimetres on the dish, each
  // LNB with its collar.
  double reachX = kLnbCollar / 2, reachUp = kLnbCollar / 2, reachDown = kLnbCollar / 2;
  for (const MultifeedLnb& lnb : job.multifeeds) {
    reachX = std::max(reachX, std::fabs(lnb.offset.acrossMm) + kLnbCollar / 2);
    reachUp = std::max(reachUp, lnb.offset.upMm + kLnbCollar / 2);
    reachDown = std::max(reachDown, -lnb.offset.upMm + kLnbCollar / 2);
  }
  const double room = std::min((box.width - 2 * kBracketLabelWidth) / (2 * reachX),
                               (box.height - 2 * kBracketLabel) / (reachUp + reachDown));
  // The largest scale of 1:n that fits, and where the labels find room; a
  // little smaller where they do not, but never so small that the LNBs
  // crowd: then each LNB is numbered instead, its number in its collar.
  const int largest = std::max(1, static_cast<int>(std::ceil(1 / room - 1e-9)));
  constexpr int kTries = 3;
  for (int divisor = largest; divisor < largest + kTries; ++divisor) {
    BracketPicture b = bracketAt(box, job, divisor, reachUp, reachDown);
    if (!b.labels.empty()) return b;
  }
  BracketPicture b = bracketAt(box, job, largest, reachUp, reachDown);
  b.numbered = true;
  return b;
}

Point atBearing(Point centre, double radius, double bearing) {
  const double b = bearing * kRadiansPerDegree;
  return {centre.x + radius * std::sin(b), centre.y - radius * std::cos(b)};
}

Dial dialGeometry(const Rect& box, const Angles& angles) {
  Dial d;
  d.radius = std::min((box.width - 2 * kDialSide) / 2,
                      (box.height - kHeading - kDialAbove - kDialBelow - kDialCaption) / 2);
  d.centre = {box.x + box.width / 2, box.y + kHeading + kDialAbove + d.radius};
  d.majorTick = kDialMajorTick;
  d.minorTick = kDialMinorTick;
  d.numberRadius = d.radius + kDialNumbers;
  d.cardinalRadius = d.radius + kDialCardinals;
  d.cardinalBox = kDialCardinalBox;
  d.northReach = d.radius + kDialNorthReach;
  d.labelGap = kDialLabelGap;
  d.hub = kDialHub;
  d.aimed = angles.elevation >= 0;
  d.arrowBearing = angles.azimuthMagnetic;
  d.trueNorthBearing = -angles.declination;
  d.arrowLength = 0.8 * d.radius;
  d.headLength = 0.2 * d.radius;
  d.headHalfWidth = 0.08 * d.radius;
  d.arrowTip = atBearing(d.centre, d.arrowLength, d.arrowBearing);
  d.arrowHeadCentre = atBearing(d.centre, d.arrowLength - d.headLength / 3, d.arrowBearing);
  d.magneticNorthEnd = atBearing(d.centre, d.radius, 0);
  d.trueNorthEnd = atBearing(d.centre, d.radius, d.trueNorthBearing);
  d.caption = {box.x, d.centre.y + d.radius + kDialBelow, box.width, kDialCaption};
  return d;
}

Protractor protractorGeometry(const Rect& box, const Angles& angles) {
  const Rect area{box.x, box.y + kHeading, box.width, box.height - kHeading};
  Protractor p;
  p.aboveHorizon = angles.elevation >= 0;
  p.radius = std::min(area.height - kProtractorAbove - kProtractorBelow, area.width * kProtractorWidthShare);
  p.origin = {area.x + kProtractorLeft, area.y + kProtractorAbove + p.radius};
  p.majorTick = kProtractorMajorTick;
  p.minorTick = kProtractorMinorTick;
  p.numberRadius = p.radius + kProtractorNumbers;
  p.numberClearance = kProtractorClearance;
  p.angleArc = kProtractorArcShare * p.radius;
  p.sightLength = p.radius + kSightPast;
  p.headAt = p.radius + kSightHeadAt;
  p.headLength = kSightHeadLength;
  p.headHalfWidth = kSightHeadHalfWidth;
  p.horizonLabel = {p.origin.x, p.origin.y + kHorizonLabelDrop, p.radius, kHorizonLabel};
  const double textX = p.origin.x + p.radius + kProtractorTextGap;
  p.text = p.aboveHorizon ? Rect{textX, area.y, area.right() - textX, area.height} : area;
  p.value = {p.text.x, p.text.y + kPanelValueTop, p.text.width, kPanelValue};
  p.words = {p.text.x, p.text.y + kPanelWordsTop, p.text.width, p.text.height - kPanelWordsTop};
  return p;
}

SkewPicture skewGeometry(const Rect& box, const Angles& angles) {
  const Rect area{box.x, box.y + kHeading, box.width, box.height - kHeading};
  SkewPicture s;
  // The turn's arrow runs at 1.45 radii and the connector reaches 1.5.
  s.radius = std::min(area.height * kLnbHeightShare, area.width * kLnbWidthShare);
  s.centre = {area.x + kLnbCentre * s.radius, area.y + area.height / 2};
  s.top = kLnbTop * s.radius;
  s.connector = {-kLnbConnectorHalfWidth * s.radius, s.radius, 2 * kLnbConnectorHalfWidth * s.radius,
                 kLnbConnectorLength * s.radius};
  s.arcRadius = kLnbArc * s.radius;
  s.headLength = kTurnHeadLength;
  s.headHalfWidth = kTurnHeadHalfWidth;
  s.headBack = kTurnHeadBack;
  s.visible = angles.elevation >= 0;
  s.turn = s.visible && angles.skew != 0;
  s.clockwise = angles.skew > 0;
  const double textX = s.centre.x + kLnbTextGap * s.radius;
  s.text = s.visible ? Rect{textX, area.y, area.right() - textX, area.height} : area;
  s.turnWords = {s.text.x, s.text.y + kTurnWordsTop, s.text.width, kTurnWords};
  s.more = s.text;
  return s;
}

MountPicture mountGeometry(const Rect& box, const JobSite& site) {
  const Rect area{box.x, box.y + kHeading, box.width, box.height - kHeading};
  MountPicture m;
  m.poleOnRight = site.inputs.SiteLatitude >= 0;
  m.length = std::min(area.height * kMountLengthShare, area.width * kMountTextShare * kMountLengthShare);
  const double textWidth = area.width * kMountTextShare;
  const double drawing = area.width - textWidth;
  m.pivot = {area.x + drawing / 2, area.bottom() - kProtractorBelow};
  const double axis = site.polarMount ? static_cast<double>(site.polarMount->PolarAxisElevation) : 0;
  const double offset = site.polarMount ? static_cast<double>(site.polarMount->DeclinationOffset) : 0;
  // Bearings on the page: the pole's side up at the axis's elevation; the
  // beam square to it on the equator's side, and dipped by the offset.
  const double side = m.poleOnRight ? 1 : -1;
  m.axisBearing = side * (90 - axis);
  m.beamBearing = -side * (axis + offset);
  m.arcRadius = kMountArcShare * m.length;
  m.text = {area.x + drawing, area.y, textWidth, area.height};
  return m;
}

Point SkyView::toPage(SkyPoint p) const {
  return {plot.x + (p.azimuth - azimuthFrom) / (azimuthTo - azimuthFrom) * plot.width,
          plot.y + (elevationTo - p.elevation) / (elevationTo - elevationFrom) * plot.height};
}

Rect SkyView::directionBand() const {
  return {plot.x, toPage({azimuthFrom, 0}).y, plot.width, kDirectionBand};
}

double SkyView::degreeLine() const { return directionBand().y + kDegreeLine; }

double SkyView::pointLine() const { return directionBand().y + kPointLine; }

Rect SkyView::elevationLabel(double e, double skyLeft) const {
  const double y = toPage({azimuthFrom, e}).y;
  return {skyLeft, y - kScaleLabel / 2, plot.x - skyLeft - kScaleGap, kScaleLabel};
}

Rect SkyView::dropLine() const {
  const Point c = toPage(chosen);
  const double horizon = toPage({chosen.azimuth, 0}).y;
  return {c.x - 0.4, std::min(c.y, horizon), 0.8, std::fabs(horizon - c.y)};
}

// The skyline across the view: sampled as finely as the arc, and on either
// side of each obstacle's ends so that its sides stand upright; held to the
// view's top.
std::vector<SkyPoint> skylineOutline(const Skyline& skyline, const SkyView& v) {
  std::vector<double> azimuths;
  for (double az = v.azimuthFrom; az < v.azimuthTo; az += kArcStep) azimuths.push_back(az);
  azimuths.push_back(v.azimuthTo);
  constexpr double kSide = 1e-6;  // degrees either side of an end
  const double centre = v.facingSouth ? 180 : 0;
  for (const Obstacle& o : skyline.obstacles) {
    for (const double end : {o.fromAzimuth, o.toAzimuth}) {
      const double az = unwrap(end, centre);
      for (const double side : {az - kSide, az + kSide}) {
        if (side > v.azimuthFrom && side < v.azimuthTo) azimuths.push_back(side);
      }
    }
  }
  std::sort(azimuths.begin(), azimuths.end());
  std::vector<SkyPoint> outline{{v.azimuthFrom, 0}};
  for (const double az : azimuths) {
    const double e = obstructionAt(skyline, std::fmod(az + 720, 360)).elevation;
    outline.push_back({az, std::min(e, v.elevationTo)});
  }
  outline.push_back({v.azimuthTo, 0});
  return outline;
}

SkyView skyView(const Rect& plot, const Job& job) {
  const OnecalcInputs& site = job.chosen->inputs;
  const Angles angles = anglesOf(job);
  SkyView v;
  v.plot = plot;
  v.facingSouth = site.SiteLatitude >= 0;
  const double centre = v.facingSouth ? 180 : 0;

  // The arc in order of longitude West of the site; the sub-satellite
  // meridian (difference 0) is its highest point.
  std::vector<std::pair<double, SkyPoint>> samples;
  for (double d = -180; d <= 180; d += kArcStep) {
    if (const auto p = lookAt(site, d)) samples.emplace_back(d, *p);
  }
  double highest = -90;
  for (const auto& s : samples) highest = std::max(highest, s.second.elevation);

  v.arcRises = rises(site, 0);
  if (v.arcRises) {
    const double east = horizonCrossing(site, 0, -90), west = horizonCrossing(site, 0, 90);
    v.arcEnds[0] = lookAt(site, east).value_or(SkyPoint{});
    v.arcEnds[1] = lookAt(site, west).value_or(SkyPoint{});
    std::vector<SkyPoint> before, visible{v.arcEnds[0]}, after{v.arcEnds[1]};
    for (const auto& [d, p] : samples) (d < east ? before : d > west ? after : visible).push_back(p);
    before.push_back(v.arcEnds[0]);
    visible.push_back(v.arcEnds[1]);
    addLine(v.above, visible, centre);
    addLine(v.below, before, centre);
    addLine(v.below, after, centre);
    for (SkyPoint& end : v.arcEnds) end.azimuth = unwrap(end.azimuth, centre);
    v.azimuthFrom = std::min(v.arcEnds[0].azimuth, v.arcEnds[1].azimuth) - kAzimuthMargin;
    v.azimuthTo = std::max(v.arcEnds[0].azimuth, v.arcEnds[1].azimuth) + kAzimuthMargin;
  } else {
    std::vector<SkyPoint> all;
    for (const auto& s : samples) all.push_back(s.second);
    addLine(v.below, all, centre);
    v.azimuthFrom = centre - 90;
    v.azimuthTo = centre + 90;
  }

  v.chosen = {unwrap(angles.azimuthTrue, centre), angles.elevation};
  v.azimuthFrom = std::max(centre - 180, 10 * std::floor(std::min(v.azimuthFrom, v.chosen.azimuth - kAzimuthMargin) / 10));
  v.azimuthTo = std::min(centre + 180, 10 * std::ceil(std::max(v.azimuthTo, v.chosen.azimuth + kAzimuthMargin) / 10));

  const double top = std::max({highest, v.chosen.elevation, 0.0}) + kElevationMargin;
  v.elevationTo = std::min(90.0, 10 * std::ceil(top / 10));
  // Below the horizon: room for the compass directions at least, and for the
  // chosen satellite and the arc when they lie lower.
  const double band = kDirectionBand + 1;
  double bottom = -std::max(5.0, band * v.elevationTo / (plot.height - band));
  bottom = std::min({bottom, v.chosen.elevation - 5, v.arcRises ? 0.0 : highest - 5});
  v.elevationFrom = std::max(-90.0, 5 * std::floor(bottom / 5));

  v.above = cut(v.above, v);
  v.below = cut(v.below, v);
  if (!job.skyline.empty()) v.skyline = skylineOutline(job.skyline, v);
  v.chosenBlocked = job.chosen->clearance && job.chosen->clearance->degrees <= 0;

  for (const Pointing& s : job.listed) {
    if (std::fabs(static_cast<double>(s.longitudeWest) - static_cast<double>(site.SatelliteLongitude)) < 1e-4) {
      continue;  // the chosen satellite has its own mark
    }
    const SkyPoint p{unwrap(static_cast<double>(s.angles.AzimuthTrue), centre), s.elevation()};
    if (p.azimuth < v.azimuthFrom || p.azimuth > v.azimuthTo || p.elevation < 0 || p.elevation > v.elevationTo) {
      continue;
    }
    v.marks.push_back({s.name, p, s.wanders, s.clearance && s.clearance->degrees <= 0});
  }
  return v;
}

std::vector<int> placeLabels(const std::vector<std::vector<Rect>>& candidates, const Rect& bounds,
                             std::vector<Rect> obstacles) {
  std::vector<int> chosen;
  for (const auto& boxes : candidates) {
    int pick = -1;
    for (std::size_t i = 0; i < boxes.size() && pick < 0; ++i) {
      const Rect& box = boxes[i];
      if (!bounds.contains(box)) continue;
      if (std::any_of(obstacles.begin(), obstacles.end(), [&box](const Rect& o) { return o.overlaps(box); })) continue;
      pick = static_cast<int>(i);
      obstacles.push_back(box);
    }
    chosen.push_back(pick);
  }
  return chosen;
}

std::vector<std::size_t> labelOrder(const SkyView& view) {
  std::vector<std::size_t> order(view.marks.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  // The nearest on each side of the chosen satellite first.
  std::vector<std::size_t> first;
  for (const int side : {-1, 1}) {
    std::vector<std::size_t> near;
    for (std::size_t i : order) {
      if ((view.marks[i].at.azimuth - view.chosen.azimuth) * side > 0 && !view.marks[i].wanders) near.push_back(i);
    }
    std::sort(near.begin(), near.end(), [&view](std::size_t a, std::size_t b) {
      return std::fabs(view.marks[a].at.azimuth - view.chosen.azimuth) <
             std::fabs(view.marks[b].at.azimuth - view.chosen.azimuth);
    });
    first.insert(first.end(), near.begin(), near.begin() + static_cast<std::ptrdiff_t>(std::min(kNeighbours, near.size())));
  }
  // Then the highest, those that wander last of all.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const auto rank = [&](std::size_t i) {
      return std::find(first.begin(), first.end(), i) != first.end() ? 0 : view.marks[i].wanders ? 2 : 1;
    };
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    return view.marks[a].at.elevation > view.marks[b].at.elevation;
  });
  return order;
}

namespace {

// Where the chosen satellite's label goes: above it, below, beside, then at
// the corners, whichever is free first of obstacles.
Rect chosenLabelPlace(const SkyView& view, double w, double h, const std::vector<Rect>& obstacles) {
  const Point c = view.toPage(view.chosen);
  const double g = kChosenGap;
  const std::vector<Rect> beside{{c.x - w / 2, c.y - g - h, w, h},   {c.x - w / 2, c.y + g, w, h},
                                 {c.x + g, c.y - h / 2, w, h},       {c.x - g - w, c.y - h / 2, w, h},
                                 {c.x + g / 2, c.y - g / 2 - h, w, h}, {c.x - g / 2 - w, c.y - g / 2 - h, w, h},
                                 {c.x + g / 2, c.y + g / 2, w, h},   {c.x - g / 2 - w, c.y + g / 2, w, h}};
  const int pick = placeLabels({beside}, view.plot, obstacles)[0];
  Rect place = beside[static_cast<std::size_t>(std::max(pick, 0))];
  if (pick < 0) {
    // Nowhere free: the chosen satellite is labelled all the same, kept
    // within the view; the marks' labels then avoid it.
    place.x = std::clamp(place.x, view.plot.x, view.plot.right() - w);
    place.y = std::clamp(place.y, view.plot.y, view.plot.bottom() - h);
  }
  return place;
}

// A label written upward, above the mark or else below it; where the arc is
// steep, a little further off so as to clear it.
std::vector<Rect> uprightPlaces(const SkyView& view, const SkyPoint& at, double length, double height,
                                std::span<const double> gaps) {
  const Point p = view.toPage(at);
  std::vector<Rect> places;
  for (double gap : gaps) {
    places.push_back({p.x - height / 2, p.y - gap - length, height, length});
    places.push_back({p.x - height / 2, p.y + gap, height, length});
  }
  return places;
}

// Each mark's name where it has room, in labelOrder's order; each label
// placed becomes an obstacle to the next.
void placeMarkLabels(const SkyView& view, const std::vector<double>& markWidths, double markHeight,
                     std::vector<Rect>& obstacles, SkyLabels& labels) {
  const std::vector<std::size_t> order = labelOrder(view);
  std::vector<std::vector<Rect>> candidates;
  for (std::size_t i : order) {
    const double length = i < markWidths.size() ? markWidths[i] : 0;
    candidates.push_back(view.marks[i].name.empty() || length <= 0
                             ? std::vector<Rect>{}
                             : uprightPlaces(view, view.marks[i].at, length, markHeight, kLabelGaps));
  }
  const std::vector<int> picks = placeLabels(candidates, view.plot, obstacles);
  labels.marks.assign(view.marks.size(), std::nullopt);
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (picks[k] < 0) continue;
    labels.marks[order[k]] = candidates[k][static_cast<std::size_t>(picks[k])];
    obstacles.push_back(*labels.marks[order[k]]);
  }
}

// Runs of unlabelled marks along the arc, each told by one "+n more": a run
// goes on past labelled marks while the unlabelled stand within kMoreSpan of
// each other.
void placeMoreLabels(const SkyView& view, double markHeight, const std::function<double(std::size_t)>& moreWidth,
                     std::vector<Rect>& obstacles, SkyLabels& labels) {
  std::vector<std::size_t> byAzimuth(view.marks.size());
  std::iota(byAzimuth.begin(), byAzimuth.end(), std::size_t{0});
  std::stable_sort(byAzimuth.begin(), byAzimuth.end(), [&view](std::size_t a, std::size_t b) {
    return view.marks[a].at.azimuth < view.marks[b].at.azimuth;
  });
  std::vector<std::size_t> run;
  const auto tell = [&] {
    if (run.empty()) return;
    // At the run's middle mark or, failing that, the nearest to it that has room.
    std::vector<std::size_t> anchors(run.size());
    std::iota(anchors.begin(), anchors.end(), std::size_t{0});
    const auto middle = static_cast<double>(run.size() - 1) / 2;
    std::stable_sort(anchors.begin(), anchors.end(), [middle](std::size_t a, std::size_t b) {
      return std::fabs(static_cast<double>(a) - middle) < std::fabs(static_cast<double>(b) - middle);
    });
    std::vector<Rect> places;
    for (std::size_t k : anchors) {
      const std::vector<Rect> here = uprightPlaces(view, view.marks[run[k]].at, moreWidth(run.size()), markHeight, kMoreGaps);
      places.insert(places.end(), here.begin(), here.end());
    }
    if (const int at = placeLabels({places}, view.plot, obstacles)[0]; at >= 0) {
      labels.more.push_back({run.size(), places[static_cast<std::size_t>(at)]});
      obstacles.push_back(labels.more.back().box);
    }
    run.clear();
  };
  for (std::size_t i : byAzimuth) {
    if (labels.marks[i]) continue;
    if (!run.empty() && view.marks[i].at.azimuth - view.marks[run.back()].at.azimuth > kMoreSpan) tell();
    run.push_back(i);
  }
  tell();
}

}  // namespace

SkyLabels placeSkyLabels(const SkyView& view, double chosenWidth, double chosenHeight,
                         const std::vector<double>& markWidths, double markHeight,
                         const std::function<double(std::size_t)>& moreWidth) {
  SkyLabels labels;
  // Labels keep off the arc's line as well as off each other.
  std::vector<Rect> obstacles{view.directionBand(), view.dropLine()};
  for (const auto& line : view.above) {
    for (const SkyPoint& p : line) obstacles.push_back(around(view.toPage(p), kArcWidth));
  }
  labels.chosen = chosenLabelPlace(view, chosenWidth, chosenHeight, obstacles);
  obstacles.push_back(labels.chosen);
  obstacles.push_back(around(view.toPage(view.chosen), 2 * kChosenGap));
  for (const SkyMark& m : view.marks) obstacles.push_back(around(view.toPage(m.at), kMarkDot));
  placeMarkLabels(view, markWidths, markHeight, obstacles, labels);
  if (moreWidth) placeMoreLabels(view, markHeight, moreWidth, obstacles, labels);
  return labels;
}

}  // namespace sheet
}  // namespace vantorel
