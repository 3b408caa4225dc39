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
// unreadable.
constexpr double kSmallestPoints = 4.5;
// A figure that would have to shrink below this size to fit its box on
// one line is wrapped instead.
constexpr double kWrapBelow = 11;

constexpr QRgb kInk = 0xff1a1a1a;
constexpr QRgb kMuted = 0xff5c5c5c;
constexpr QRgb kGrid = 0xffd2d2d2;
constexpr QRgb kPanel = 0xfff0f0f0;
constexpr QRgb kGround = 0xffeee6d6;
constexpr QRgb kDish = kDishColour;
constexpr QRgb kMagnetic = 0xffc62828;
constexpr QRgb kWarning = 0xff8d4a00;

QPointF at(Point p) { return {p.x, p.y}; }
QString q(const std::string& s) { return QString::fromStdString(s); }

QPen pen(QRgb colour, double width, Qt::PenStyle style = Qt::SolidLine) {
  QPen p{QColor::fromRgb(colour), width, style, Qt::FlatCap, Qt::MiterJoin};
  return p;
}

// The painter with the page's texts: sizes in points, boxes in mm.
class Page {
 public:
  explicit Page(QPainter& painter) : m_p(painter), m_dpi(painter.device()->logicalDpiY()) {}

  QPainter& painter() { return m_p; }

  QFont font(double points, bool bold) const {
    QFont f(QString::fromLatin1(kFace));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points * 25.4 / m_dpi * kFine);
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
    m_p.drawText(QRectF(box.x * kFine, box.y * kFine, box.width * kFine, box.height * kFine),
                 flags, text);
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
    m_p.drawText(QRectF(0, 0, box.height * kFine, box.width * kFine), Qt::AlignLeft | Qt::AlignVCenter,
                 text);
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
      points = std::max(kSmallestPoints, points * 0.93);
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

void heading(Page& page, const Rect& box, const QString& title, const QString& subtitle) {
  const double titleWidth = page.measure(title, 8.5, true).width();
  page.text({box.x, box.y, titleWidth + 1, 4.5}, Qt::AlignLeft | Qt::AlignVCenter, title, 8.5, true);
  page.text({box.x + titleWidth + 2.5, box.y, box.width - titleWidth - 2.5, 4.5}, Qt::AlignLeft | Qt::AlignVCenter,
            subtitle, 6.5, false, kMuted);
}

QString figureText(const Job& job, Label label) { return q(job.chosen->figure(label)->text); }
QString labelOf(Label label) { return QString::fromLatin1(labelText(label).data(), static_cast<qsizetype>(labelText(label).size())); }

// A filled arrowhead whose tip is at the origin, pointing up the page.
void arrowhead(QPainter& p, double length, double halfWidth, QRgb colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgb(colour));
  p.drawPolygon(QPolygonF({{0, 0}, {halfWidth, length}, {-halfWidth, length}}));
  p.setBrush(Qt::NoBrush);
}

void paintTitle(Page& page, const Layout& l, const Job& job) {
  const QString title = QStringLiteral("Satellite dish installation sheet");
  const double width = page.measure(title, 15, true).width();
  page.text({l.title.x, l.title.y, width + 1, l.title.height}, Qt::AlignLeft | Qt::AlignVCenter, title, 15, true);
  page.text({l.title.x + width + 6, l.title.y, l.title.width - width - 6, l.title.height},
            Qt::AlignRight | Qt::AlignVCenter, q(satelliteText(*job.chosen)), 12, true, kDish);
  page.painter().setPen(pen(kInk, 0.35));
  page.painter().drawLine(QPointF(l.title.x, l.title.bottom() + 0.8), QPointF(l.title.right(), l.title.bottom() + 0.8));
}

