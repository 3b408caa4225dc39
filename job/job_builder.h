#pragma once
// Building a job from what was typed or chosen: the one function the command
// line and the planner call, which reads the inputs once, in the order the
// window reads its boxes, and computes every figure (job.h).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "job.h"
#include "satellite_list.h"
#include "site_inputs.h"
#include "sun_outage.h"

namespace vantorel {

struct JobRequest {
  // The site, the satellite and the declination as typed; those not given
  // keep the opening texts.
  InputTexts inputs = kOpeningInputs;
  // Whether the site was given; one that was not keeps the opening text,
  // and the job says so.
  bool latitudeGiven = true;
  bool longitudeGiven = true;
  // The declination taken from the magnetic model on the job's date instead.
  bool automaticDeclination = false;
  std::optional<std::string> date;  // YYYY-MM-DD; today in UTC without one
  std::optional<std::string> offsetAngle;  // as typed, 0 to 45
  bool motor = false;
  // The satellite to choose: the one typed, or an entry of the list (a
  // choice in a window); neither: no satellite is chosen.
  bool typedSatellite = false;
  std::optional<std::size_t> listEntry;
  bool everySatellite = false;  // also compute every satellite of the list
  // The chosen satellite's sun outages over the twelve months from the
  // date, by this criterion, with local times in the IANA zone named.
  std::optional<OutageCriterion> sunOutage;
  std::optional<std::string> timeZone;
  // Extra satellites on the chosen satellite's dish, as typed (longitudes or
  // names, like the satellite), and the dish's optics.
  std::vector<std::string> multifeed;
  DishOptics dish;
  // What stands between the dish and the sky: obstacles as typed
  // (readObstacle; a compass azimuth is made true with the job's
  // declination) and a horizon profile already read. The dish's size and
  // frequency above set the beam's half-width the clearance is held to.
  std::vector<std::string> obstacles;
  std::optional<HorizonProfile> horizon;
  // The sun on the chosen satellite's azimuth, over seven days from the
  // date, with local times in timeZone.
  bool sunBearing = false;
  // Who the job is for, where, and notes for the sheet: printable text,
  // each at most kLongestJobText characters.
  std::string customer, address, notes;

  friend bool operator==(const JobRequest&, const JobRequest&) = default;
};

// A name typed that no satellite of the list has: why says so, and the face
// says where the names are (the command line with its options, the planner
// with its table). Of a list file, why ends at the quoted name, for the
// face's own clause.
class NoSuchSatellite : public Refusal {
 public:
  enum class In { NinetiesList, TodayList, ListFile };
  NoSuchSatellite(In in, const std::string& why) : Refusal(Input::Satellite, why), m_in(in) {}
  In in() const noexcept { return m_in; }

 private:
  In m_in;
};

// What a satellite's elevation calls for: BelowHorizon under 0,
// LowElevation from 0 to under kLowElevation, nothing above.
std::optional<Notice> horizonNotice(const Pointing& pointing);

// The job the request asks for, with list the satellites in effect and
// listName what messages call it. Reads, and refuses, in the order the
// window reads its boxes: the letters, the date, the declination, the
// satellite, the site, then the dish's mount. Every refusal is a Refusal
// naming its input: a typed number (CalcError), the magnetic model where it
// does not serve (MagneticModelError), a date that names no day, a name that
// finds no single satellite, an extra LNB's satellite refused in any way, an
// obstacle that is not one (readObstacle), a zone that is not known, a list
// entry the list does not hold, and a customer, address or notes text
// holding control characters or longer than kLongestJobText.
Job buildJob(const JobRequest& request, const SatelliteCatalog& list, std::string_view listName);

}  // namespace vantorel
