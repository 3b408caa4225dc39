// Feeds arbitrary bytes through the two calculation handlers' logic, exactly
// as the main window calls it, and aborts when the handlers break their
// promise (first_actions_property.h); libFuzzer then saves the input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "first_actions_property.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = vantorel::checkFirstActions(data, size);
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
