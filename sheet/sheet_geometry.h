#pragma once
// Where everything goes on the installation sheet and what its drawings
// measure, as plain numbers with no Qt. The painter (sheet_painter) only
// turns them into lines and text, taking every place from here, so
// everything here is checked as numbers.
//
// Notation:
//   page point  millimetres from the page's top-left corner, x to the right,
//               y downward, as a ruler on the printed page measures them
//   bearing     degrees clockwise from the page's up direction
//   azimuth     degrees clockwise from north; true unless named magnetic
//   elevation   degrees above the horizon, negative below it
//   skew        degrees, positive clockwise as seen from behind the dish
//               looking at the satellite (the view the skew picture draws)
//   points      a text's size, 1/72 inch; every other length is in mm
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

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
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
  // The same box moved down by dy.
  Rect below(double dy) const { return {x, y + dy, width, height}; }
};

struct PageSize {
  double width = 0;
  double height = 0;
};

// A4 portrait 210 x 297; US Letter 215.9 x 279.4.
PageSize pageSize(Paper paper);

// The sizes of the sheet's texts, in points.
namespace points {
inline constexpr double kTitle = 15;
inline constexpr double kTitleSatellite = 12;
inline constexpr double kHeading = 8.5;
inline constexpr double kSubheading = 6.5;
inline constexpr double kLabel = 7;
inline constexpr double kValue = 9.5;
inline constexpr double kSmall = 6.5;
inline constexpr double kFigureLabel = 6.5;
inline constexpr double kReading = 17;
inline constexpr double kNote = 7.5;
inline constexpr double kDialNumber = 6.5;
inline constexpr double kCardinal = 10;
inline constexpr double kCaption = 8;
inline constexpr double kPanelValue = 15;
inline constexpr double kPanelWords = 7.5;
inline constexpr double kPanelAlone = 10;  // words that stand in a drawing's place
inline constexpr double kSkyScale = 6;
inline constexpr double kSkyDegrees = 5.5;
inline constexpr double kSkyPoint = 7;
inline constexpr double kMark = 5.5;
inline constexpr double kChosen = 7.5;
inline constexpr double kFooter = 6;
inline constexpr double kBar = 5.5;
}  // namespace points

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

// What decides the page's blocks: how many figures, job lines, notes and
// sun outage lines there are, and whether a polar mount is drawn.
// What the notes block says of the roof besides the warnings: the moments
// the sun stands on the dish's azimuth on the job's date, and the finder's
// transponders, each a label and its text.
struct RoofLine {
  std::string label, text;
};
std::vector<RoofLine> roofLines(const Job& job);

struct PageContent {
  std::size_t figures = 4;
  std::size_t jobLines = 5;
  std::size_t notes = 0;
  std::size_t outageLines = 0;
  bool mount = false;
  std::size_t multifeeds = 0;  // extra LNBs beside the main one
};

PageContent contentOf(const Job& job);

// A heading over a block: its title, then its subtitle after a gap.
struct Heading {
  Rect title, subtitle;  // subtitle.x is the title's x; the painter adds the title's width and kHeadingGap
};
inline constexpr double kHeadingGap = 2.5;

// One figure's panel: its label, the reading in large type and, after it in
// small print, the exact figure.
struct FigureCell {
  Rect panel, label, reading, exact;
};

