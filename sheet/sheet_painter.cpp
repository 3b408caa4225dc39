#include "sheet_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "angles.h"
#include "program_version.h"

namespace vantorel::sheet {
namespace {

// Text and dashed lines are drawn in hundredths of a millimetre. At one unit
// a millimetre a font would be three or four units tall, and the font engine
// would round its advances to whole units; and Qt's SVG writer dashes a pen
// under one unit wide as if it were one unit wide, four times too long.
constexpr double kFine = 100;
// Below this size a text that does not fit is left at it rather than made
// unreadable; each try shrinks it by kShrink.
constexpr double kSmallestPoints = 4.5;
constexpr double kShrink = 0.93;
// A reading that would have to shrink below this size to fit its box on one
// line is wrapped instead, at kWrappedReading.
constexpr double kWrapBelow = 11;
constexpr double kWrappedReading = 9;

// The strokes' widths, mm.
constexpr double kRule = 0.35;
constexpr double kFine_ = 0.2;
constexpr double kGridLine = 0.2;
constexpr double kArcLine = 0.6;
constexpr double kFrame = 0.4;
constexpr double kDashed = 0.3;
constexpr double kMagneticNorth = 0.5;
constexpr double kArrowShaft = 0.9;
constexpr double kSightLine = 0.8;
constexpr double kAngleMark = 0.35;
constexpr double kLnbLine = 0.7;
constexpr double kTurnLine = 0.45;
constexpr double kMarkLine = 0.25;
constexpr double kChosenRing = 0.5;
constexpr double kPanelCorner = 1.5;
// The shaft stops short of the head's tip by this share of the head.
constexpr double kShaftIntoHead = 0.9;

constexpr QRgb kInk = 0xff1a1a1a;
constexpr QRgb kMuted = 0xff5c5c5c;
constexpr QRgb kGrid = 0xffd2d2d2;
constexpr QRgb kPanel = 0xfff0f0f0;
constexpr QRgb kGround = 0xffeee6d6;
constexpr QRgb kDish = kDishColour;
constexpr QRgb kMagnetic = 0xffc62828;
constexpr QRgb kWarning = 0xff8d4a00;
// What stands in the sky from the dish: a translucent green-grey, so that
// the grid and the arc behind show through.
constexpr QRgb kObstruction = 0x9a5f7a55;
constexpr QRgb kBlocked = 0xffc62828;

QPointF at(Point p) { return {p.x, p.y}; }
QRectF rect(const Rect& r) { return {r.x, r.y, r.width, r.height}; }
QString q(const std::string& s) { return QString::fromStdString(s); }
QString labelOf(Label label) {
  const std::string_view text = labelText(label);
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
QString degrees(const QString& value) { return value + QStringLiteral("\u00b0"); }

QPen pen(QRgb colour, double width, Qt::PenStyle style = Qt::SolidLine) {
  return QPen{QColor::fromRgb(colour), width, style, Qt::FlatCap, Qt::MiterJoin};
}

constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kWrapped = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The painter with the page's texts: sizes in points, boxes in mm.
class Page {
 public:
  explicit Page(QPainter& painter) : m_p(painter), m_dpi(painter.device()->logicalDpiY()) {}

  QPainter& painter() { return m_p; }

  QFont font(double points, bool bold) const {
    QFont f(QString::fromLatin1(kFace));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points * kMillimetresPerInch / m_dpi * kFine);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
  }

  // The text's size in mm, wrapped within `width` when flags ask for it.
  QSizeF measure(const QString& text, double points, bool bold, int flags = 0, double width = 1e4) const {
    const QRectF box = QFontMetricsF(font(points, bold), m_p.device())
                           .boundingRect(QRectF(0, 0, width * kFine, 1e6), flags, text);
    return box.size() / kFine;
  }

  // Draws text within box, at `points` or as much smaller as it takes to fit.
  void text(const Rect& box, int flags, const QString& text, double points, bool bold = false, QRgb colour = kInk) {
    points = fitted(text, box.width, box.height, points, bold, flags);
    m_p.save();
    m_p.scale(1 / kFine, 1 / kFine);
    m_p.setFont(font(points, bold));
    m_p.setPen(QColor::fromRgb(colour));
    m_p.drawText(QRectF(box.x * kFine, box.y * kFine, box.width * kFine, box.height * kFine), flags, text);
    m_p.restore();
  }

  // A line of text written upward along the box (box.height long).
  void upward(const Rect& box, const QString& text, double points, QRgb colour) {
    m_p.save();
    m_p.translate(box.x, box.bottom());
    m_p.rotate(-90);
    m_p.scale(1 / kFine, 1 / kFine);
    m_p.setFont(font(points, false));
    m_p.setPen(QColor::fromRgb(colour));
    m_p.drawText(QRectF(0, 0, box.height * kFine, box.width * kFine), kLeft, text);
    m_p.restore();
  }

  // A text centred on a point.
  void centred(Point p, const QString& text, double points, bool bold = false, QRgb colour = kInk) {
    const QSizeF s = measure(text, points, bold);
    this->text({p.x - s.width() / 2, p.y - s.height() / 2, s.width(), s.height()}, Qt::AlignCenter, text, points,
               bold, colour);
  }

  double fitted(const QString& text, double width, double height, double points, bool bold, int flags) const {
    while (points > kSmallestPoints) {
      const QSizeF s = measure(text, points, bold, flags, width);
      if (s.width() <= width + 1e-6 && s.height() <= height + 1e-6) break;
      points = std::max(kSmallestPoints, points * kShrink);
    }
    return points;
  }

 private:
  QPainter& m_p;
  int m_dpi;
};

void dashed(QPainter& p, const QPainterPath& path, QRgb colour, double width) {
  p.save();
  p.scale(1 / kFine, 1 / kFine);
  p.setPen(pen(colour, width * kFine, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawPath(QTransform::fromScale(kFine, kFine).map(path));
  p.restore();
}

QPainterPath line(QPointF from, QPointF to) {
  QPainterPath path(from);
  path.lineTo(to);
  return path;
}

void heading(Page& page, const Rect& block, const QString& title, const QString& subtitle) {
  const Heading h = headingOf(block);
  const double titleWidth = page.measure(title, points::kHeading, true).width();
  page.text({h.title.x, h.title.y, titleWidth + kHeadingGap / 2, h.title.height}, kLeft, title, points::kHeading, true);
  const double subtitleX = h.subtitle.x + titleWidth + kHeadingGap;
  page.text({subtitleX, h.subtitle.y, h.subtitle.right() - subtitleX, h.subtitle.height}, kLeft, subtitle,
            points::kSubheading, false, kMuted);
}

const Figure& figureOf(const Job& job, Label label) { return *job.chosen->figure(label); }

// A filled arrowhead whose tip is at the origin, pointing up the page.
void arrowhead(QPainter& p, double length, double halfWidth, QRgb colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgb(colour));
  p.drawPolygon(QPolygonF({{0, 0}, {halfWidth, length}, {-halfWidth, length}}));
  p.setBrush(Qt::NoBrush);
}

void paintTitle(Page& page, const Layout& l, const Job& job) {
  const QString title = QStringLiteral("Satellite dish installation sheet");
  const double width = page.measure(title, points::kTitle, true).width();
  page.text({l.title.x, l.title.y, width + l.titleGap / 2, l.title.height}, kLeft, title, points::kTitle, true);
  const double satelliteX = l.titleSatellite.x + width + l.titleGap;
  page.text({satelliteX, l.titleSatellite.y, l.titleSatellite.right() - satelliteX, l.titleSatellite.height},
            Qt::AlignRight | Qt::AlignVCenter, q(satelliteText(*job.chosen)), points::kTitleSatellite, true, kDish);
  page.painter().setPen(pen(kInk, kRule));
  page.painter().drawLine(QPointF(l.title.x, l.titleRule), QPointF(l.title.right(), l.titleRule));
}

// One line of the job block: a label, its value and what stands beside it,
// over as many rows as its wrapped value needs.
struct JobLine {
  QString label;
  QString value;
  bool bold = false;
  QString sign;  // small print after the value: the declination's sign rule
  QString more;
  QRgb moreColour = kInk;
  QString note;
  QString moreLabel;  // names the second value, where it is not the first's
  bool wrapped = false;  // the user's own text, wrapped at kWrappedPoints
  int rows = 1;          // the rows it takes
};

// The customer, address and notes are as long as people type them: they wrap
// at the values' size rather than shrink.
constexpr double kWrappedPoints = points::kValue;

// The job block's lines, with the rows each takes in layout l's columns. The
// customer and the address stand beside the satellite and the date where
// they fit on one line there, and on lines of their own where they do not;
// the notes always have their own.
std::vector<JobLine> jobLines(const Page& page, const Layout& l, const Job& job) {
  const JobSite& site = job.site;
  std::vector<JobLine> lines = {
      {labelOf(Label::Latitude), q(site.latitudeDms), false, {}, q(site.latitudeDecimal), kInk,
       QStringLiteral("decimal degrees, North and East positive"), {}},
      {labelOf(Label::Longitude), q(site.longitudeDms), false, {}, q(site.longitudeDecimal), kInk, {}, {}},
      {labelOf(Label::Satellite), q(satelliteText(*job.chosen)), true, {}, {}, kInk, {}, {}},
      {labelOf(Label::Date), q(calendarDateText(site.date)), false, {}, {}, kInk, {}, {}},
      {labelOf(Label::Declination), q(site.declinationText), false, QStringLiteral("East positive"),
       q(declinationSourceText(site)), kMuted, {}, {}},
  };
  const Layout::JobColumns& c = l.jobColumns;
  const auto rows = [&](const QString& text) {
    const double height = page.measure(text, kWrappedPoints, false, kWrapped, c.wideValue.width).height();
    return std::max(1, static_cast<int>(std::ceil(height / l.jobLine - 1e-6)));
  };
  std::vector<JobLine> ownLines;
  const std::pair<std::size_t, std::pair<QString, const std::string*>> beside[] = {
      {2, {QStringLiteral("CUSTOMER"), &job.customer}}, {3, {QStringLiteral("ADDRESS"), &job.address}}};
  for (const auto& [at, labelled] : beside) {
    const QString text = q(*labelled.second);
    if (text.isEmpty()) continue;
    const double labelWidth = page.measure(labelled.first, points::kLabel, true).width() + c.signGap;
    if (page.measure(text, kWrappedPoints, false).width() <= c.wideMore.width - labelWidth) {
      lines[at].more = text;
      lines[at].moreLabel = labelled.first;
    } else {
      ownLines.push_back({labelled.first, text, false, {}, {}, kInk, {}, {}, true, rows(text)});
    }
  }
  if (!job.notes.empty()) {
    ownLines.push_back({QStringLiteral("NOTES"), q(job.notes), false, {}, {}, kInk, {}, {}, true, rows(q(job.notes))});
  }
  lines.insert(lines.end(), ownLines.begin(), ownLines.end());
  return lines;
}

int rowsOf(const std::vector<JobLine>& lines) {
  int rows = 0;
  for (const JobLine& line : lines) rows += line.rows;
  return rows;
}

void paintJob(Page& page, const Layout& l, const std::vector<JobLine>& lines) {
  const Layout::JobColumns& c = l.jobColumns;
  double y = l.job.y;
  for (const JobLine& line : lines) {
    const auto cell = [&](const Rect& column) { return Rect{column.x, y, column.width, l.jobLine}; };
    page.text(cell(c.label), kLeft, line.label, points::kLabel, true, kMuted);
    if (line.wrapped && line.rows > 1) {
      // A text of the user's own, wrapped over its rows.
      const Rect value = cell(c.wideValue);
      const double top = (l.jobLine - page.measure(QStringLiteral("X"), kWrappedPoints, false).height()) / 2;
      page.text({value.x, y + top, value.width, line.rows * l.jobLine - top}, kWrapped, line.value, kWrappedPoints);
      y += line.rows * l.jobLine;
      continue;
    }
    const Rect value = cell(line.more.isEmpty() && line.note.isEmpty() ? c.wideValue : c.value);
    page.text(value, kLeft, line.value, points::kValue, line.bold);
    if (!line.sign.isEmpty()) {
      const double width = page.measure(line.value, points::kValue, false).width() + c.signGap;
      page.text({value.x + width, y, value.width - width, l.jobLine}, kLeft, line.sign, points::kSmall, false, kMuted);
    }
    if (!line.more.isEmpty()) {
      Rect more = cell(line.note.isEmpty() ? c.wideMore : c.more);
      if (!line.moreLabel.isEmpty()) {
        page.text(more, kLeft, line.moreLabel, points::kLabel, true, kMuted);
        const double width = page.measure(line.moreLabel, points::kLabel, true).width() + c.signGap;
        more = {more.x + width, more.y, more.width - width, more.height};
      }
      page.text(more, kLeft, line.more, points::kValue, false, line.moreColour);
    }
    if (!line.note.isEmpty()) page.text(cell(c.note), kLeft, line.note, points::kSmall, false, kMuted);
    y += l.jobLine;
  }
}

// The figures as the instruments read them, the exact figures beside them.
void paintFigures(Page& page, const Layout& l, const std::vector<Figure>& figures) {
  QPainter& p = page.painter();
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const FigureCell& c = l.figureCells[i];
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(kPanel));
    p.drawRoundedRect(rect(c.panel), kPanelCorner, kPanelCorner);
    p.setBrush(Qt::NoBrush);
    page.text(c.label, kLeft, labelOf(figures[i].label), points::kFigureLabel, true, kMuted);
    const QString reading = q(figures[i].reading);
    const bool oneLine = page.fitted(reading, c.reading.width, c.reading.height, points::kReading, true, 0) >= kWrapBelow;
    page.text(c.reading, kLeft | (oneLine ? 0 : Qt::TextWordWrap), reading,
              oneLine ? points::kReading : kWrappedReading, true);
    if (figures[i].reading != figures[i].text) {
      page.text(c.exact, Qt::AlignRight | Qt::AlignBottom, q(figures[i].text), points::kSmall, false, kMuted);
    }
  }
}

// Every warning and note the run gave, as the terminal gave them.
void paintNotes(Page& page, const Layout& l, const Job& job) {
  double y = l.notes.y;
  for (const Notice& notice : job.notices) {
    QString text = q(notice.text);
    text[0] = text[0].toUpper();
    page.text({l.notes.x, y, l.notes.width, l.noteLine}, kLeft, QStringLiteral("\u25B2 ") + text, points::kNote,
              false, kWarning);
    y += l.noteLine;
  }
  // The sun as a compass and the finder's transponders, label first.
  for (const RoofLine& line : roofLines(job)) {
    const QString label = q(line.label) + QStringLiteral("  ");
    const double width = page.measure(label, points::kNote, true).width();
    page.text({l.notes.x, y, width, l.noteLine}, kLeft, label, points::kNote, true);
    page.text({l.notes.x + width, y, l.notes.width - width, l.noteLine}, kLeft, q(line.text), points::kNote);
    y += l.noteLine;
  }
}

// A label beside the end of a line at `bearing`, set off to the side the
// line leans to; `side` forces left (-1) or right (+1) for lines near north.
void bearingLabel(Page& page, Point anchor, double bearing, int side, double gap, const QString& text, QRgb colour) {
  const QSizeF s = page.measure(text, points::kSubheading, true);
  constexpr double kLeans = 0.3;  // the sine of the bearing past which a line leans to a side
  const double lean = std::sin(bearing * kRadiansPerDegree);
  const int align = side != 0 ? side : lean > kLeans ? 1 : lean < -kLeans ? -1 : 0;
  const double x = align > 0 ? anchor.x + gap : align < 0 ? anchor.x - gap - s.width() : anchor.x - s.width() / 2;
  const double y = std::cos(bearing * kRadiansPerDegree) >= 0 ? anchor.y - s.height() : anchor.y;
  page.text({x, y, s.width(), s.height()}, Qt::AlignCenter, text, points::kSubheading, true, colour);
}

void paintDial(Page& page, const Rect& box, const Angles& a, const Job& job) {
  QPainter& p = page.painter();
  const Dial d = dialGeometry(box, a);
  heading(page, box, QStringLiteral("COMPASS"), QStringLiteral("held flat, its needle on magnetic north"));

  p.save();
  p.translate(at(d.centre));
  p.setPen(pen(kInk, kRule));
  p.drawEllipse(QPointF(0, 0), d.radius, d.radius);
  for (int degrees = 0; degrees < 360; degrees += 10) {
    const bool major = degrees % 30 == 0;
    p.setPen(pen(kInk, major ? kRule : kFine_));
    p.drawLine(QPointF(0, -d.radius), QPointF(0, -d.radius + (major ? d.majorTick : d.minorTick)));
    p.rotate(10);
  }
  p.restore();

  for (int degrees = 30; degrees < 360; degrees += 30) {
    if (degrees % 90 != 0) page.centred(atBearing(d.centre, d.numberRadius, degrees), QString::number(degrees), points::kDialNumber);
  }

  // The north lines reach past the ring to their labels; with no
  // declination they are one line.
  dashed(p, line(at(d.centre), at(atBearing(d.centre, d.northReach, d.trueNorthBearing))), kInk, kDashed);
  p.setPen(pen(kMagnetic, kMagneticNorth));
  p.drawLine(at(d.centre), at(atBearing(d.centre, d.northReach, 0)));
  const bool apart = a.declination != 0;
  const int trueSide = d.trueNorthBearing > 0 ? 1 : -1;
  constexpr double kNearNorth = 30;  // degrees within which the two labels would meet
  const bool nearNorth = std::fabs(d.trueNorthBearing) < kNearNorth;
  const double labelAt = d.northReach + d.labelGap;
  bearingLabel(page, atBearing(d.centre, labelAt, 0), 0, apart ? -trueSide : 0, d.labelGap * 2,
               apart ? QStringLiteral("MAGNETIC NORTH") : QStringLiteral("TRUE AND MAGNETIC NORTH"), kMagnetic);
  if (apart) {
    bearingLabel(page, atBearing(d.centre, labelAt, d.trueNorthBearing), d.trueNorthBearing, nearNorth ? trueSide : 0,
                 d.labelGap * 2, QStringLiteral("TRUE NORTH"), kInk);
  }
  // The cardinal letters stand outside the ring, where the dish's arrow
  // never reaches, on white so the north lines pass behind them.
  const char* cardinals[] = {"N", "E", "S", "W"};
  for (int i = 0; i < 4; ++i) {
    const Point c = atBearing(d.centre, d.cardinalRadius, 90 * i);
    p.fillRect(QRectF(c.x - d.cardinalBox / 2, c.y - d.cardinalBox / 2, d.cardinalBox, d.cardinalBox), Qt::white);
    page.centred(c, QString::fromLatin1(cardinals[i]), points::kCardinal, true);
  }

  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgb(kInk));
  p.drawEllipse(at(d.centre), d.hub, d.hub);
  p.setBrush(Qt::NoBrush);
  const Rect& c = d.caption;
  if (!d.aimed) {
    page.text(c, Qt::AlignCenter | Qt::TextWordWrap,
              QStringLiteral("The satellite is below the horizon here: the dish has no direction to point."),
              points::kCaption, true);
    return;
  }
  // The dish's arrow, drawn pointing up and turned to its bearing.
  p.save();
  p.translate(at(d.centre));
  p.rotate(d.arrowBearing);
  p.setPen(pen(kDish, kArrowShaft));
  p.drawLine(QPointF(0, 0), QPointF(0, -(d.arrowLength - d.headLength * kShaftIntoHead)));
  p.translate(0, -d.arrowLength);
  arrowhead(p, d.headLength, d.headHalfWidth, kDish);
  p.restore();
  const Figure& magnetic = figureOf(job, Label::AzimuthMagnetic);
  const Figure& truth = figureOf(job, Label::AzimuthTrue);
  page.text({c.x, c.y, c.width, c.height / 2}, Qt::AlignCenter,
            QStringLiteral("Dish: %1 on the compass (magnetic, %2)").arg(q(magnetic.reading), q(magnetic.text)),
            points::kCaption, true, kDish);
  page.text({c.x, c.y + c.height / 2, c.width, c.height / 2}, Qt::AlignCenter,
            QStringLiteral("%1 from true north (%2)").arg(q(truth.reading), q(truth.text)), points::kCaption, false,
            kDish);
}

