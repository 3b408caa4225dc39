#include "world_magnetic_model.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/MagneticModel.hpp>
#include <GeographicLib/SphericalHarmonic1.hpp>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "calc_error.h"
#include "numeric_text.h"
#include "wmm_coefficients.h"

namespace vantorel {
namespace {

using GeographicLib::SphericalEngine;
using GeographicLib::SphericalHarmonic1;

// The coefficients in GeographicLib's layout: column-major by order m, so
// (n, m) sits at m * N - m * (m - 1) / 2 + n; the sine vectors leave out
// m = 0, whose sine terms vanish, and so start N + 1 places later.
struct Coefficients {
  explicit Coefficients(const wmm::ModelData& model)
      : degree(model.degree),
        c(static_cast<std::size_t>(SphericalEngine::coeff::Csize(degree, degree))),
        s(static_cast<std::size_t>(SphericalEngine::coeff::Ssize(degree, degree))),
        c1(c.size()),
        s1(s.size()) {
    for (const wmm::CoefficientRow& row : model.rows) {
      const auto k = static_cast<std::size_t>(row.m * degree - row.m * (row.m - 1) / 2 + row.n);
      c[k] = row.g;
      c1[k] = row.gDot;
      if (row.m > 0) {
        s[k - static_cast<std::size_t>(degree + 1)] = row.h;
        s1[k - static_cast<std::size_t>(degree + 1)] = row.hDot;
      }
    }
  }

  int degree;
  std::vector<double> c, s;    // g, h at the epoch
  std::vector<double> c1, s1;  // their yearly changes
};

// The model's potential divided by its reference radius a:
//   sum over n, m of (a/r)^(n+1) ((g + t gDot) cos m lambda + (h + t hDot) sin m lambda) P_nm(sin theta)
// with t the years since the epoch and P_nm Schmidt semi-normalised. The sum
// keeps pointers into the coefficient vectors, so the two live together
// here, once, and are never copied.
class SphericalModel {
 public:
  explicit SphericalModel(const wmm::ModelData& model)
      : m_coefficients(model),
        m_sum(m_coefficients.c, m_coefficients.s, model.degree, m_coefficients.c1, m_coefficients.s1, model.degree,
              model.referenceRadius, SphericalHarmonic1::SCHMIDT) {}
  SphericalModel(const SphericalModel&) = delete;
  SphericalModel& operator=(const SphericalModel&) = delete;

  const SphericalHarmonic1& sum() const { return m_sum; }

 private:
  Coefficients m_coefficients;
  SphericalHarmonic1 m_sum;
};

const SphericalModel& sphericalModel() {
  static const SphericalModel model(wmm::kModel);
  return model;
}

// Whole nT, cut rather than rounded, so that an intensity under a limit never
// shows as the limit itself.
std::string nanotesla(double value) { return std::to_string(static_cast<long>(value)) + " nT"; }

// The first and last day the model serves; its life runs over whole years.
CalendarDate firstDay() { return {static_cast<int>(wmm::kModel.epoch), 1, 1}; }
CalendarDate lastDay() { return {static_cast<int>(wmm::kModel.validUntil) - 1, 12, 31}; }

}  // namespace

MagneticField fieldAt(double decimalYear, double latitude, double longitudeEast, double heightMetres) {
  // The point in geocentric axes, and the matrix whose columns are the local
  // east, north and up directions in those axes.
  double x = 0, y = 0, z = 0;
  std::vector<double> local(9);
  GeographicLib::Geocentric::WGS84().Forward(latitude, longitudeEast, heightMetres, x, y, z, local);

  // The field is minus the gradient of the potential, a times the sum.
  double gradX = 0, gradY = 0, gradZ = 0;
  sphericalModel().sum()(decimalYear - wmm::kModel.epoch, x, y, z, gradX, gradY, gradZ);
  const double a = wmm::kModel.referenceRadius;
  const double bX = -a * gradX, bY = -a * gradY, bZ = -a * gradZ;

  // Into local axes by the transposed matrix.
  const double east = local[0] * bX + local[3] * bY + local[6] * bZ;
  const double north = local[1] * bX + local[4] * bY + local[7] * bZ;
  const double up = local[2] * bX + local[5] * bY + local[8] * bZ;

  MagneticField field;
  double total = 0, inclination = 0;
  GeographicLib::MagneticModel::FieldComponents(east, north, up, field.H, total, field.D, inclination);
  field.X = north;
  field.Y = east;
  field.Z = -up;
  return field;
}

std::optional<CompassZone> compassZone(double H) {
  if (H < wmm::kModel.blackoutBelow) return std::nullopt;
  return H < wmm::kModel.cautionBelow ? CompassZone::Caution : CompassZone::Reliable;
}

DeclinationResult declinationAt(CalendarDate date, double latitude, double longitudeWest) {
  if (!(std::abs(latitude) <= 90) || !std::isfinite(longitudeWest)) {
    throw std::invalid_argument("declinationAt: latitude beyond 90 degrees or longitude not finite");
  }
  const double year = decimalYear(date);
  if (!(year >= wmm::kModel.epoch && year < wmm::kModel.validUntil)) {
    throw MagneticModelError(MagneticFault::DateOutsideModel,
                             "The " + std::string(wmm::kModel.title) + " covers dates from " +
                                 calendarDateText(firstDay()) + " to " + calendarDateText(lastDay()) + "; " +
                                 calendarDateText(date) + " lies outside it.");
  }
  if (std::abs(latitude) == 90) {
    throw MagneticModelError(MagneticFault::GeographicPole,
                             "At a geographic pole no direction is north, so there is no declination.");
  }

  const MagneticField field = fieldAt(year, latitude, -longitudeWest, 0);
  const std::optional<CompassZone> zone = compassZone(field.H);
  if (!zone) {
    throw MagneticModelError(MagneticFault::BlackoutZone,
                             "The horizontal magnetic field at this site is " + nanotesla(field.H) + ", under " +
                                 nanotesla(wmm::kModel.blackoutBelow) +
                                 ": a compass is unreliable this close to a magnetic pole, so the " +
                                 std::string(wmm::kModel.title) + " gives no declination here.");
  }

  DeclinationResult result;
  // Halves away from zero. Whole hundredths over 100 give the double nearest
  // to the two-decimal number, which is what reading its text gives, and the
  // text, at 15 significant digits, is that number.
  result.declination = static_cast<double>(std::lround(field.D * 100.0)) / 100.0;
  result.declinationText = doubleToText(result.declination);
  result.H = field.H;
  result.zone = *zone;
  if (*zone == CompassZone::Caution) {
    result.warning = "Caution: the horizontal magnetic field at this site is weak (" + nanotesla(field.H) + ", under " +
                     nanotesla(wmm::kModel.cautionBelow) + "), so a compass may be unreliable.";
  }
  return result;
}

DeclinationResult declinationAt(std::string_view dateText, double latitude, double longitudeWest) {
  CalendarDate date;
  try {
    date = calendarDateFrom(dateText);
  } catch (const Refusal& refused) {
    throw MagneticModelError(MagneticFault::NotADate, refused.what());
  }
  return declinationAt(date, latitude, longitudeWest);
}

}  // namespace vantorel