void paintJob(Page& page, const Layout& l, const Job& job) {
  struct Line {
    Label label;
    QString value;
    bool bold = false;
    QString sign;  // small print after the value: the declination's sign rule
    QString more;
    QRgb moreColour = kInk;
    QString note;
  };
  const JobSite& site = job.site;
  const Line lines[] = {
      {Label::Latitude, q(site.latitudeDms), false, {}, q(site.latitudeDecimal), kInk,
       QStringLiteral("decimal degrees, North and East positive")},
      {Label::Longitude, q(site.longitudeDms), false, {}, q(site.longitudeDecimal), kInk, {}},
      {Label::Satellite, q(satelliteText(*job.chosen)), true, {}, {}, kInk, {}},
      {Label::Date, q(calendarDateText(site.date)), false, {}, {}, kInk, {}},
      {Label::Declination, q(site.declinationText), false, QStringLiteral("East positive"),
       q(declinationSourceText(site)), kMuted, {}},
  };
  const Layout::JobColumns& c = l.jobColumns;
  const int left = Qt::AlignLeft | Qt::AlignVCenter;
  double y = l.job.y;
  for (const Line& line : lines) {
    const auto cell = [&](const Rect& column) { return Rect{column.x, y, column.width, l.jobLine}; };
    page.text(cell(c.label), left, labelOf(line.label), 7, true, kMuted);
    const Rect value = cell(line.more.isEmpty() && line.note.isEmpty() ? c.wideValue : c.value);
    page.text(value, left, line.value, 9.5, line.bold);
    if (!line.sign.isEmpty()) {
      const double width = page.measure(line.value, 9.5, false).width() + 2;
      page.text({value.x + width, y, value.width - width, l.jobLine}, left, line.sign, 6.5, false, kMuted);
    }
    if (!line.more.isEmpty()) page.text(cell(line.note.isEmpty() ? c.wideMore : c.more), left, line.more, 9.5, false, line.moreColour);
    if (!line.note.isEmpty()) page.text(cell(c.note), left, line.note, 6.5, false, kMuted);
    y += l.jobLine;
  }
}

// Every warning and note the run gave, as the terminal gave them.
void paintNotes(Page& page, const Layout& l, const std::vector<Notice>& notices) {
  double y = l.notes.y;
  for (const Notice& notice : notices) {
    QString text = q(notice.text);
    text[0] = text[0].toUpper();
    page.text({l.notes.x, y, l.notes.width, kNoteLine}, Qt::AlignLeft | Qt::AlignVCenter,
              QStringLiteral("\u25B2 ") + text, 7.5, false, kWarning);
    y += kNoteLine;
  }
}

void paintFigures(Page& page, const Layout& l, const std::vector<Figure>& figures) {
  QPainter& p = page.painter();
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const Rect& c = l.figureCells[i];
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(kPanel));
    p.drawRoundedRect(QRectF(c.x, c.y, c.width, c.height), 1.5, 1.5);
    p.setBrush(Qt::NoBrush);
    page.text({c.x + 2, c.y + 1.2, c.width - 4, 3.6}, Qt::AlignLeft | Qt::AlignVCenter, labelOf(figures[i].label), 6.5,
              true, kMuted);
    // A long value (a setting with its words) goes on two lines rather than
    // shrink out of sight.
    const Rect value{c.x + 2, c.y + 4.8, c.width - 4, c.height - 5.4};
    const QString text = q(figures[i].text);
    const bool oneLine = page.fitted(text, value.width, value.height, 17, true, 0) >= kWrapBelow;
    page.text(value, Qt::AlignLeft | Qt::AlignVCenter | (oneLine ? 0 : Qt::TextWordWrap), text, oneLine ? 17 : 9,
              true);
  }
}

// A label beside the end of a line at `bearing`, set off to the side the
// line leans to; `side` forces left (-1) or right (+1) for lines near north.
void bearingLabel(Page& page, Point anchor, double bearing, int side, const QString& text, QRgb colour) {
  const QSizeF s = page.measure(text, 6.5, true);
  const double lean = std::sin(bearing * kRadiansPerDegree);
  const int align = side != 0 ? side : lean > 0.3 ? 1 : lean < -0.3 ? -1 : 0;
  const double x = align > 0 ? anchor.x + 0.8 : align < 0 ? anchor.x - 0.8 - s.width() : anchor.x - s.width() / 2;
  const double y = std::cos(bearing * kRadiansPerDegree) >= 0 ? anchor.y - s.height() : anchor.y;
  page.text({x, y, s.width(), s.height()}, Qt::AlignCenter, text, 6.5, true, colour);
}