void paintElevation(Page& page, const Rect& box, const Angles& a, const Job& job) {
  QPainter& p = page.painter();
  const Protractor g = protractorGeometry(box, a);
  heading(page, box, labelOf(Label::Elevation), QStringLiteral("the line of sight above the horizon"));
  const Figure& elevation = figureOf(job, Label::Elevation);
  if (!g.aboveHorizon) {
    page.text(g.text, kLeft | Qt::TextWordWrap,
              QStringLiteral("The satellite is below the horizon: its elevation is %1. No dish can see it from "
                             "this site. The sky view shows where it is, and where the arc is.")
                  .arg(degrees(q(elevation.text))),
              points::kPanelAlone, true);
    return;
  }

  const Point o = g.origin;
  const double r = g.radius;
  dashed(p, line(at(o), QPointF(o.x, o.y - r)), kGrid, kFine_);
  p.save();
  p.translate(at(o));
  p.setPen(pen(kInk, kRule));
  p.drawArc(QRectF(-r, -r, 2 * r, 2 * r), 0, 90 * 16);
  p.drawLine(QPointF(0, 0), QPointF(g.sightLength, 0));
  p.rotate(90);  // from the zenith down to the horizon, ticks every 10 degrees
  for (int degrees = 90; degrees >= 0; degrees -= 10) {
    const bool major = degrees % 30 == 0;
    p.setPen(pen(kInk, major ? kRule : kFine_));
    p.drawLine(QPointF(0, -r), QPointF(0, -r + (major ? g.majorTick : g.minorTick)));
    p.rotate(-10);
  }
  p.restore();
  for (int degrees = 0; degrees <= 90; degrees += 30) {
    // A number the line of sight would cross gives way to it.
    if (std::fabs(degrees - a.elevation) > g.numberClearance) {
      page.centred(atBearing(o, g.numberRadius, 90 - degrees), QString::number(degrees), points::kDialNumber);
    }
  }
  page.text(g.horizonLabel, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("horizon"), points::kSmall, false, kMuted);

  // The line of sight, and its angle marked near the dish.
  p.setPen(pen(kDish, kAngleMark));
  p.drawArc(QRectF(o.x - g.angleArc, o.y - g.angleArc, 2 * g.angleArc, 2 * g.angleArc), 0,
            static_cast<int>(std::lround(a.elevation * 16)));
  p.save();
  p.translate(at(o));
  p.rotate(90 - a.elevation);
  p.setPen(pen(kDish, kSightLine));
  p.drawLine(QPointF(0, 0), QPointF(0, -g.sightLength));
  p.translate(0, -g.headAt);
  arrowhead(p, g.headLength, g.headHalfWidth, kDish);
  p.restore();

  page.text(g.value, kLeft, q(elevation.reading), points::kPanelValue, true, kDish);
  QString more = QStringLiteral("above the horizon (%1), the direction of the dish's beam.").arg(degrees(q(elevation.text)));
  if (a.elevation < kLowElevation) {
    more += QStringLiteral(" Less than 5° up: terrain, buildings and the air often get in the way.");
  }
  if (const Figure* tilt = job.chosen->figure(Label::DishFaceTilt)) {
    more += QStringLiteral(" An inclinometer on the rim of this offset dish reads the %1, %2.")
                .arg(labelOf(Label::DishFaceTilt), q(tilt->reading));
  }
  page.text(g.words, kWrapped, more, points::kPanelWords);
}

