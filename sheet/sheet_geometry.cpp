#include "sheet_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
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
constexpr double kTitleHeight = 10;
constexpr double kJobLines = 5;  // latitude, longitude, satellite, date, declination
constexpr double kJobLine = 5.2;
// The job block's columns, mm from its left edge, and their widths: a
// column's width runs on to the next or to the block's end.
constexpr double kJobLabelWidth = 27;
constexpr double kJobValueX = 28;
constexpr double kJobValueWidth = 50;
constexpr double kJobMoreX = 80;
constexpr double kJobNoteX = 134;
constexpr double kJobNoteGap = 54;  // kept clear at the block's end for the note
constexpr double kFigureRow = 16;
constexpr std::size_t kFiguresPerRow = 4;
constexpr double kFooterHeight = 6;
// The drawings take at most this height and this share of what the fixed
// blocks leave; the sky view takes the rest.
constexpr double kDrawingsMax = 96;
constexpr double kDrawingsShare = 0.56;

// Room around the dial's ring for the degree numbers and the cardinal
// letters, above it for the north lines' labels too, and below for a caption.
constexpr double kDialAbove = 13.5;
constexpr double kDialBelow = 7.5;
constexpr double kDialSide = 8;
constexpr double kDialCaption = 9;

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
// The arc's line as labels see it: a little wider than it is drawn.
constexpr double kArcWidth = 0.8;

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

Layout layoutPage(Paper paper, std::size_t figureCount, std::size_t noteCount) {
  Layout l;
  l.page = pageSize(paper);
  const double x = kMargin, width = l.page.width - 2 * kMargin;
  double y = kMargin;
  l.title = {x, y, width, kTitleHeight};
  y += kTitleHeight + 2;
  l.job = {x, y, width, kJobLines * kJobLine};
  l.jobLine = kJobLine;
  l.jobColumns = {{x, 0, kJobLabelWidth, 0},
                  {x + kJobValueX, 0, kJobValueWidth, 0},
                  {x + kJobValueX, 0, width - kJobValueX, 0},
                  {x + kJobMoreX, 0, width - kJobMoreX - kJobNoteGap, 0},
                  {x + kJobMoreX, 0, width - kJobMoreX, 0},
                  {x + kJobNoteX, 0, width - kJobNoteX, 0}};
  y += l.job.height + 3;

  const std::size_t rows = std::max<std::size_t>(1, (figureCount + kFiguresPerRow - 1) / kFiguresPerRow);
  l.figures = {x, y, width, static_cast<double>(rows) * kFigureRow};
  const double cellWidth = (width - (kFiguresPerRow - 1) * kGap) / kFiguresPerRow;
  for (std::size_t i = 0; i < figureCount; ++i) {
    l.figureCells.push_back({x + static_cast<double>(i % kFiguresPerRow) * (cellWidth + kGap),
                             y + static_cast<double>(i / kFiguresPerRow) * kFigureRow, cellWidth, kFigureRow - 2});
  }
  y += l.figures.height + 3;
  l.notes = {x, y, width, static_cast<double>(noteCount) * kNoteLine};
  if (noteCount > 0) y += l.notes.height + 3;

  l.footer = {x, l.page.height - kMargin - kFooterHeight, width, kFooterHeight};
  const double remaining = l.footer.y - 3 - y;
  const double drawings = std::min(kDrawingsMax, remaining * kDrawingsShare);
  const double dialWidth = width / 2;
  l.dial = {x, y, dialWidth, drawings};
  const double rightX = x + dialWidth + kGap, rightWidth = width - dialWidth - kGap;
  const double half = (drawings - kGap) / 2;
  l.elevation = {rightX, y, rightWidth, half};
  l.skew = {rightX, y + half + kGap, rightWidth, half};
  l.sky = {x, y + drawings + kGap, width, remaining - drawings - kGap};
  // Room on the left for the elevation numbers.
  l.skyPlot = {l.sky.x + 10, l.sky.y + kHeading, l.sky.width - 12, l.sky.height - kHeading - 1};
  return l;
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
  // Room above for the 90 and below for the horizon's name.
  p.radius = std::min(area.height - 10, area.width * 0.45);
  p.origin = {area.x + 3, area.y + 5 + p.radius};
  const double textX = p.origin.x + p.radius + 9;
  p.text = p.aboveHorizon ? Rect{textX, area.y, area.right() - textX, area.height} : area;
  return p;
}

SkewPicture skewGeometry(const Rect& box, const Angles& angles) {
  const Rect area{box.x, box.y + kHeading, box.width, box.height - kHeading};
  SkewPicture s;
  // The turn's arrow runs at 1.45 radii and the connector reaches 1.5.
  s.radius = std::min(area.height / 3.2, area.width / 7);
  s.centre = {area.x + 1.6 * s.radius, area.y + area.height / 2};
  s.visible = angles.elevation >= 0;
  s.turn = s.visible && angles.skew != 0;
  s.clockwise = angles.skew > 0;
  const double textX = s.centre.x + 1.7 * s.radius;
  s.text = {textX, area.y, area.right() - textX, area.height};
  return s;
}

