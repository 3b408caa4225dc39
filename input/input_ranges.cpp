#include "input_ranges.h"

#include <sstream>

namespace vantorel {

std::string limitText(double limit) {
  std::ostringstream out;
  out << limit;
  return out.str();
}

std::string rangeText(const Range& range) { return limitText(range.low) + " to " + limitText(range.high); }

}  // namespace vantorel
