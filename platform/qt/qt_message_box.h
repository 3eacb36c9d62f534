#pragma once
// Message boxes as real dialogs, for every program that runs a Qt application.
//
// installQtMessageBoxPresenter() hands message_box.h a presenter that shows a
// modal QMessageBox with the caption as its title. KUMI_MSGBOX_LOG still
// takes precedence, so tests of a windowed program see the same log lines.
#include <string_view>

#include "platform/base/message_box.h"

namespace kumi::platform {

void installQtMessageBoxPresenter();

// The dialog itself; without a QApplication, or away from its thread, it
// answers as the console form does (the text on standard error, the default
// button).
MsgAnswer presentQtMessageBox(std::string_view text, std::string_view caption,
                              MsgButtons buttons, MsgIcon icon);

}  // namespace kumi::platform
