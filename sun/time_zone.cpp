#include "time_zone.h"

#include <date/tz.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace vantorel {
namespace {

constexpr long long kSecondsPerDay = 86400;

std::chrono::sys_seconds instant(CalendarDate date, double second) {
  return std::chrono::sys_seconds{sysDays(date)} + std::chrono::seconds{std::llround(second)};
}

}  // namespace

std::optional<TimeZone> TimeZone::named(std::string_view name) {
  try {
    return TimeZone(date::locate_zone(name), std::string(name));
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

LocalTime TimeZone::local(CalendarDate date, double second) const {
  const date::zoned_seconds zoned(m_zone, instant(date, second));
  const auto local = zoned.get_local_time();
  const auto day = std::chrono::floor<std::chrono::days>(local);
  LocalTime t;
  t.date = calendarDateOf(std::chrono::sys_days{day.time_since_epoch()});
  t.time = clockTime(static_cast<double>((local - day).count()));
  t.abbreviation = zoned.get_info().abbrev;
  return t;
}

std::vector<std::string> zoneNames() {
  std::vector<std::string> names;
  try {
    for (const date::time_zone& zone : date::get_tzdb().zones) names.emplace_back(zone.name());
  } catch (const std::runtime_error&) {
    // No zone files: a zone cannot be named, and none is offered.
  }
  return names;
}

std::string clockTime(double second) {
  const long long s = ((std::llround(second) % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
  char text[16];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

}  // namespace vantorel