void paintDial(Page& page, const Rect& box, const Angles& a, const Job& job) {
  QPainter& p = page.painter();
  const Dial d = dialGeometry(box, a);
  heading(page, box, QStringLiteral("COMPASS"), QStringLiteral("held flat, its needle on magnetic north"));

  p.save();
  p.translate(at(d.centre));
  p.setPen(pen(kInk, 0.35));
  p.drawEllipse(QPointF(0, 0), d.radius, d.radius);
  for (int degrees = 0; degrees < 360; degrees += 10) {
    const bool major = degrees % 30 == 0;
    p.setPen(pen(kInk, major ? 0.35 : 0.2));
    p.drawLine(QPointF(0, -d.radius), QPointF(0, -d.radius + (major ? 3.5 : 2)));
    p.rotate(10);
  }
  p.restore();

  for (int degrees = 30; degrees < 360; degrees += 30) {
    if (degrees % 90 != 0) page.centred(atBearing(d.centre, d.radius + 3.2, degrees), QString::number(degrees), 6.5);
  }

  // The north lines reach past the ring to their labels; with no
  // declination they are one line.
  const double reach = d.radius + 9.5;
  dashed(p, line(at(d.centre), at(atBearing(d.centre, reach, d.trueNorthBearing))), kInk, 0.3);
  p.setPen(pen(kMagnetic, 0.5));
  p.drawLine(at(d.centre), at(atBearing(d.centre, reach, 0)));
  const bool apart = a.declination != 0;
  const int trueSide = d.trueNorthBearing > 0 ? 1 : -1;
  const bool nearNorth = std::fabs(d.trueNorthBearing) < 30;
  bearingLabel(page, atBearing(d.centre, reach + 0.5, 0), 0, apart ? -trueSide : 0,
               apart ? QStringLiteral("MAGNETIC NORTH") : QStringLiteral("TRUE AND MAGNETIC NORTH"), kMagnetic);
  if (apart) {
    bearingLabel(page, atBearing(d.centre, reach + 0.5, d.trueNorthBearing), d.trueNorthBearing,
                 nearNorth ? trueSide : 0, QStringLiteral("TRUE NORTH"), kInk);
  }
  // The cardinal letters stand outside the ring, where the dish's arrow
  // never reaches, on white so the north lines pass behind them.
  const char* cardinals[] = {"N", "E", "S", "W"};
  for (int i = 0; i < 4; ++i) {
    const Point c = atBearing(d.centre, d.radius + 4.2, 90 * i);
    p.fillRect(QRectF(c.x - 2.2, c.y - 2.2, 4.4, 4.4), Qt::white);
    page.centred(c, QString::fromLatin1(cardinals[i]), 10, true);
  }

  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgb(kInk));
  p.drawEllipse(at(d.centre), 0.9, 0.9);
  p.setBrush(Qt::NoBrush);
  const Rect& c = d.caption;
  if (!d.aimed) {
    page.text(c, Qt::AlignCenter | Qt::TextWordWrap,
              QStringLiteral("The satellite is below the horizon here: the dish has no direction to point."), 8, true);
    return;
  }
  // The dish's arrow, drawn pointing up and turned to its bearing.
  p.save();
  p.translate(at(d.centre));
  p.rotate(d.arrowBearing);
  p.setPen(pen(kDish, 0.9));
  p.drawLine(QPointF(0, 0), QPointF(0, -(d.arrowLength - d.headLength * 0.9)));
  p.translate(0, -d.arrowLength);
  arrowhead(p, d.headLength, d.headHalfWidth, kDish);
  p.restore();
  page.text({c.x, c.y, c.width, c.height / 2}, Qt::AlignCenter,
            QStringLiteral("Dish: %1° on the compass (magnetic)").arg(figureText(job, Label::AzimuthMagnetic)), 8, true,
            kDish);
  page.text({c.x, c.y + c.height / 2, c.width, c.height / 2}, Qt::AlignCenter,
            QStringLiteral("%1° from true north").arg(figureText(job, Label::AzimuthTrue)), 8, false, kDish);
}

