#include "viewer/logic/print_range.h"

#include "platform/base/message_box.h"
#include "viewer/logic/output_panel.h"
#include "viewer/logic/page_names.h"

namespace kumi::viewer {

PrintRangeFields PrintRangeForm::load(bool panelAllPages) const {
  return {panelAllPages, decimalText(state_.currentPage), decimalText(state_.rangeEndNumber)};
}

PrintRangeFields PrintRangeForm::chooseAll(PrintRangeFields fields) const {
  fields.from = state_.firstPage;
  fields.to = state_.lastPage;
  return fields;
}

PrintRangeFields PrintRangeForm::start(PrintRangeFields fields) {
  if (fields.allPages) {
    fields = chooseAll(fields);
    state_.rangeStart = state_.firstPage;
    state_.rangeEnd = state_.lastPage;
  } else {
    state_.rangeStart = fourCharField(fields.from);
    state_.rangeEnd = fourCharField(fields.to);
  }
  state_.directPrintChoice = 1;
  state_.rangeStart = formatPageName(leadingNumber(state_.rangeStart));
  state_.rangeEnd = formatPageName(leadingNumber(state_.rangeEnd));
  std::string error;
  if (!startPrintJob(state_, launcher_, error)) platform::messageBox(error, state_.lastCommand);
  return fields;
}

}  // namespace kumi::viewer
