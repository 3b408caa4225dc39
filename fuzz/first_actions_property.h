#pragma once
// What the calculation handlers promise for any input whatsoever, checked on
// one input. The fuzzer calls it on every input it makes up; the test suite
// calls it on every file of the seed corpus, so the promise is checked in
// every build, not only in the fuzz build.
//
// Input layout, one field per line so that corpus files stay readable:
//   line 1  Text4, the site latitude
//   line 2  Text5, the site longitude
//   line 3  Text6, the satellite longitude
//   line 4  Text7, the declination
//   line 5  the list row clicked, as decimal digits (-1 if absent or unreadable)
// Missing lines are empty texts. A box holds a single line, so no text needs
// to carry a line break; every other byte value, including NUL and invalid
// UTF-8, reaches the handlers unchanged.
//
// The promise: every outcome of "Calculate" and of a list click is either
// three result texts that read back as finite numbers, with the magnetic
// azimuth from 0 to 360, or a CalcError whose message names the box it
// concerns; and a list click computes the same
// texts as "Calculate" with the row's catalogue longitude typed into Text6.
// Crashes, hangs and sanitizer reports are the caller's to notice.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantorel {

// An empty string if the promise holds for this input, else what broke,
// with the input's fields.
std::string checkFirstActions(const std::uint8_t* data, std::size_t size);

}  // namespace vantorel
