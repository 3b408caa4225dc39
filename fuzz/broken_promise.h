#pragma once
// What every fuzzer does with a broken promise: say what broke and abort, so
// that libFuzzer saves the input that broke it.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vantorel {

inline int abortOnBrokenPromise(const std::string& failure) {
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
  }
  return 0;
}

}  // namespace vantorel
