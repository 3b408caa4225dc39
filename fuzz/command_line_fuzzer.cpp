// Feeds arbitrary argument lists through the command line's parsing and
// running, with the output kept in memory (command_line_property.h).

#include "broken_promise.h"
#include "command_line_property.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return vantorel::abortOnBrokenPromise(vantorel::checkCommandLine(data, size));
}
