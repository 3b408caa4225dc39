#include "job.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "calc_error.h"
#include "numeric_text.h"
#include "refusal.h"

namespace vantorel {
namespace {

// The labels in the order of Label's values.
constexpr std::array<std::string_view, 38> kLabels = {
    "LATITUDE",       "LONGITUDE",        "SATELLITE",         "DATE",           "DECLINATION",
    "POSITION",       "NOTE",             "SITE LATITUDE",     "SITE LONGITUDE", kResultLabels[0],
    kResultLabels[1], kResultLabels[2],   "LNB SKEW",          "DISH FACE TILT", "POLAR AXIS ELEVATION",
    "MOUNT FACES",    "MOUNT AZIMUTH MAGNETIC", "DECLINATION OFFSET", "MOTOR ANGLE",    "SUN OUTAGE",
    "START",          "END",              "CLOSEST",           "SEPARATION",     "SEASON",
    "MULTIFEED",      "FOCAL LENGTH",     "LNB OFFSET",        "COMA LOSS",      "MONOBLOCK",
    "BRACKET",        "MERIDIAN ELEVATION", "CLEARANCE",        "SET BACK",       "RAISE BY",
    "SUN ON BEARING", "SUN ELEVATION",    "FINDER"};
static_assert(kLabels.size() == static_cast<std::size_t>(Label::Finder) + 1);

}  // namespace

std::string_view labelText(Label label) { return kLabels[static_cast<std::size_t>(label)]; }

std::string declinationSourceText(const JobSite& site) {
  return site.declinationSource == DeclinationSource::Model
             ? "World Magnetic Model 2025 on " + calendarDateText(site.date)
             : std::string("typed");
}

std::string satelliteText(const Pointing& pointing) {
  return pointing.name.empty() ? pointing.position : pointing.name + ", " + pointing.position;
}

const Figure* figureIn(const std::vector<Figure>& figures, Label label) {
  const auto found = std::find_if(figures.begin(), figures.end(), [label](const Figure& f) { return f.label == label; });
  return found == figures.end() ? nullptr : &*found;
}

const Figure* Pointing::figure(Label label) const { return figureIn(figures, label); }

std::vector<Figure> mountSettings(const JobSite& site, bool facesApart) {
  std::vector<Figure> settings;
  for (const Figure& setting : site.mountFigures) {
    if (setting.label == Label::MountFaces && !facesApart) {
      settings.back().text += ", the mount faces " + setting.text;
    } else {
      settings.push_back(setting);
    }
  }
  return settings;
}

std::vector<Figure> chosenFigures(const Job& job, bool facesApart) {
  std::vector<Figure> figures;
  for (const Figure& figure : job.chosen->figures) {
    // The mount's settings for the site stand just before the motor angle.
    if (figure.label == Label::MotorAngle) {
      const std::vector<Figure> settings = mountSettings(job.site, facesApart);
      figures.insert(figures.end(), settings.begin(), settings.end());
    }
    figures.push_back(figure);
  }
  const Pointing& chosen = *job.chosen;
  if (chosen.clearance) {
    figures.push_back({Label::Clearance, chosen.clearance->degrees, chosen.clearanceText,
                       tenthsReading(chosen.clearance->degrees)});
  }
  return figures;
}

std::string Pointing::joinedNotes() const {
  std::string joined;
  for (const std::string& note : notes) joined += (joined.empty() ? "" : "; ") + note;
  return joined;
}

std::string tenthsReading(double degrees) {
  const std::string written = fixedText(degrees, 1);
  return (written == "360.0" || written == "-0.0" ? "0.0" : written) + "\u00b0";
}

std::string instrumentReading(const Figure& figure) {
  switch (figure.label) {
    case Label::LnbSkew:
      return std::to_string(std::lround(figure.value)) + "\u00b0";
    case Label::MotorAngle: {
      const std::string size = tenthsReading(std::fabs(figure.value));
      const bool letterless = size == "0.0\u00b0" || size == "180.0\u00b0";
      return letterless ? size : size + (figure.value > 0 ? " E" : " W");
    }
    case Label::MountFaces:
      return figure.text;
    default:
      return tenthsReading(figure.value);
  }
}

namespace {

// A customer, address or notes text as typed, refused with a sentence when
// it would garble the sheet.
std::string jobText(Refusal::Input input, std::string_view what, std::string text) {
  if (!isPrintableText(text)) {
    throw Refusal(input, "The " + std::string(what) + " \"" + quotedText(text) +
                                    "\" holds a control character; give it as plain text.");
  }
  if (text.size() > kLongestJobText) {
    throw Refusal(input, "The " + std::string(what) + " \"" + quotedText(text) + "\" is longer than " +
                                    std::to_string(kLongestJobText) + " characters.");
  }
  return text;
}

}  // namespace

JobTexts jobTexts(std::string customer, std::string address, std::string notes) {
  return {jobText(Refusal::Input::Customer, "customer", std::move(customer)),
          jobText(Refusal::Input::Address, "address", std::move(address)),
          jobText(Refusal::Input::Notes, "notes", std::move(notes))};
}

}  // namespace vantorel
