#pragma once
// Two small behaviours the viewer's forms give their text boxes: Enter moves
// the focus on (instead of pressing a default button), and clicking into a
// range box selects the option that the box belongs to.
class QLineEdit;
class QRadioButton;
class QWidget;

namespace kumi::viewer {

// Enter (Return or the keypad's Enter) in `box` moves the focus to `next`.
void moveFocusOnEnter(QLineEdit* box, QWidget* next);

// A mouse press in `box` selects `option` (clearing its group's others).
void selectOptionOnClick(QLineEdit* box, QRadioButton* option);

}  // namespace kumi::viewer
