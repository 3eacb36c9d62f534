#pragma once
// Message boxes, the one way every program of kumi reports to the user.
//
// Texts are UTF-8. With KUMI_MSGBOX_LOG set nothing is shown: one line
// "caption<TAB>text" is appended to that file and the answer comes from
// KUMI_MSGBOX_ANSWER (ok, yes, no, cancel), else the default button. Tests
// check every expected message through that file. Programs with a Qt
// application install a presenter that shows a real dialog; without one the
// box goes to standard error and the default button answers.
#include <string>
#include <string_view>

namespace kumi::platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No };

MsgAnswer messageBox(std::string_view text, std::string_view caption,
                     MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None);

// The answer a box gives when nobody chooses: the first button.
MsgAnswer defaultAnswer(MsgButtons buttons);

using MessageBoxPresenter = MsgAnswer (*)(std::string_view text, std::string_view caption,
                                          MsgButtons buttons, MsgIcon icon);
// Installs the interactive form (nullptr restores the console form).
void setMessageBoxPresenter(MessageBoxPresenter presenter);

// The log line for one box: CR and LF inside the text become "\r" and "\n".
std::string messageLogLine(std::string_view caption, std::string_view text);

}  // namespace kumi::platform
