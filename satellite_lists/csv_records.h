#pragma once
// RFC 4180 records, as spreadsheets and CelesTrak write them: fields
// separated by commas, a field in double quotes may hold commas, line breaks
// and doubled quotes (""). A quote inside an unquoted field is taken as it
// is; after a closing quote only blanks may come before the next comma.
// Spreadsheets set to a language whose decimal mark is a comma separate
// fields with semicolons instead; the separator is the caller's to say.

#include <cstddef>
#include <string>
#include <vector>

#include "list_source.h"

namespace vantorel {

class CsvRecords {
 public:
  // skipComments: lines whose first non-blank character is "#" are no records.
  CsvRecords(ListSource& source, bool skipComments, char separator = ',');

  // The next record's fields; false at the end. Blank lines are skipped. A
  // quote left open at the end of the file is a fault.
  bool next(std::vector<std::string>& fields);

  // The line the record last returned begins on.
  std::size_t line() const { return m_line; }

 private:
  ListSource& m_source;
  bool m_skipComments;
  char m_separator;
  std::string m_text;
  std::size_t m_line = 0;
};

}  // namespace vantorel
