// Reaching a dialog's controls by id, cheaply.
//
// Under Wine every GetDlgItem asks the window server for the dialog's
// children, which costs a page more than the messages it then sends; the
// pages look up the same few dozen controls hundreds of times while they
// open. A remembered control is checked before use (still a window, still
// with its id), so a destroyed control or page is looked up afresh. A
// missing control is remembered as missing while its dialog lives: dialogs
// here never gain controls after they are made.
#ifndef MARTENUI_DIALOG_CONTROLS_H
#define MARTENUI_DIALOG_CONTROLS_H

#include <windows.h>

// GetDlgItem(dialog, id), remembered.
HWND DialogControl(HWND dialog, int id);

// SendDlgItemMessageW through DialogControl: 0 when there is no such control.
LRESULT SendControlMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);

// Whether a check box or radio button of the dialog is checked.
bool Checked(HWND dialog, int id);

// Checks or clears a check box or radio button.
void SetChecked(HWND dialog, int id, bool checked);

// Checks the control `checked` and clears the others whose ids lie in
// first..last, as CheckRadioButton does, but by id: CheckRadioButton asks
// for the children of every control of the dialog.
void CheckRadio(HWND dialog, int first, int last, int checked);

#endif
