#pragma once
// One reader per list format, behind one small interface. Each reader first
// says from the head of a file whether it is its format; the first that says
// yes reads the whole file. The order matters only for the plain list, which
// takes what the others leave, so it is asked last.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "list_source.h"
#include "satellite_list.h"

namespace vantorel {

class ListReader {
 public:
  virtual ~ListReader() = default;
  // Whether head, the first bytes of a file (byte order mark dropped), is the
  // beginning of a file in this format. Never throws.
  virtual bool identify(std::string_view head) const = 0;
  // The whole file from its start, entries in the file's order; empty if it
  // holds no satellite to keep. Throws SatelliteListError at the first fault.
  virtual SatelliteCatalog read(ListSource& source) const = 0;
};

std::unique_ptr<ListReader> makePlainListReader();
std::unique_ptr<ListReader> makeSatellitesXmlReader();
std::unique_ptr<ListReader> makeOmmCsvReader();
std::unique_ptr<ListReader> makeOmmJsonReader();
std::unique_ptr<ListReader> makeTleReader();
std::unique_ptr<ListReader> makeVdrSourcesReader();

// A satellite's position as lists write it: a decimal number of degrees
// and its hemisphere letter, E or W in either case, with an optional degree
// sign and blanks before the letter: "19.2E", "19.2°E", "0.8w", "101 W".
struct ListPosition {
  enum class Fault { None, NotAPosition, NoLetter, SignAndLetter, BeyondHalfTurn } fault = Fault::NotAPosition;
  double longitudeEast = 0;
  std::string_view written;  // the position as written, letter included when there is one
  std::string_view number;   // its digits
};

// The position text begins with (hemisphere.h), whose letter must be E or
// W; 0W is 0 and 180W is 180E.
ListPosition readPosition(std::string_view text);

// The first lines of head that hold more than blanks, at most count of them,
// without their line breaks. With skipComments, lines whose first non-blank
// character is "#" are left out too.
std::vector<std::string_view> firstLines(std::string_view head, std::size_t count, bool skipComments);

}  // namespace vantorel
