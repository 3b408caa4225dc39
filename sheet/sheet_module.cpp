#include "sheet_module.h"

#include "sheet_writer.h"

extern "C" __attribute__((visibility("default"))) vantorel::WriteSheetFunction vantorel_sheet_writer() {
  return &vantorel::writeSheet;
}