// The LNB's body seen from behind, with its axis and its cable connector
// at the bottom, at the painter's origin turned as the painter is.
void lnb(QPainter& p, const SkewPicture& s, QRgb colour, bool upright) {
  QPainterPath path = line(QPointF(0, -s.top), QPointF(0, s.radius));
  path.addRect(rect(s.connector));
  if (upright) {
    dashed(p, path, colour, kRule);
  } else {
    p.setPen(pen(colour, kLnbLine));
    p.drawPath(path);
  }
}

void paintSkew(Page& page, const Rect& box, const Angles& a, const Job& job) {
  QPainter& p = page.painter();
  const SkewPicture s = skewGeometry(box, a);
  heading(page, box, labelOf(Label::LnbSkew), QStringLiteral("seen from behind the dish, looking at the satellite"));
  if (!s.visible) {
    page.text(s.text, kLeft | Qt::TextWordWrap,
              QStringLiteral("The satellite cannot be seen from here, so there is no LNB turn to set."),
              points::kPanelAlone, true);
    return;
  }
  p.setPen(pen(kInk, kFrame));
  p.drawEllipse(at(s.centre), s.radius, s.radius);
  p.save();
  p.translate(at(s.centre));
  lnb(p, s, s.turn ? kMuted : kDish, s.turn);
  if (s.turn) {
    p.rotate(a.skew);  // clockwise on the page for a positive skew
    lnb(p, s, kDish, false);
  }
  p.restore();

  const Figure& skew = figureOf(job, Label::LnbSkew);
  if (!s.turn) {
    page.text(s.text, kLeft | Qt::TextWordWrap,
              QStringLiteral("No turn needed: the LNB stays upright (%1 %2).").arg(labelOf(Label::LnbSkew), q(skew.text)),
              points::kPanelAlone, true, kDish);
    return;
  }
  // The turn, as an arc over the top from upright to the turned position.
  const QRectF arc(s.centre.x - s.arcRadius, s.centre.y - s.arcRadius, 2 * s.arcRadius, 2 * s.arcRadius);
  QPainterPath path;
  path.arcMoveTo(arc, 90);
  path.arcTo(arc, 90, -a.skew);
  p.setPen(pen(kDish, kTurnLine));
  p.drawPath(path);
  p.save();
  p.translate(at(atBearing(s.centre, s.arcRadius, a.skew)));
  p.rotate(a.skew + (s.clockwise ? 90 : -90));  // along the turn
  p.translate(0, -s.headBack);
  arrowhead(p, s.headLength, s.headHalfWidth, kDish);
  p.restore();

  // The words say the size of the turn in whole degrees, as the LNB's
  // reading rounds it; its sign is the direction's word. Under half a
  // degree there is no turn to make.
  const long degrees = std::labs(std::lround(skew.value));
  const QString size = QString::number(degrees) + QStringLiteral("\u00b0");
  const QString turn =
      degrees == 0
          ? QStringLiteral("No turn: keep the LNB upright")
          : QStringLiteral("Turn %1 %2").arg(size, s.clockwise ? QStringLiteral("clockwise") : QStringLiteral("counter-clockwise"));
  const double turnPoints = page.fitted(turn, s.turnWords.width, s.turnWords.height, points::kPanelValue, true, kWrapped);
  const double below = page.measure(turn, turnPoints, true, kWrapped, s.turnWords.width).height() + s.turnWords.y - s.text.y;
  page.text(s.turnWords, kWrapped, turn, turnPoints, true, kDish);
  page.text({s.more.x, s.more.y + below, s.more.width, s.more.height - below}, kWrapped,
            QStringLiteral("from upright (dashed) to the solid line: %1 %2, and a positive skew is a "
                           "clockwise turn.")
                .arg(labelOf(Label::LnbSkew), q(skew.text)),
            points::kPanelWords);
}

