#pragma once
// ViewerState: the viewer's one set of process-wide values, filled at
// start-up and changed by the print-output panel and the preview.
//
// Every text is UTF-8; settings values are converted from CP932 when read.
// Directory values keep the stored shape (ending with their separator) and
// become native paths only when a file is opened. One instance lives in the
// program's main(); the windows and controllers borrow it.
#include <cstdint>
#include <string>

namespace kumi::viewer {

struct ViewerState {
  std::string dataDir;       // WINPRM.cfg record 1: the page metafiles' directory
  std::string programDir;    // WINPRM.cfg record 5: the programs and winpage.cfg
  std::string firstPage;     // winpage.cfg line 1, a four-character field
  std::string lastPage;      // winpage.cfg line 2, a four-character field
  std::string rangeStart;    // four-character field: first page of the chosen range
  std::string rangeEnd;      // four-character field: last page of the chosen range
  int32_t currentPage = 0;   // the page the preview shows
  int32_t rangeEndNumber = 0;
  int16_t directPrintChoice = 0;  // 1 when the last start printed directly
  int16_t stopRequested = 0;
  std::string currentFile;   // "0003.emf"; for the copy window a full path
  std::string lastCommand;   // the command line last started, a failure's caption
};

}  // namespace kumi::viewer
