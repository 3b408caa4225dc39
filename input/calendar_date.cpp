#include "calendar_date.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "calc_error.h"

namespace vantorel {
namespace {

std::chrono::year_month_day toChrono(CalendarDate date) {
  return {std::chrono::year{date.year}, std::chrono::month{static_cast<unsigned>(date.month)},
          std::chrono::day{static_cast<unsigned>(date.day)}};
}

}  // namespace

std::chrono::sys_days sysDays(CalendarDate date) { return std::chrono::sys_days{toChrono(date)}; }

CalendarDate calendarDateOf(std::chrono::sys_days days) {
  const std::chrono::year_month_day date{days};
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

// std::isdigit is not used: it follows the locale.
int digitsAt(std::string_view text, std::size_t first, std::size_t count) {
  int value = 0;
  for (std::size_t i = first; i < first + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<CalendarDate> parseCalendarDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const CalendarDate date{digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2)};
  if (date.year < 0 || date.month < 0 || date.day < 0 || !toChrono(date).ok()) return std::nullopt;
  return date;
}

CalendarDate todayUtc() {
  // The system clock counts UTC, so its whole days are UTC dates.
  return calendarDateOf(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
}

double decimalYear(CalendarDate date) {
  const std::chrono::year year{date.year};
  const auto daysBefore =
      (sysDays(date) - std::chrono::sys_days{year / std::chrono::January / 1}).count();
  return date.year + static_cast<double>(daysBefore) / (year.is_leap() ? 366.0 : 365.0);
}

std::string calendarDateText(CalendarDate date) {
  char text[48];  // room for any three ints, so nothing is cut
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

CalendarDate calendarDateFrom(std::string_view text) {
  const std::optional<CalendarDate> date = parseCalendarDate(text);
  if (!date) {
    throw Refusal(Refusal::Input::Date, "The date \"" + quotedText(text) +
                                            "\" is not a day written as YYYY-MM-DD, such as 2026-12-07.");
  }
  return *date;
}

}  // namespace vantorel