Point SkyView::toPage(SkyPoint p) const {
  return {plot.x + (p.azimuth - azimuthFrom) / (azimuthTo - azimuthFrom) * plot.width,
          plot.y + (elevationTo - p.elevation) / (elevationTo - elevationFrom) * plot.height};
}

Rect SkyView::directionBand() const {
  return {plot.x, toPage({azimuthFrom, 0}).y, plot.width, kDirectionBand};
}

Rect SkyView::dropLine() const {
  const Point c = toPage(chosen);
  const double horizon = toPage({chosen.azimuth, 0}).y;
  return {c.x - 0.4, std::min(c.y, horizon), 0.8, std::fabs(horizon - c.y)};
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

  for (const Pointing& s : job.listed) {
    if (std::fabs(static_cast<double>(s.longitudeWest) - static_cast<double>(site.SatelliteLongitude)) < 1e-4) {
      continue;  // the chosen satellite has its own mark
    }
    const SkyPoint p{unwrap(static_cast<double>(s.angles.AzimuthTrue), centre), s.elevation()};
    if (p.azimuth < v.azimuthFrom || p.azimuth > v.azimuthTo || p.elevation < 0 || p.elevation > v.elevationTo) {
      continue;
    }
    v.marks.push_back({s.name, p});
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

SkyLabels placeSkyLabels(const SkyView& view, double chosenWidth, double chosenHeight,
                         const std::vector<double>& markWidths, double markHeight) {
  SkyLabels labels;
  const Point c = view.toPage(view.chosen);
  const double w = chosenWidth, h = chosenHeight, g = kChosenGap;
  // Labels keep off the arc's line as well as off each other.
  std::vector<Rect> obstacles{view.directionBand(), view.dropLine()};
  for (const auto& line : view.above) {
    for (const SkyPoint& p : line) obstacles.push_back(around(view.toPage(p), kArcWidth));
  }
  // Above, below, beside, then at the corners.
  const std::vector<Rect> beside{{c.x - w / 2, c.y - g - h, w, h},   {c.x - w / 2, c.y + g, w, h},
                                 {c.x + g, c.y - h / 2, w, h},       {c.x - g - w, c.y - h / 2, w, h},
                                 {c.x + g / 2, c.y - g / 2 - h, w, h}, {c.x - g / 2 - w, c.y - g / 2 - h, w, h},
                                 {c.x + g / 2, c.y + g / 2, w, h},   {c.x - g / 2 - w, c.y + g / 2, w, h}};
  const int pick = placeLabels({beside}, view.plot, obstacles)[0];
  labels.chosen = beside[static_cast<std::size_t>(std::max(pick, 0))];
  if (pick < 0) {
    // Nowhere free: the chosen satellite is labelled all the same, kept
    // within the view; the marks' labels then avoid it.
    labels.chosen.x = std::clamp(labels.chosen.x, view.plot.x, view.plot.right() - w);
    labels.chosen.y = std::clamp(labels.chosen.y, view.plot.y, view.plot.bottom() - h);
  }

  obstacles.push_back(labels.chosen);
  obstacles.push_back(around(c, 2 * g));
  for (const SkyMark& m : view.marks) obstacles.push_back(around(view.toPage(m.at), kMarkDot));

  // Left to right: for boxes of one width, taking each that fits after the
  // last one taken labels as many as fit.
  std::vector<std::size_t> order(view.marks.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&view](std::size_t a, std::size_t b) {
    return view.marks[a].at.azimuth < view.marks[b].at.azimuth;
  });
  std::vector<std::vector<Rect>> candidates;
  for (std::size_t i : order) {
    const Point p = view.toPage(view.marks[i].at);
    const double length = i < markWidths.size() ? markWidths[i] : 0;
    if (view.marks[i].name.empty() || length <= 0) {
      candidates.emplace_back();
      continue;
    }
    // Written upward, above the mark or else below it; where the arc is
    // steep, a little further off so as to clear it.
    std::vector<Rect> places;
    for (double gap : {kMarkGap, kSteepGap}) {
      places.push_back({p.x - markHeight / 2, p.y - gap - length, markHeight, length});
      places.push_back({p.x - markHeight / 2, p.y + gap, markHeight, length});
    }
    candidates.push_back(places);
  }
  const std::vector<int> picks = placeLabels(candidates, view.plot, obstacles);
  labels.marks.assign(view.marks.size(), std::nullopt);
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (picks[k] >= 0) labels.marks[order[k]] = candidates[k][static_cast<std::size_t>(picks[k])];
  }
  return labels;
}

}  // namespace sheet
}  // namespace vantorel
