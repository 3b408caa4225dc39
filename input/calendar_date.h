#pragma once
// Calendar dates and instants in UTC, for whatever is dated: the magnetic
// model's declination, orbital elements' epochs and their age, the sun. The
// strict YYYY-MM-DD form a date is typed in, today's date, the decimal year
// the magnetic model is evaluated at, and whole days to count with.
// Dates are Gregorian, leap years included (2028-02-29 exists, 2026-02-29
// does not), and "today" is the date in UTC, so that the same instant gives
// the same declination wherever the program runs.

#include <chrono>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel {

struct CalendarDate {
  int year = 0;   // 0 to 9999 when parsed
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to the month's last day

  friend auto operator<=>(const CalendarDate&, const CalendarDate&) = default;
};

// An instant in UTC: a calendar date and the seconds since its midnight.
struct UtcInstant {
  CalendarDate date;
  double second = 0;  // 0 to under 86400, or 86401 on a day with a leap second
};

// The date as a count of days, to add to and subtract; the date must exist.
std::chrono::sys_days sysDays(CalendarDate date);
CalendarDate calendarDateOf(std::chrono::sys_days days);

// Exactly ten characters, "YYYY-MM-DD" with ASCII digits, naming a day that
// exists. Anything else (no leading zeros "2026-1-5", blanks, "2026-02-30",
// "2026-13-01", "tomorrow", "") gives nothing.
std::optional<CalendarDate> parseCalendarDate(std::string_view text);

// As parseCalendarDate, for a date a person typed: throws
// Refusal (Date) with a sentence that quotes the text and shows the
// form ("The date "2026-13-01" is not a day written as YYYY-MM-DD, such as
// 2026-12-07.").
CalendarDate calendarDateFrom(std::string_view text);

// The date in UTC now.
CalendarDate todayUtc();

// year + (day of year - 1) / days in that year: 2027-07-02 is day 183 of 365,
// 2027 + 182/365. The date must exist.
double decimalYear(CalendarDate date);

// The value of the digits text[first, first + count), or -1 if one of them
// is not an ASCII digit; the range must lie within text. For the fixed
// columns of dates and of orbital data's epochs.
int digitsAt(std::string_view text, std::size_t first, std::size_t count);

// "YYYY-MM-DD", the form parseCalendarDate reads.
std::string calendarDateText(CalendarDate date);

}  // namespace vantorel
