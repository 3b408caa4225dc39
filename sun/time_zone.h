#pragma once
// A time zone by its IANA name (Europe/London), read from the system's zone
// files (Debian's tzdata) through the date library that became C++20's
// <chrono> time zones, which GCC 12's library lacks. For telling a customer
// the local time of a UTC instant, summer time included.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar_date.h"

namespace date {
class time_zone;
}

namespace vantorel {

struct LocalTime {
  CalendarDate date;
  std::string time;          // "13:01:26", to the nearest second
  std::string abbreviation;  // "GMT", "BST", "+03"
};

class TimeZone {
 public:
  // Nothing for a name the zone files do not hold.
  static std::optional<TimeZone> named(std::string_view name);

  const std::string& name() const { return m_name; }
  // The local time of the instant second seconds after date's midnight UTC.
  LocalTime local(CalendarDate date, double second) const;

 private:
  TimeZone(const date::time_zone* zone, std::string name) : m_zone(zone), m_name(std::move(name)) {}

  const date::time_zone* m_zone;
  std::string m_name;
};

// Every zone name the zone files hold, for completing a typed one.
std::vector<std::string> zoneNames();

// "19:01:26": seconds after a midnight, rounded to the nearest second;
// a time past midnight comes round again.
std::string clockTime(double second);

}  // namespace vantorel
