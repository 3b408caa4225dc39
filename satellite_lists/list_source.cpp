#include "list_source.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <istream>

#include "calc_error.h"
#include "satellite_list.h"

namespace vantorel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kChunkBytes = 64 * 1024;

}  // namespace

ListSource::ListSource(std::istream& in, std::string_view shownName)
    : m_in(in), m_shownName(shownName) {
  while (m_buffer.size() < kHeadBytes && refill()) {
  }
  if (m_buffer.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) m_at = kByteOrderMark.size();
  m_head = m_buffer.substr(m_at, kHeadBytes);
}

// Appends the stream's next bytes to the buffer; false once it has none.
bool ListSource::refill() {
  if (m_ended) return false;
  if (m_at > 0 && m_at == m_buffer.size()) {
    m_buffer.clear();
    m_at = 0;
  }
  const std::size_t had = m_buffer.size();
  m_buffer.resize(had + kChunkBytes);
  m_in.read(m_buffer.data() + had, static_cast<std::streamsize>(kChunkBytes));
  const auto got = static_cast<std::size_t>(m_in.gcount());
  m_buffer.resize(had + got);
  if (m_in.bad()) fail("could not be read to its end");
  if (got < kChunkBytes) m_ended = true;
  return got > 0;
}

bool ListSource::nextLine(std::string& line) {
  std::size_t searched = m_at;
  std::size_t end = m_buffer.find('\n', searched);
  while (end == std::string::npos) {
    // Keep only the unfinished line before reading more, so that the buffer
    // holds one line and one chunk at most.
    m_buffer.erase(0, m_at);
    searched = m_buffer.size();
    m_at = 0;
    if (searched > kLongestPiece) failTooLong(m_lineNumber + 1, "a line");
    if (!refill()) break;
    end = m_buffer.find('\n', searched);
  }
  if (end == std::string::npos) {
    if (m_at == m_buffer.size()) return false;
    end = m_buffer.size();
  }
  line.assign(m_buffer, m_at, end - m_at);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  m_at = end < m_buffer.size() ? end + 1 : end;
  ++m_lineNumber;
  return true;
}

void ListSource::checkName(std::size_t line, std::string_view name) const {
  if (!isPrintableText(name)) {
    fail(line, "found the name " + quoted(name) +
                   ", expected a satellite's name in UTF-8 text without control or format characters");
  }
  const auto characters = static_cast<std::size_t>(
      std::count_if(name.begin(), name.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  if (characters > kLongestName) {
    fail(line, "found a name of " + std::to_string(characters) + " characters, " + quoted(name) + ", expected at most " +
                   std::to_string(kLongestName));
  }
}

void ListSource::failTooLong(std::size_t line, std::string_view what) const {
  fail(line, "found more than 1 MiB without the end of " + std::string(what) + ", expected a satellite list");
}

bool ListSource::nextChunk(std::string& chunk) {
  if (m_at == m_buffer.size() && !refill()) return false;
  chunk.assign(m_buffer, m_at);
  m_at = m_buffer.size();
  return true;
}

namespace {

// The name is the user's, but a control character in it would still reach
// the terminal.
std::string shownFileName(std::string_view shownName) {
  return isPrintableText(shownName) ? std::string(shownName) : quoted(shownName);
}

}  // namespace

void ListSource::fail(std::size_t line, std::string_view what) const {
  throw SatelliteListError(shownFileName(m_shownName) + ":" + std::to_string(line) + ": " + std::string(what));
}

void ListSource::fail(std::string_view what) const { failFile(m_shownName, what); }

void failFile(std::string_view shownName, std::string_view what) {
  throw SatelliteListError(shownFileName(shownName) + ": " + std::string(what));
}

std::string quoted(std::string_view text) { return "\"" + quotedText(text) + "\""; }

bool readNumber(std::string_view text, double& value) {
  if (text.empty()) return false;
  const bool negative = text.front() == '-';
  if (negative || text.front() == '+') text.remove_prefix(1);
  // from_chars would also take "nan", "inf" and hexadecimal-looking forms;
  // orbital data write none of them.
  if (text.empty() || !(text.front() == '.' || (text.front() >= '0' && text.front() <= '9'))) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return false;
  if (negative) value = -value;
  return true;
}

}  // namespace vantorel
