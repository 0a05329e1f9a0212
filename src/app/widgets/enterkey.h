// Enter in a dialog presses its default button, except in a field with an Enter action of its
// own (adding the extension typed, opening the folder typed or chosen, adding the chosen files):
// there Enter does that action only and the dialog stays open.
#pragma once

class QWidget;

// Enter and the keypad's Enter keep working in `field` as it handles them, and go no further.
void keepEnterInField(QWidget *field);
