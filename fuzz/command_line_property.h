#pragma once
// What the command line promises for any argument list whatsoever, checked on
// one list. The fuzzer calls it on every list it makes up; the test suite
// calls it on every file of the seed corpus.
//
// Input layout: one argument per line, after the program's name, which is
// added; every other byte value, including NUL and invalid UTF-8, reaches the
// parser as the system would hand it over.
//
// The promise: no crash; exit status 0, 1 or 2; nothing on standard output
// unless the status is 0; and with status 0 every printed result is a number
// that reads back. A list that would open the windows is parsed only.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantorel {

// An empty string if the promise holds for this argument list, else what
// broke, with the arguments and what was printed.
std::string checkCommandLine(const std::uint8_t* data, std::size_t size);

}  // namespace vantorel
