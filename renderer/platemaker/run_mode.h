#pragma once
// The run mode: the first character of platemaker's argument text.
//
//   none  nothing is converted, the program ends at once
//   '2'   batch: no window, no question, no viewer (runs without a display)
//   '1'   the viewer starts without asking
//   other (the workbench passes 'G') ask whether to print, unless printing
//         directly
#include <string>

namespace kumi::renderer {

// The argument text: the arguments after the program name joined by blanks,
// less the blanks that lead it.
std::string argumentText(int argc, const char* const* argv);

// The run mode of an argument text; '\0' when it is empty.
char runModeOf(const std::string& argumentText);

inline constexpr char kBatchMode = '2';
inline constexpr char kViewerMode = '1';

}  // namespace kumi::renderer
