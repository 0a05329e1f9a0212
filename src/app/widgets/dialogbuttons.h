// The "Ok" / "Cancel" row that closes the program's dialogs.
#pragma once

class QDialog;
class QDialogButtonBox;

// Buttons named "okButton" and "cancelButton", Ok the default, wired to accept and reject; the
// dialog gets the house keyboard rule (DialogSetup).
QDialogButtonBox *okCancelButtons(QDialog *dialog);
