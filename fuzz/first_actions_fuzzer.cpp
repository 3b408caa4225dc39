// Feeds arbitrary bytes through the two calculation handlers' logic, exactly
// as the main window calls it (first_actions_property.h).

#include "broken_promise.h"
#include "first_actions_property.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return vantorel::abortOnBrokenPromise(vantorel::checkFirstActions(data, size));
}
