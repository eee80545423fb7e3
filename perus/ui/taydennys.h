#pragma once
// Completion of an editable combo box from its own items as the user types, shared by the borrower of the
// lending dialog and the tape length. The filter belongs on the box itself: the box has the focus and
// hands keys to its line edit directly, past any filter installed there.
class QComboBox;
class QKeyEvent;

// One key press: the text as it will be after the key (Backspace deletes the selection, or the character
// before the caret) is compared, ASCII case ignored, with the start of each item; the first match fills
// the box with the caret after the typed part and the rest selected. An emptied text empties the box.
// True when the key was used up; false leaves it to the box.
bool taydenna_kirjoitettaessa(QComboBox* c, const QKeyEvent* e);
