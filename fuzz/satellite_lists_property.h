#pragma once
// What the satellite list readers promise for any file whatsoever, checked
// on one file's bytes. The fuzzer calls it on every input it makes up; the
// test suite calls it on every file of the seed corpus.
//
// The promise: the bytes give either a list of at least one satellite, each
// with a printable name, a longitude in (-180, 180] and, from orbital data,
// a finite inclination and drift and an epoch on a real date, every one of
// them found again by its own name; or a SatelliteListError whose message is
// one printable line naming the file. Nothing else is thrown. Crashes, hangs
// and sanitizer reports are the caller's to notice.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantorel {

// An empty string if the promise holds for these bytes, else what broke.
std::string checkSatelliteLists(const std::uint8_t* data, std::size_t size);

}  // namespace vantorel
