#pragma once
// The bytes of one list file as the readers take them: first a head, the
// beginning of the file that every reader looks at to say whether the file is
// its format, then the whole file again from its start, line by line or in
// chunks, read from the stream as it goes. Only the head and one chunk are
// held at a time. A UTF-8 byte order mark at the start is dropped.
//
// Also where every reader's error is made, so that all messages have the one
// form "FILE:LINE: found ..., expected ...".

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

#include "numeric_text.h"

namespace vantorel {

class ListSource {
 public:
  ListSource(std::istream& in, std::string_view shownName);

  // Up to kHeadBytes from the start of the file.
  std::string_view head() const { return m_head; }

  // The next line without its line break ("\n" or "\r\n"); false at the end
  // of the file. Lines are numbered from 1.
  bool nextLine(std::string& line);
  std::size_t lineNumber() const { return m_lineNumber; }

  // The next bytes of the file, not cut into lines; false at the end.
  bool nextChunk(std::string& chunk);

  // "FILE:LINE: what" and "FILE: what", thrown as SatelliteListError.
  [[noreturn]] void fail(std::size_t line, std::string_view what) const;
  [[noreturn]] void fail(std::string_view what) const;

  static constexpr std::size_t kHeadBytes = 64 * 1024;
  // No line of a list, and no record, element or object of one, comes near
  // this; a longer one is a file that is not a list (or an endless stream),
  // and is refused before it fills the memory.
  static constexpr std::size_t kLongestPiece = 1024 * 1024;
  // Refuses, as found on line, a satellite's name that is not well-formed
  // UTF-8, holds a control or format character (U+202E would turn the rest
  // of a printed line right to left), or runs past kLongestName characters
  // (every row of a table is padded to the longest name). An empty name is
  // the caller's to refuse.
  void checkName(std::size_t line, std::string_view name) const;
  static constexpr std::size_t kLongestName = 120;

  // "FILE:LINE: found more than 1 MiB without the end of what, ...".
  [[noreturn]] void failTooLong(std::size_t line, std::string_view what) const;

 private:
  bool refill();

  std::istream& m_in;
  std::string m_shownName;
  std::string m_head;
  std::string m_buffer;  // bytes not yet handed out
  std::size_t m_at = 0;  // the first of them in m_buffer
  std::size_t m_lineNumber = 0;
  bool m_ended = false;  // the stream has nothing more
};

// "FILE: what", thrown as SatelliteListError, for a file that has no source
// yet. FILE is shownName, or quotedText's form of it if it is not printable.
[[noreturn]] void failFile(std::string_view shownName, std::string_view what);

// A text as a message quotes it: quotedText between double quotes.
std::string quoted(std::string_view text);

// The value of a whole text in the form numbers take in orbital data: an
// optional sign, digits with at most one ".", an optional exponent ("1.2e-5").
// False for anything else, for "nan" and "inf", and for a value that
// overflows a double.
bool readNumber(std::string_view text, double& value);

}  // namespace vantorel
