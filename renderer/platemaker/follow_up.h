#pragma once
// What platemaker does after a run: the print program, the question and the
// viewer. Both programs are started from ProgramDir in the current directory.
#include <string>
#include <string_view>

#include "renderer/platemaker/conversion.h"

namespace kumi::renderer {

enum class FollowUp { Nothing, StartViewer, AskThenViewer };

// Nothing after a printer error or in batch mode; the viewer straight away
// in mode '1'; otherwise the question when DirectPrint is '0'.
FollowUp followUpFor(char runMode, const ConversionResult& result);

// The question after a run of `pageCount` page openings.
std::string printQuestion(int pageCount);

// Carries out the follow-up: asks (caption "編集ページ", Yes and No) and starts
// leafview with "G" when it should.
void runFollowUp(char runMode, const ConversionResult& result);

// Starts ProgramDir + "leafview.exe" with "G" and does not wait. A viewer
// that cannot start is reported with the system's description under the
// program's path.
bool startViewer(std::string_view programDir);

// Starts ProgramDir + "sheetpress.exe" with the first page, the last page and
// "PR", and waits in steps of 3600 ms until it has ended. A print program
// that cannot start is reported the same way and not waited for.
bool runPrintProgram(std::string_view programDir, std::string_view firstPage,
                     std::string_view lastPage);

}  // namespace kumi::renderer
