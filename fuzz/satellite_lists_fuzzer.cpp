// Feeds arbitrary bytes to the satellite list readers as a file given to
// --satellites (satellite_lists_property.h).

#include "broken_promise.h"
#include "satellite_lists_property.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return vantorel::abortOnBrokenPromise(vantorel::checkSatelliteLists(data, size));
}
