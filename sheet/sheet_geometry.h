#pragma once
// Where everything goes on the installation sheet and what its drawings
// measure, as plain numbers with no Qt. The painter (sheet_writer) only turns
// them into lines and text, so everything here is checked as numbers.
//
// Notation:
//   page point  millimetres from the page's top-left corner, x to the right,
//               y downward, as a ruler on the printed page measures them
//   bearing     degrees clockwise from the page's up direction
//   azimuth     degrees clockwise from north; true unless named magnetic
//   elevation   degrees above the horizon, negative below it
//   skew        degrees, positive clockwise as seen from behind the dish
//               looking at the satellite (the view the skew picture draws)
//
// The compass dial is drawn as its user holds it: the rose is the compass's
// own, magnetic north up and east to the right, so the dish's arrow stands at
// the magnetic azimuth (202.7 points south-south-west, down and to the left)
// and true north stands at minus the declination (a West declination puts it
// to the right of magnetic north).
//
// The sky view is drawn as the installer sees it when facing the arc: the
// azimuth grows to the right, through south from a site north of the equator
// and through north from one south of it, and the elevation grows upward.
// Azimuths on it are unwrapped into one continuous range, so 350 and 10 lie
// 20 degrees apart (as -10 and 10) when the view faces north.

#include <cstddef>
#include <string>
#include <vector>

#include "job.h"
#include "sheet_format.h"

namespace vantorel::sheet {

struct Point {
  double x = 0;
  double y = 0;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double right() const { return x + width; }
  double bottom() const { return y + height; }
  // Whether the two share more than an edge.
  bool overlaps(const Rect& other) const;
  bool contains(const Rect& other) const;
};

struct PageSize {
  double width = 0;
  double height = 0;
};

// A4 portrait 210 x 297; US Letter 215.9 x 279.4.
PageSize pageSize(Paper paper);

// The angles the drawings show, the chosen satellite's figures (degrees).
struct Angles {
  double azimuthTrue = 0;
  double azimuthMagnetic = 0;
  double elevation = 0;
  double skew = 0;
  double declination = 0;
};

// The chosen satellite's look angles and skew, and the site's declination.
// The job must have a chosen satellite.
Angles anglesOf(const Job& job);

// The page's blocks, top to bottom: the title line, the job, the figures in
// rows of four, the compass dial beside the elevation and the skew (one above
// the other), the sky view and the footer. The drawings share what the other
// blocks leave; each block keeps kHeading at its top for its heading.
struct Layout {
  PageSize page;
  Rect title, job, figures, notes, dial, elevation, skew, sky, skyPlot, footer;
  // The job block's columns, each as an x and a width (a line's y and height
  // are its own): the labels, the values, a value with nothing beside it, a
  // second value (the decimal degrees, the declination's source) before a
  // note or with none, and the note.
  struct JobColumns {
    Rect label, value, wideValue, more, wideMore, note;
  } jobColumns;
  double jobLine = 0;  // the height of each of the job's lines
  std::vector<Rect> figureCells;  // one per figure, in print order
};

inline constexpr double kHeading = 6;  // mm above each drawing for its heading

// noteCount lines of notes go below the figures, each kNoteLine high.
Layout layoutPage(Paper paper, std::size_t figureCount, std::size_t noteCount = 0);

inline constexpr double kNoteLine = 4.2;  // mm

// The point at distance `radius` from `centre` on the given bearing.
Point atBearing(Point centre, double radius, double bearing);

struct Dial {
  // Whether the dish has a direction to point: not when the satellite is
  // below the horizon, where the dial keeps only its norths.
  bool aimed = true;
  Point centre;
  double radius = 0;            // the rose's ring
  double arrowBearing = 0;      // the magnetic azimuth
  double trueNorthBearing = 0;  // minus the declination
  // The dish's arrow runs from the centre to its tip; its head is a triangle
  // headLength long and 2 * headHalfWidth wide at its base.
  double arrowLength = 0, headLength = 0, headHalfWidth = 0;
  Point arrowTip, arrowHeadCentre;  // the head's centroid lies inside it
  Point magneticNorthEnd, trueNorthEnd;  // the two north lines end on the ring
  Rect caption;  // below the dial, for the arrow's two readings
};

Dial dialGeometry(const Rect& box, const Angles& angles);

// The quarter protractor: its centre at the horizon's left end, the horizon
// running right, the zenith straight up.
struct Protractor {
  Point origin;
  double radius = 0;
  bool aboveHorizon = true;  // false: the words take the drawing's place
  Rect text;
};

Protractor protractorGeometry(const Rect& box, const Angles& angles);

// The LNB seen from behind the dish, its cable connector at the bottom when
// upright. Turned by the skew, clockwise on the page for a positive skew.
struct SkewPicture {
  Point centre;
  double radius = 0;  // the LNB's body
  bool visible = true;  // false below the horizon: no LNB to set
  bool turn = false;  // false when the skew is 0 or the satellite is not visible: nothing to turn
  bool clockwise = false;
  Rect text;
};

SkewPicture skewGeometry(const Rect& box, const Angles& angles);

struct SkyPoint {
  double azimuth = 0;  // unwrapped into the view's range
  double elevation = 0;
};

struct SkyMark {
  std::string name;
  SkyPoint at;
};

struct SkyView {
  Rect plot;
  double azimuthFrom = 0, azimuthTo = 0;  // left and right edges
  double elevationFrom = 0, elevationTo = 0;  // bottom and top edges
  bool facingSouth = true;
  bool arcRises = false;  // whether any of the arc stands above the horizon
  SkyPoint arcEnds[2];    // where it meets the horizon, when it rises
  // The arc as polylines in order of longitude, above and below the horizon,
  // cut to the view: a line ends at the view's edge.
  std::vector<std::vector<SkyPoint>> above, below;
  SkyPoint chosen;  // the printed azimuth and elevation
  std::vector<SkyMark> marks;  // the list's satellites above the horizon, within the view

  Point toPage(SkyPoint p) const;
  // The strip below the horizon line where the compass directions go.
  Rect directionBand() const;
  // The line dropped from the chosen satellite to the horizon, which shows
  // its azimuth there.
  Rect dropLine() const;
};

inline constexpr double kDirectionBand = 8;  // mm

// The view for the job's site and its chosen satellite, with the arc
// computed by onecalc for every longitude and the job's listed satellites
// marked.
SkyView skyView(const Rect& plot, const Job& job);

// Places labels in the order given, each at the first of its candidate boxes
// that lies within bounds and overlaps neither an obstacle nor a label placed
// before it. Returns, for each label, the index of its candidate, or -1 when
// none fits: that label is left off.
std::vector<int> placeLabels(const std::vector<std::vector<Rect>>& candidates, const Rect& bounds,
                             std::vector<Rect> obstacles);

struct SkyLabels {
  Rect chosen;  // the chosen satellite's label, always placed
  // One per mark: the box of its label, written upward, or nothing when it
  // would overlap another. Marks are labelled from left to right, which
  // labels as many as fit side by side.
  std::vector<std::optional<Rect>> marks;
};

// Labels for the sky view, given each text's width and height in mm (the
// marks' labels are written upward, so their box is height wide).
SkyLabels placeSkyLabels(const SkyView& view, double chosenWidth, double chosenHeight,
                         const std::vector<double>& markWidths, double markHeight);

}  // namespace vantorel::sheet
