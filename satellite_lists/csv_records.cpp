#include "csv_records.h"

namespace vantorel {

CsvRecords::CsvRecords(ListSource& source, bool skipComments, char separator)
    : m_source(source), m_skipComments(skipComments), m_separator(separator) {}

bool CsvRecords::next(std::vector<std::string>& fields) {
  std::string_view content;
  do {
    if (!m_source.nextLine(m_text)) return false;
    content = trimmed(m_text);
  } while (content.empty() || (m_skipComments && content.front() == '#'));
  m_line = m_source.lineNumber();
  fields.clear();

  std::size_t at = 0;
  while (true) {
    std::string& field = fields.emplace_back();
    if (at < m_text.size() && m_text[at] == '"') {
      // A quoted field, perhaps over several lines.
      ++at;
      while (true) {
        const std::size_t quote = m_text.find('"', at);
        if (quote == std::string::npos) {
          field.append(m_text, at);
          if (field.size() > ListSource::kLongestPiece) m_source.failTooLong(m_line, "a quoted field");
          if (!m_source.nextLine(m_text)) {
            m_source.fail(m_line, "found a field opened with a quote and never closed, expected a closing \"");
          }
          field += '\n';
          at = 0;
          continue;
        }
        field.append(m_text, at, quote - at);
        at = quote + 1;
        if (at < m_text.size() && m_text[at] == '"') {
          field += '"';
          ++at;
          continue;
        }
        break;
      }
      while (at < m_text.size() && (m_text[at] == ' ' || m_text[at] == '\t')) ++at;
      if (at < m_text.size() && m_text[at] != m_separator) {
        m_source.fail(m_source.lineNumber(), "found " + quoted(std::string_view(m_text).substr(at)) +
                                                 " after a closing quote, expected " +
                                                 (m_separator == ',' ? "a comma" : "a semicolon") +
                                                 " or the end of the line");
      }
    } else {
      const std::size_t comma = m_text.find(m_separator, at);
      const std::size_t end = comma == std::string::npos ? m_text.size() : comma;
      field.assign(m_text, at, end - at);
      at = end;
    }
    if (at >= m_text.size()) return true;
    ++at;  // the separator
  }
}

}  // namespace vantorel