// The page's blocks, top to bottom: the title line, the job, the figures in
// rows of four, the notes, the compass dial beside the elevation and the
// skew (one above the other, and the polar mount below them where there is
// one), the sky view, the sun outage and the footer. The drawings and the
// sky share what the other blocks leave; each drawing keeps kHeading at its
// top for its heading.
struct Layout {
  PageSize page;
  Rect title, job, figures, notes, dial, elevation, skew, mount, sky, skyPlot, outage, footer;
  // The multifeed bracket, where there are extra LNBs: the block, its
  // drawing on the left and its lines of text on the right.
  Rect multifeed, bracket, bracketText;
  Rect titleSatellite;     // right of the title, for the satellite
  double titleRule = 0;    // the y of the rule under the title
  double titleGap = 0;     // between the title's text and the satellite's
  // The job block's columns, each as an x and a width (a line's y and height
  // are its own): the labels, the values, a value with nothing beside it, a
  // second value (the decimal degrees, the declination's source) before a
  // note or with none, and the note; and the gap before a value's small
  // print.
  struct JobColumns {
    Rect label, value, wideValue, more, wideMore, note;
    double signGap = 0;
  } jobColumns;
  double jobLine = 0;   // the height of each of the job's lines
  double noteLine = 0;  // of each note and each outage line
  std::vector<FigureCell> figureCells;  // one per figure, in print order
  Rect footerText;
  double barLeft = 0, barRight = 0, barY = 0, barTick = 0;  // the 50 mm bar
  Rect barCaption;
};

inline constexpr double kHeading = 6;  // mm above each drawing for its heading
inline constexpr double kScaleBar = 50;  // mm, the footer's bar for checking a print's size

Layout layoutPage(Paper paper, const PageContent& content);

// A block's heading, at its top.
Heading headingOf(const Rect& block);

// The point at distance `radius` from `centre` on the given bearing.
Point atBearing(Point centre, double radius, double bearing);

struct Dial {
  // Whether the dish has a direction to point: not when the satellite is
  // below the horizon, where the dial keeps only its norths.
  bool aimed = true;
  Point centre;
  double radius = 0;            // the rose's ring
  double majorTick = 0, minorTick = 0;  // every 30 and every 10 degrees, inward from the ring
  double numberRadius = 0;      // the degree numbers' centres
  double cardinalRadius = 0;    // N, E, S and W, on white squares cardinalBox wide
  double cardinalBox = 0;
  double northReach = 0;        // the north lines run past the ring to their labels
  double labelGap = 0;          // between a line's end and its label
  double hub = 0;               // the dot at the centre
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
  double majorTick = 0, minorTick = 0;  // every 30 and every 10 degrees
  double numberRadius = 0;
  double numberClearance = 0;  // a number this near the line of sight gives way to it
  double angleArc = 0;         // the marked angle's radius
  double sightLength = 0;      // the line of sight, and its head's tip
  double headAt = 0, headLength = 0, headHalfWidth = 0;
  Rect horizonLabel;
  bool aboveHorizon = true;  // false: the words take the drawing's place
  Rect text, value, words;   // the words beside it: the reading, then what it means
};

Protractor protractorGeometry(const Rect& box, const Angles& angles);

// The LNB seen from behind the dish, its cable connector at the bottom when
// upright. Turned by the skew, clockwise on the page for a positive skew.
struct SkewPicture {
  Point centre;
  double radius = 0;  // the LNB's body
  double top = 0;     // the LNB's axis runs from top above the centre to the body's foot
  Rect connector;     // the cable connector, upright, relative to the centre
  double arcRadius = 0;  // the turn's arc
  double headLength = 0, headHalfWidth = 0, headBack = 0;
  bool visible = true;  // false below the horizon: no LNB to set
  bool turn = false;  // false when the skew is 0 or the satellite is not visible: nothing to turn
  bool clockwise = false;
  Rect text, turnWords, more;
};

SkewPicture skewGeometry(const Rect& box, const Angles& angles);

// The polar mount from the side, looking west north of the equator (east
// south of it): the polar axis rising toward the pole at its elevation, and
// the dish's beam square to it, dipped toward the equator by the
// declination offset.
struct MountPicture {
  Point pivot;
  double length = 0;  // of the axis and the beam as drawn
  double axisBearing = 0;  // degrees on the page: 90 - the polar axis's elevation, toward the pole side
  double beamBearing = 0;  // square to the axis toward the equator, then down by the declination offset
  bool poleOnRight = true;
  double arcRadius = 0;  // the marked angles
  Rect text;
};

MountPicture mountGeometry(const Rect& box, const JobSite& site);

