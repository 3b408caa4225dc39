#pragma once
// The installation sheet as a module of its own, which the program loads
// only when a sheet is asked for: the windows then start without loading
// Qt's SVG module or the sheet's painting.
//
// The module exports one C symbol, kSheetWriterSymbol, a function that
// gives writeSheet (sheet_writer.h). Program and module are built together,
// so C++ types may cross between them.

#include <string>

#include "job.h"
#include "sheet_format.h"

namespace vantorel {

using WriteSheetFunction = SheetOutcome (*)(const Job&, Paper, const std::string&);

inline constexpr const char* kSheetWriterSymbol = "vantorel_sheet_writer";

}  // namespace vantorel

extern "C" vantorel::WriteSheetFunction vantorel_sheet_writer();