// The polar mount from the side: the axis at its elevation, the dish's beam
// square to it and dipped by the declination offset, and the motor's turn.
void paintMount(Page& page, const Layout& l, const Job& job) {
  QPainter& p = page.painter();
  const JobSite& site = job.site;
  const MountPicture m = mountGeometry(l.mount, site);
  heading(page, l.mount, QStringLiteral("POLAR MOUNT"), QStringLiteral("from the side"));
  const Point axisEnd = atBearing(m.pivot, m.length, m.axisBearing);
  const Point beamEnd = atBearing(m.pivot, m.length, m.beamBearing);
  const double ground = m.poleOnRight ? 1 : -1;
  dashed(p, line(QPointF(m.pivot.x - ground * m.length, m.pivot.y), QPointF(m.pivot.x + ground * m.length, m.pivot.y)),
         kMuted, kDashed);
  p.setPen(pen(kInk, kArrowShaft));
  p.drawLine(at(m.pivot), at(axisEnd));
  p.setPen(pen(kDish, kSightLine));
  p.drawLine(at(m.pivot), at(beamEnd));
  p.setPen(pen(kDish, kAngleMark));
  // The declination offset: between the square to the axis and the beam.
  const double square = m.beamBearing + ground * static_cast<double>(site.polarMount->DeclinationOffset);
  QPainterPath offset;
  const QRectF arc(m.pivot.x - m.arcRadius, m.pivot.y - m.arcRadius, 2 * m.arcRadius, 2 * m.arcRadius);
  offset.arcMoveTo(arc, 90 - square);
  offset.arcTo(arc, 90 - square, square - m.beamBearing);
  p.drawPath(offset);
  dashed(p, line(at(m.pivot), at(atBearing(m.pivot, m.length, square))), kMuted, kFine_);

  const auto setting = [&](Label label) {
    for (const Figure& f : site.mountFigures) {
      if (f.label == label) return q(f.reading);
    }
    return QString();
  };
  // What the lines are, beside their ends.
  const auto tag = [&](Point end, const QString& text, QRgb colour) {
    const QSizeF size = page.measure(text, points::kMark, false);
    const double x = end.x < m.pivot.x ? end.x - size.width() : end.x;
    page.text({x, end.y - size.height(), size.width(), size.height()}, kLeft, text, points::kMark, false, colour);
  };
  tag(axisEnd, QStringLiteral("polar axis"), kInk);
  tag(beamEnd, QStringLiteral("dish at motor 0"), kDish);
  tag(atBearing(m.pivot, m.arcRadius, square), QStringLiteral("offset"), kDish);

  const Figure* motor = job.chosen->figure(Label::MotorAngle);
  const double axis = static_cast<double>(site.polarMount->PolarAxisElevation);
  page.text(m.text, kWrapped,
            QStringLiteral("Polar axis %1 above the horizon, toward the pole: a mount's elevation scale reads %1 or, "
                           "marked the other way, %2. Dish dipped %3 from square to the axis: the declination offset, "
                           "not the magnetic declination; at motor 0 it looks %4 up along the meridian. Motor: turn %5 "
                           "for this satellite. The compass arrow and the face tilt are this satellite's, not the "
                           "mount's.")
                .arg(setting(Label::PolarAxisElevation), q(tenthsReading(90 - axis)), setting(Label::DeclinationOffset),
                     setting(Label::MeridianElevation), motor ? q(motor->reading) : QString()),
            points::kPanelWords);
}

