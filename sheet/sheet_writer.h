#pragma once
// Writing the installation sheet: one page that draws the pointing the
// command line prints, as PDF (A4 portrait or US Letter), SVG or PNG (150
// dots per inch on the same page). Text stays text in the PDF and the SVG,
// and lines have their printed sizes.
//
// Needs a QGuiApplication, on any platform (the offscreen one will do), for
// its fonts; the header itself needs no Qt.

#include <string>

#include "job.h"
#include "sheet_format.h"

namespace vantorel {

// Draws the job's sheet and writes it to path, in the format its extension
// names (sheetFormatFor). The file is written beside its final name and
// renamed into place only once whole, so a failure leaves no partial file and
// an existing file untouched. Says whether it was written, and where not,
// why (the file name quoted, no "vantorel: " prefix). Never throws.
SheetOutcome writeSheet(const Job& job, Paper paper, const std::string& path);

}  // namespace vantorel