// The LNBs of a multifeed dish seen from behind the dish, to scale: the
// main LNB at the centre of the drawing, each extra one at its offset
// (right and up as seen from behind the dish), the bracket's bar from the
// main LNB to each.
struct BracketPicture {
  // Millimetres on the page for a millimetre on the dish: 1, 1/2, 1/3, ...,
  // the largest that fits the drawing.
  double scale = 1;
  int scaleDivisor = 1;  // the scale as 1:n
  Point main;
  double radius = 0;  // an LNB's 40 mm collar, drawn to scale
  std::vector<Point> extras;  // in the job's order
  // Beside each LNB, main first; none where they find no room, and then
  // each LNB is numbered in its collar, 1 the main one, as the lines beside
  // the drawing are.
  std::vector<Rect> labels;
  bool numbered = false;
};

inline constexpr double kLnbCollar = 40;  // mm across an LNB's collar

BracketPicture bracketGeometry(const Rect& box, const Job& job);

struct SkyPoint {
  double azimuth = 0;  // unwrapped into the view's range
  double elevation = 0;
};

struct SkyMark {
  std::string name;
  SkyPoint at;
  bool wanders = false;  // inclined or drifting: labelled last
  bool blocked = false;  // behind an obstacle or the horizon profile
};

struct SkyView {
  Rect plot;
  double azimuthFrom = 0, azimuthTo = 0;  // left and right edges
  double elevationFrom = 0, elevationTo = 0;  // bottom and top edges
  bool facingSouth = true;
  bool arcRises = false;  // whether any of the arc stands above the horizon
  std::array<SkyPoint, 2> arcEnds;  // where it meets the horizon, when it rises
  // The arc as polylines in order of longitude, above and below the horizon,
  // cut to the view: a line ends at the view's edge.
  std::vector<std::vector<SkyPoint>> above, below;
  SkyPoint chosen;  // the printed azimuth and elevation
  bool chosenBlocked = false;
  std::vector<SkyMark> marks;  // the list's satellites above the horizon, within the view
  // Where the job has a skyline: its outline across the view, from the
  // horizon at the left edge over the obstacles and the profile to the
  // horizon at the right, to be filled; empty without one.
  std::vector<SkyPoint> skyline;

  Point toPage(SkyPoint p) const;
  // The strip below the horizon line where the compass directions go: the
  // degrees every 30 on its degreeLine, the points every 45 on its pointLine.
  Rect directionBand() const;
  double degreeLine() const;
  double pointLine() const;
  // The line dropped from the chosen satellite to the horizon, which shows
  // its azimuth there.
  Rect dropLine() const;
  // Beside the plot on the left, for the elevation e's number.
  Rect elevationLabel(double e, double skyLeft) const;
};

inline constexpr double kDirectionBand = 8;  // mm
inline constexpr double kDirectionTick = 1.3;
inline constexpr double kMarkRadius = 0.75;
inline constexpr double kChosenRadius = 1.5;

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

// "+3 more" for the marks a run of the arc could not label, at the run's
// middle mark.
struct MoreLabel {
  std::size_t count = 0;
  Rect box;
};

struct SkyLabels {
  Rect chosen;  // the chosen satellite's label, always placed
  // One per mark: the box of its label, written upward, or nothing when no
  // place is free.
  std::vector<std::optional<Rect>> marks;
  std::vector<MoreLabel> more;
};

// The order marks are labelled in: the chosen satellite's nearest
// neighbours on the arc, two each side, then the highest, and those that
// wander (inclined or drifting) after every other.
std::vector<std::size_t> labelOrder(const SkyView& view);

// Labels for the sky view, given each text's width and height in mm (the
// marks' labels are written upward, so their box is height wide), placed in
// labelOrder; then, where moreWidth gives the width of "+n more", one such
// label for each run of unlabelled marks that has room for it.
SkyLabels placeSkyLabels(const SkyView& view, double chosenWidth, double chosenHeight,
                         const std::vector<double>& markWidths, double markHeight,
                         const std::function<double(std::size_t)>& moreWidth = {});

}  // namespace vantorel::sheet