void paintElevation(Page& page, const Rect& box, const Angles& a, const Job& job) {
  QPainter& p = page.painter();
  const Protractor g = protractorGeometry(box, a);
  heading(page, box, labelOf(Label::Elevation), QStringLiteral("the line of sight above the horizon"));
  const QString value = figureText(job, Label::Elevation);
  if (!g.aboveHorizon) {
    page.text(g.text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
              QStringLiteral("The satellite is below the horizon: its elevation is %1°. No dish can see it from "
                             "this site. The sky view shows where it is, and where the arc is.")
                  .arg(value),
              10, true);
    return;
  }

  const Point o = g.origin;
  const double r = g.radius;
  dashed(p, line(at(o), QPointF(o.x, o.y - r)), kGrid, 0.25);
  p.save();
  p.translate(at(o));
  p.setPen(pen(kInk, 0.35));
  p.drawArc(QRectF(-r, -r, 2 * r, 2 * r), 0, 90 * 16);
  p.drawLine(QPointF(0, 0), QPointF(r + 0.5, 0));
  p.rotate(90);  // from the zenith down to the horizon, ticks every 10 degrees
  for (int degrees = 90; degrees >= 0; degrees -= 10) {
    p.setPen(pen(kInk, degrees % 30 == 0 ? 0.35 : 0.2));
    p.drawLine(QPointF(0, -r), QPointF(0, -r + (degrees % 30 == 0 ? 3 : 1.8)));
    p.rotate(-10);
  }
  p.restore();
  for (int degrees = 0; degrees <= 90; degrees += 30) {
    // A number the line of sight would cross gives way to it.
    if (std::fabs(degrees - a.elevation) > 6) {
      page.centred(atBearing(o, r + 3, 90 - degrees), QString::number(degrees), 6.5);
    }
  }
  page.text({o.x, o.y + 0.8, r, 3.5}, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("horizon"), 6.5, false, kMuted);

  // The line of sight, and its angle marked near the dish.
  p.setPen(pen(kDish, 0.35));
  p.drawArc(QRectF(o.x - r * 0.3, o.y - r * 0.3, r * 0.6, r * 0.6), 0, static_cast<int>(std::lround(a.elevation * 16)));
  p.save();
  p.translate(at(o));
  p.rotate(90 - a.elevation);
  p.setPen(pen(kDish, 0.8));
  p.drawLine(QPointF(0, 0), QPointF(0, -(r + 2)));
  p.translate(0, -(r + 5));
  arrowhead(p, 3.2, 1.3, kDish);
  p.restore();

  QString words = QStringLiteral("%1°").arg(value);
  const Rect& t = g.text;
  page.text({t.x, t.y + 2, t.width, 8}, Qt::AlignLeft | Qt::AlignVCenter, words, 15, true, kDish);
  QString more = QStringLiteral("above the horizon, the direction of the dish's beam.");
  if (a.elevation < 5) {
    more += QStringLiteral(" Less than 5° up: terrain, buildings and the air often get in the way.");
  }
  if (const Figure* tilt = job.chosen->figure(Label::DishFaceTilt)) {
    more += QStringLiteral(" An inclinometer on the rim of this offset dish reads the %1, %2°.")
                .arg(labelOf(Label::DishFaceTilt), q(tilt->text));
  }
  page.text({t.x, t.y + 11, t.width, t.height - 11}, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, more, 7.5);
}

// The LNB's body seen from behind, with its axis and its cable connector
// at the bottom, at the painter's origin turned as the painter is.
void lnb(QPainter& p, double r, QRgb colour, bool upright) {
  QPainterPath path = line(QPointF(0, -1.3 * r), QPointF(0, r));
  path.addRect(QRectF(-0.22 * r, r, 0.44 * r, 0.5 * r));
  if (upright) {
    dashed(p, path, colour, 0.35);
  } else {
    p.setPen(pen(colour, 0.7));
    p.drawPath(path);
  }
}