const char* compassPoint(int azimuth) {
  static constexpr const char* kPoints[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
  return kPoints[((azimuth % 360 + 360) % 360) / 45];
}

// The ground, the grid, the arc above and below the horizon, the frame and
// the elevations beside it. Everything inside the frame comes from the view
// already cut to it: Qt's SVG writer does not clip.
void paintSkyGrid(Page& page, const Rect& sky, const SkyView& v) {
  QPainter& p = page.painter();
  const Rect& plot = v.plot;
  const double horizonY = v.toPage({0, 0}).y;
  p.fillRect(QRectF(plot.x, horizonY, plot.width, plot.bottom() - horizonY), QColor::fromRgb(kGround));
  constexpr double kWideView = 60;  // degrees of elevation past which the grid goes every 20
  const double elevationStep = (v.elevationTo - v.elevationFrom) > kWideView ? 20 : 10;
  p.setPen(pen(kGrid, kGridLine));
  for (double e = elevationStep; e < v.elevationTo; e += elevationStep) {
    p.drawLine(QPointF(plot.x, v.toPage({0, e}).y), QPointF(plot.right(), v.toPage({0, e}).y));
  }
  for (double az = 30 * std::ceil(v.azimuthFrom / 30); az <= v.azimuthTo; az += 30) {
    p.drawLine(QPointF(v.toPage({az, 0}).x, plot.y), QPointF(v.toPage({az, 0}).x, horizonY));
  }
  const auto polyline = [&v](const std::vector<SkyPoint>& points) {
    QPainterPath path(at(v.toPage(points.front())));
    for (const SkyPoint& s : points) path.lineTo(at(v.toPage(s)));
    return path;
  };
  if (!v.skyline.empty()) {
    QPainterPath outline = polyline(v.skyline);
    outline.closeSubpath();
    p.setPen(pen(kObstruction | 0xff000000, kGridLine));
    p.setBrush(QColor::fromRgba(kObstruction));
    p.drawPath(outline);
    p.setBrush(Qt::NoBrush);
  }
  for (const auto& points : v.below) dashed(p, polyline(points), kMuted, kDashed);
  p.setPen(pen(kInk, kArcLine));
  p.setBrush(Qt::NoBrush);
  for (const auto& points : v.above) p.drawPath(polyline(points));

  p.setPen(pen(kInk, kFrame));
  p.drawRect(rect(plot));
  p.drawLine(QPointF(plot.x, horizonY), QPointF(plot.right(), horizonY));
  for (double e = elevationStep * std::ceil(v.elevationFrom / elevationStep); e <= v.elevationTo; e += elevationStep) {
    page.text(v.elevationLabel(e, sky.x), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1°").arg(e),
              points::kSkyScale, false, e < 0 ? kMuted : kInk);
  }
}

// The horizon's compass directions: degrees every 30, points every 45.
void paintSkyDirections(Page& page, const SkyView& v) {
  QPainter& p = page.painter();
  const Rect& plot = v.plot;
  const double horizonY = v.toPage({0, 0}).y;
  for (double az = 10 * std::ceil(v.azimuthFrom / 10); az <= v.azimuthTo; az += 10) {
    const double x = v.toPage({az, 0}).x;
    p.setPen(pen(kInk, kMarkLine));
    p.drawLine(QPointF(x, horizonY), QPointF(x, horizonY + kDirectionTick));
    const int degrees = (static_cast<int>(az) % 360 + 360) % 360;
    const bool inside = x > plot.x + kDirectionBand / 2 && x < plot.right() - kDirectionBand / 2;
    if (degrees % 30 == 0 && inside) {
      page.centred({x, v.degreeLine()}, QStringLiteral("%1°").arg(degrees), points::kSkyDegrees, false, kMuted);
    }
    if (degrees % 45 == 0 && inside) {
      // On the ground's colour, so the arc below the horizon passes behind.
      const QString point = QString::fromLatin1(compassPoint(degrees));
      const QSizeF s = page.measure(point, points::kSkyPoint, true);
      p.fillRect(QRectF(x - s.width() / 2, v.pointLine() - s.height() / 2, s.width(), s.height()),
                 QColor::fromRgb(kGround));
      page.centred({x, v.pointLine()}, point, points::kSkyPoint, true);
    }
  }
}

// A cross over a satellite that stands behind an obstacle.
void blockedCross(QPainter& p, Point c, double reach) {
  p.setPen(pen(kBlocked, kMarkLine * 2));
  p.drawLine(QPointF(c.x - reach, c.y - reach), QPointF(c.x + reach, c.y + reach));
  p.drawLine(QPointF(c.x - reach, c.y + reach), QPointF(c.x + reach, c.y - reach));
}

// The list's satellites and the chosen one, with the labels that fit.
void paintSkyMarks(Page& page, const SkyView& v, const QString& chosenName) {
  QPainter& p = page.painter();
  std::vector<double> widths;
  for (const SkyMark& m : v.marks) widths.push_back(page.measure(q(m.name), points::kMark, false).width());
  const QSizeF chosenSize = page.measure(chosenName, points::kChosen, true);
  const auto more = [](std::size_t n) { return QStringLiteral("+%1 more").arg(n); };
  const SkyLabels labels = placeSkyLabels(
      v, chosenSize.width(), chosenSize.height(), widths, page.measure(QStringLiteral("Xg"), points::kMark, false).height(),
      [&](std::size_t n) { return page.measure(more(n), points::kMark, true).width(); });
  for (std::size_t i = 0; i < v.marks.size(); ++i) {
    p.setPen(pen(kMuted, kMarkLine));
    p.setBrush(QBrush(QColor::fromRgb(kMuted)));
    p.drawEllipse(at(v.toPage(v.marks[i].at)), kMarkRadius, kMarkRadius);
    p.setBrush(Qt::NoBrush);
    if (v.marks[i].blocked) blockedCross(p, v.toPage(v.marks[i].at), kMarkRadius * 1.6);
    if (labels.marks[i]) page.upward(*labels.marks[i], q(v.marks[i].name), points::kMark, kMuted);
  }
  for (const MoreLabel& m : labels.more) page.upward(m.box, more(m.count), points::kMark, kInk);
  const Point c = v.toPage(v.chosen);
  const Rect drop = v.dropLine();
  dashed(p, line(QPointF(c.x, drop.y), QPointF(c.x, drop.bottom())), kDish, kDashed);
  p.setPen(pen(0xffffffff, kChosenRing));
  p.setBrush(QColor::fromRgb(kDish));
  p.drawEllipse(at(c), kChosenRadius, kChosenRadius);
  p.setBrush(Qt::NoBrush);
  if (v.chosenBlocked) blockedCross(p, c, kChosenRadius * 1.6);
  page.text(labels.chosen, Qt::AlignCenter, chosenName, points::kChosen, true, kDish);
}

void paintSky(Page& page, const Layout& l, const Job& job) {
  const SkyView v = skyView(l.skyPlot, job);
  const QString facing = v.facingSouth ? QStringLiteral("south") : QStringLiteral("north");
  heading(page, l.sky, QStringLiteral("THE SKY TOWARD THE ARC"),
          v.skyline.empty()
              ? QStringLiteral("facing %1: azimuth across, elevation up. Whatever stands in front of the marked "
                               "satellite blocks it.")
                    .arg(facing)
              : QStringLiteral("facing %1: azimuth across, elevation up. Shaded: the obstacles and the horizon as "
                               "given; a crossed satellite stands behind them.")
                    .arg(facing));
  paintSkyGrid(page, l.sky, v);
  paintSkyDirections(page, v);
  paintSkyMarks(page, v, q(satelliteText(*job.chosen)));
  if (!v.arcRises) {
    page.text(headingOf(v.plot).title, Qt::AlignCenter,
              QStringLiteral("From this site the whole arc stays below the horizon."), points::kNote, true);
  }
}

// When the sun stands behind the satellite: each season's days and the
// daily window, in local time where a zone was given.
void paintOutage(Page& page, const Layout& l, const Job& job) {
  const JobSunOutage& sun = *job.sunOutage;
  heading(page, l.outage, labelOf(Label::SunOutage),
          QStringLiteral("twice a year the sun passes behind the satellite and drowns its signal for some minutes a "
                         "day: the picture may break up then"));
  double y = l.outage.y + kHeading;
  const auto line = [&](const QString& text) {
    page.text({l.outage.x, y, l.outage.width, l.noteLine}, kLeft, text, points::kNote);
    y += l.noteLine;
  };
  if (job.chosen->elevation() < 0) {
    line(QStringLiteral("None: the satellite is below the horizon here."));
    return;
  }
  if (sun.seasons.empty()) line(QStringLiteral("None in the twelve months from %1.").arg(q(calendarDateText(job.site.date))));
  for (const JobSunOutage::Season& s : sun.seasons) {
    if (s.localParts.size() > 1) {
      // The clocks change within the season: each part on a line of its own.
      line(QStringLiteral("%1 to %2, daily within %3; longest %4. In local time:")
               .arg(q(s.first), q(s.last), q(s.window), q(s.longest)));
      for (const std::string& part : s.localParts) line(QStringLiteral("    %1").arg(q(part)));
      continue;
    }
    const QString window = sun.zone.empty() ? q(s.window) : QStringLiteral("%1 (%2)").arg(q(s.localWindow), q(s.window));
    line(QStringLiteral("%1 to %2, daily within %3; longest %4.").arg(q(s.first), q(s.last), window, q(s.longest)));
  }
  line(QStringLiteral("Outage angle %1.").arg(q(sun.angleText)));
}

// "Turn 10° clockwise", "No turn" under half a degree, from the skew's
// whole-degree reading.
QString turnWords(const Figure& skew, const QString& between = QStringLiteral(" ")) {
  const long turn = std::lround(skew.value);
  if (turn == 0) return QStringLiteral("no turn");
  return QStringLiteral("turn %1\u00b0%2%3")
      .arg(std::labs(turn))
      .arg(between, turn > 0 ? QStringLiteral("clockwise") : QStringLiteral("counter-clockwise"));
}

// The multifeed bracket seen from behind the dish, each LNB to scale with
// its satellite, its offset and its turn, and the same in words beside it.
void paintMultifeed(Page& page, const Layout& l, const Job& job) {
  QPainter& p = page.painter();
  const BracketPicture b = bracketGeometry(l.bracket, job);
  heading(page, l.multifeed, QStringLiteral("MULTIFEED"),
          QStringLiteral("the LNBs seen from behind the dish, looking at the main satellite; drawn at 1:%1")
              .arg(b.scaleDivisor));
  p.setPen(pen(kMuted, kRule * 4));
  for (const Point& extra : b.extras) p.drawLine(at(b.main), at(extra));
  const auto collar = [&](Point c, QRgb colour, double skew) {
    p.setPen(pen(colour, kFrame));
    p.setBrush(QColor::fromRgb(0xffffff));
    p.drawEllipse(at(c), b.radius, b.radius);
    p.setBrush(Qt::NoBrush);
    // The cable connector, at the bottom when upright, turned by the skew.
    p.drawLine(at(c), at(atBearing(c, b.radius, 180 + skew)));
  };
  const Figure& mainSkew = figureOf(job, Label::LnbSkew);
  collar(b.main, kDish, mainSkew.value);
  if (b.numbered) page.centred(b.main, QStringLiteral("1"), points::kMark, true, kDish);
  if (!b.numbered) {
    page.text(b.labels[0], Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("main\n%1").arg(turnWords(mainSkew, QStringLiteral("\n"))),
              points::kMark, false, kDish);
  }
  for (std::size_t i = 0; i < job.multifeeds.size(); ++i) {
    const MultifeedLnb& lnb = job.multifeeds[i];
    const Figure& skew = *lnb.satellite.figure(Label::LnbSkew);
    collar(b.extras[i], kInk, skew.value);
    if (b.numbered) {
      page.centred(b.extras[i], QString::number(i + 2), points::kMark, true);
      continue;
    }
    // Toward its LNB where it stands beside it, centred above or below.
    const Rect& box = b.labels[i + 1];
    const int side = box.right() <= b.extras[i].x - b.radius + 1e-9 ? Qt::AlignRight
                     : box.x >= b.extras[i].x + b.radius - 1e-9     ? Qt::AlignLeft
                                                                     : Qt::AlignHCenter;
    page.text(box, side | Qt::AlignVCenter,
              QStringLiteral("%1\n%2 mm\n%3")
                  .arg(q(lnb.satellite.position))
                  .arg(std::lround(lnb.offset.offsetMm))
                  .arg(turnWords(skew, QStringLiteral("\n"))),
              points::kMark);
  }

  double y = l.bracketText.y;
  const auto line = [&](const QString& text, bool bold = false) {
    page.text({l.bracketText.x, y, l.bracketText.width, l.noteLine}, kLeft, text, points::kNote, bold);
    y += l.noteLine;
  };
  line(QStringLiteral("%1 %2").arg(labelOf(Label::FocalLength), q(job.dishText)));
  const auto number = [&](int n) { return b.numbered ? QStringLiteral("%1  ").arg(n) : QString(); };
  line(QStringLiteral("%1Main LNB at the focus: %2, %3.").arg(number(1), q(satelliteText(*job.chosen)), turnWords(mainSkew)));
  int n = 2;
  for (const MultifeedLnb& lnb : job.multifeeds) {
    line(number(n++) + q(satelliteText(lnb.satellite)), true);
    const auto text = [&lnb](Label label) { return q(figureIn(lnb.figures, label)->text); };
    line(QStringLiteral("%1 %2, %3 %4").arg(labelOf(Label::Separation), text(Label::Separation),
                                            labelOf(Label::LnbOffset), text(Label::LnbOffset)));
    line(QStringLiteral("%1; %2 %3; %4 %5")
             .arg(turnWords(*lnb.satellite.figure(Label::LnbSkew)), labelOf(Label::LnbSkew),
                  text(Label::LnbSkew), labelOf(Label::ComaLoss), text(Label::ComaLoss)));
  }
}

void paintFooter(Page& page, const Layout& l) {
  QPainter& p = page.painter();
  // A bar of known length: a printed page whose bar measures 50 mm was
  // printed at true size.
  p.setPen(pen(kInk, kRule));
  p.drawLine(QPointF(l.barLeft, l.barY), QPointF(l.barRight, l.barY));
  for (double x : {l.barLeft, (l.barLeft + l.barRight) / 2, l.barRight}) {
    p.drawLine(QPointF(x, l.barY - l.barTick), QPointF(x, l.barY + l.barTick));
  }
  page.text(l.barCaption, Qt::AlignCenter, QStringLiteral("50 mm when printed at true size"), points::kBar, false,
            kMuted);
  page.text(l.footerText, kLeft | Qt::TextWordWrap,
            QStringLiteral("%1. Angles in degrees. Azimuths clockwise from north; the magnetic azimuth is the true "
                           "one less the declination (East positive), as the compass reads it.")
                .arg(QString::fromLatin1(kProgramName) + QLatin1Char(' ') + QString::fromLatin1(kShownVersion)),
            points::kFooter, false, kMuted);
}

}  // namespace

