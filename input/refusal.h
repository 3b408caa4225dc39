#pragma once
// Everything the program refuses of what it was given, typed or read from a
// file, is one kind of exception: it names the input it concerns, says why
// in a sentence, and gives the hint of what to give instead. A face catches
// Refusal once, prints what() or shows why() beside the input and hint()
// under it; the kinds (a typed number, a list, the magnetic model) add what
// only they know.

#include <stdexcept>
#include <string>

namespace vantorel {

class Refusal : public std::runtime_error {
 public:
  enum class Input {
    Site,         // the latitude or the longitude
    Declination,  // typed
    Model,        // the declination the magnetic model was asked for
    Date,
    Satellite,
    Multifeed,    // an extra LNB's satellite
    Dish,         // the offset angle, size, frequency, focal length, outage angle
    Table,        // the table's least elevation or clearance
    TimeZone,
    Obstacle,
    Horizon,      // a horizon profile's file
    List,         // a satellite list's file
    Customer,
    Address,
    Notes,
    Sheet,        // a sheet that cannot be drawn or written
    Calculation,  // the arithmetic itself
  };

  // what() is why, then the hint after a blank where there is one.
  Refusal(Input input, const std::string& why, const std::string& hint = {})
      : std::runtime_error(hint.empty() ? why : why + " " + hint), m_input(input), m_why(why), m_hint(hint) {}

  Input input() const noexcept { return m_input; }
  const std::string& why() const noexcept { return m_why; }
  const std::string& hint() const noexcept { return m_hint; }

 private:
  Input m_input;
  std::string m_why;
  std::string m_hint;
};

}  // namespace vantorel