void paintSkew(Page& page, const Rect& box, const Angles& a, const Job& job) {
  QPainter& p = page.painter();
  const SkewPicture s = skewGeometry(box, a);
  heading(page, box, labelOf(Label::LnbSkew), QStringLiteral("seen from behind the dish, looking at the satellite"));
  const double r = s.radius;
  if (!s.visible) {
    page.text({box.x, box.y + kHeading, box.width, box.height - kHeading}, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
              QStringLiteral("The satellite cannot be seen from here, so there is no LNB turn to set."), 10, true);
    return;
  }
  p.setPen(pen(kInk, 0.4));
  p.drawEllipse(at(s.centre), r, r);

  p.save();
  p.translate(at(s.centre));
  lnb(p, r, s.turn ? kMuted : kDish, s.turn);
  if (s.turn) {
    p.rotate(a.skew);  // clockwise on the page for a positive skew
    lnb(p, r, kDish, false);
  }
  p.restore();

  const QString value = figureText(job, Label::LnbSkew);
  const Rect& t = s.text;
  if (!s.turn) {
    page.text(t, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
              QStringLiteral("No turn needed: the LNB stays upright (%1 %2).").arg(labelOf(Label::LnbSkew), value), 10,
              true, kDish);
    return;
  }
  // The turn, as an arc over the top from upright to the turned position.
  const double arc = 1.45 * r;
  QPainterPath path;
  path.arcMoveTo(QRectF(s.centre.x - arc, s.centre.y - arc, 2 * arc, 2 * arc), 90);
  path.arcTo(QRectF(s.centre.x - arc, s.centre.y - arc, 2 * arc, 2 * arc), 90, -a.skew);
  p.setPen(pen(kDish, 0.45));
  p.drawPath(path);
  p.save();
  p.translate(at(atBearing(s.centre, arc, a.skew)));
  p.rotate(a.skew + (s.clockwise ? 90 : -90));  // along the turn
  p.translate(0, -1.2);
  arrowhead(p, 2.6, 1.1, kDish);
  p.restore();

  // The words say the size of the turn; its sign is the direction's word.
  const QString size = value.startsWith(QLatin1Char('-')) ? value.mid(1) : value;
  const QString turn = QStringLiteral("Turn %1° %2").arg(
      size, s.clockwise ? QStringLiteral("clockwise") : QStringLiteral("counter-clockwise"));
  const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  const double turnPoints = page.fitted(turn, t.width, 12, 12, true, wrap);
  const double below = page.measure(turn, turnPoints, true, wrap, t.width).height() + 4;
  page.text({t.x, t.y + 2, t.width, 12}, wrap, turn, turnPoints, true, kDish);
  page.text({t.x, t.y + below, t.width, t.height - below}, wrap,
            QStringLiteral("from upright (dashed) to the solid line: %1 %2, and a positive skew is a "
                           "clockwise turn.")
                .arg(labelOf(Label::LnbSkew), value),
            7.5);
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
  const double elevationStep = (v.elevationTo - v.elevationFrom) > 60 ? 20 : 10;
  p.setPen(pen(kGrid, 0.2));
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
  for (const auto& points : v.below) dashed(p, polyline(points), kMuted, 0.3);
  p.setPen(pen(kInk, 0.6));
  p.setBrush(Qt::NoBrush);
  for (const auto& points : v.above) p.drawPath(polyline(points));

  p.setPen(pen(kInk, 0.4));
  p.drawRect(QRectF(plot.x, plot.y, plot.width, plot.height));
  p.drawLine(QPointF(plot.x, horizonY), QPointF(plot.right(), horizonY));
  for (double e = elevationStep * std::ceil(v.elevationFrom / elevationStep); e <= v.elevationTo; e += elevationStep) {
    const double y = v.toPage({0, e}).y;
    page.text({sky.x, y - 1.5, plot.x - sky.x - 1, 3}, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1°").arg(e),
              6, false, e < 0 ? kMuted : kInk);
  }
}

// The horizon's compass directions: degrees every 30, points every 45.
void paintSkyDirections(Page& page, const SkyView& v) {
  QPainter& p = page.painter();
  const Rect& plot = v.plot;
  const double horizonY = v.toPage({0, 0}).y;
  const Rect band = v.directionBand();
  for (double az = 10 * std::ceil(v.azimuthFrom / 10); az <= v.azimuthTo; az += 10) {
    const double x = v.toPage({az, 0}).x;
    p.setPen(pen(kInk, 0.25));
    p.drawLine(QPointF(x, horizonY), QPointF(x, horizonY + 1.3));
    const int degrees = (static_cast<int>(az) % 360 + 360) % 360;
    const bool inside = x > plot.x + 3 && x < plot.right() - 3;
    if (degrees % 30 == 0 && inside) {
      page.centred({x, band.y + 2.8}, QStringLiteral("%1°").arg(degrees), 5.5, false, kMuted);
    }
    if (degrees % 45 == 0 && inside) {
      // On the ground's colour, so the arc below the horizon passes behind.
      const QString point = QString::fromLatin1(compassPoint(degrees));
      const QSizeF s = page.measure(point, 7, true);
      p.fillRect(QRectF(x - s.width() / 2, band.y + 6.2 - s.height() / 2, s.width(), s.height()),
                 QColor::fromRgb(kGround));
      page.centred({x, band.y + 6.2}, point, 7, true);
    }
  }
}