QImage sheetImage(const Job& job, Paper paper, double dotsPerInch) {
  const PageSize page = pageSize(paper);
  const double dotsPerMm = dotsPerInch / kMillimetresPerInch;
  QImage image(static_cast<int>(std::lround(page.width * dotsPerMm)), static_cast<int>(std::lround(page.height * dotsPerMm)),
               QImage::Format_RGB32);
  const int dotsPerMetre = static_cast<int>(std::lround(dotsPerMm * 1000));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(Qt::white);
  QPainter painter;
  if (!painter.begin(&image)) return {};
  painter.scale(dotsPerMm, dotsPerMm);
  paintSheet(painter, job, paper);
  return painter.end() ? image : QImage();
}

void paintSheet(QPainter& painter, const Job& job, Paper paper) {
  const Angles angles = anglesOf(job);
  const std::vector<Figure> figures = chosenFigures(job, true);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  Page page(painter);
  // The job block's rows depend on how the user's texts wrap in its columns,
  // which do not depend on the rows.
  PageContent content = contentOf(job);
  const std::vector<JobLine> lines = jobLines(page, layoutPage(paper, content), job);
  content.jobLines = static_cast<std::size_t>(rowsOf(lines));
  const Layout layout = layoutPage(paper, content);
  paintTitle(page, layout, job);
  paintJob(page, layout, lines);
  paintFigures(page, layout, figures);
  paintNotes(page, layout, job);
  paintDial(page, layout.dial, angles, job);
  paintElevation(page, layout.elevation, angles, job);
  paintSkew(page, layout.skew, angles, job);
  if (job.site.polarMount) paintMount(page, layout, job);
  paintSky(page, layout, job);
  if (!job.multifeeds.empty()) paintMultifeed(page, layout, job);
  if (job.sunOutage) paintOutage(page, layout, job);
  paintFooter(page, layout);
}

}  // namespace vantorel::sheet