// The list's satellites and the chosen one, with the labels that fit.
void paintSkyMarks(Page& page, const SkyView& v, const QString& chosenName) {
  QPainter& p = page.painter();
  const double markPoints = 5.5, chosenPoints = 7.5;
  std::vector<double> widths;
  for (const SkyMark& m : v.marks) widths.push_back(page.measure(q(m.name), markPoints, false).width());
  const QSizeF chosenSize = page.measure(chosenName, chosenPoints, true);
  const SkyLabels labels = placeSkyLabels(v, chosenSize.width(), chosenSize.height(), widths,
                                          page.measure(QStringLiteral("Xg"), markPoints, false).height());
  for (std::size_t i = 0; i < v.marks.size(); ++i) {
    const Point m = v.toPage(v.marks[i].at);
    p.setPen(pen(kMuted, 0.25));
    p.setBrush(v.marks[i].at.elevation >= 0 ? QBrush(QColor::fromRgb(kMuted)) : QBrush(Qt::white));
    p.drawEllipse(at(m), 0.75, 0.75);
    p.setBrush(Qt::NoBrush);
    if (labels.marks[i]) page.upward(*labels.marks[i], q(v.marks[i].name), markPoints, kMuted);
  }
  const Point c = v.toPage(v.chosen);
  const Rect drop = v.dropLine();
  dashed(p, line(QPointF(c.x, drop.y), QPointF(c.x, drop.bottom())), kDish, 0.3);
  p.setPen(pen(0xffffffff, 0.5));
  p.setBrush(QColor::fromRgb(kDish));
  p.drawEllipse(at(c), 1.5, 1.5);
  p.setBrush(Qt::NoBrush);
  page.text(labels.chosen, Qt::AlignCenter, chosenName, chosenPoints, true, kDish);
}

void paintSky(Page& page, const Layout& l, const Job& job) {
  const SkyView v = skyView(l.skyPlot, job);
  heading(page, l.sky, QStringLiteral("THE SKY TOWARD THE ARC"),
          QStringLiteral("facing %1: azimuth across, elevation up. Whatever stands in front of the marked satellite "
                         "blocks it.")
              .arg(v.facingSouth ? QStringLiteral("south") : QStringLiteral("north")));
  paintSkyGrid(page, l.sky, v);
  paintSkyDirections(page, v);
  paintSkyMarks(page, v, q(satelliteText(*job.chosen)));
  if (!v.arcRises) {
    const Rect& plot = v.plot;
    page.text({plot.x + 2, plot.y + 1, plot.width - 4, 4}, Qt::AlignCenter,
              QStringLiteral("From this site the whole arc stays below the horizon."), 7.5, true);
  }
}

void paintFooter(Page& page, const Layout& l) {
  QPainter& p = page.painter();
  const Rect& f = l.footer;
  // A bar of known length: a printed page whose bar measures 50 mm was
  // printed at true size.
  const double bar = 50;
  p.setPen(pen(kInk, 0.35));
  const double barX = f.right() - bar, barY = f.y + 1.5;
  p.drawLine(QPointF(barX, barY), QPointF(f.right(), barY));
  for (double x : {barX, barX + bar / 2, f.right()}) p.drawLine(QPointF(x, barY - 1), QPointF(x, barY + 1));
  page.text({barX, barY + 1.2, bar, 3}, Qt::AlignCenter, QStringLiteral("50 mm when printed at true size"), 5.5,
            false, kMuted);
  page.text({f.x, f.y, f.width - bar - 4, f.height}, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
            QStringLiteral("%1. Angles in degrees. Azimuths clockwise from north; the magnetic azimuth is the true "
                           "one less the declination (East positive), as the compass reads it.")
                .arg(QString::fromLatin1(kProgramName) + QLatin1Char(' ') + QString::fromLatin1(kShownVersion)),
            6, false, kMuted);
}

}  // namespace

void paintSheet(QPainter& painter, const Job& job, Paper paper) {
  const Angles angles = anglesOf(job);
  const std::vector<Figure> figures = chosenFigures(job, false);
  const Layout layout = layoutPage(paper, figures.size(), job.notices.size());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  Page page(painter);
  paintTitle(page, layout, job);
  paintJob(page, layout, job);
  paintFigures(page, layout, figures);
  paintNotes(page, layout, job.notices);
  paintDial(page, layout.dial, angles, job);
  paintElevation(page, layout.elevation, angles, job);
  paintSkew(page, layout.skew, angles, job);
  paintSky(page, layout, job);
  paintFooter(page, layout);
}

}  // namespace vantorel::sheet
