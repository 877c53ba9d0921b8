// Reaching a dialog's controls by id, cheaply.
//
// Under Wine every GetDlgItem asks the window server for the dialog's
// children, which costs a page more than the messages it then sends; the
// pages look up the same few dozen controls hundreds of times while they
// open. A dialog that calls RememberControlsOf at WM_INITDIALOG gets a block
// of remembered controls of its own, which ForgetControlsOf frees at its
// WM_DESTROY; other dialogs are looked up afresh every time. A remembered
// control is checked before use (still a window, still with its id, still
// the dialog's child). A missing control is remembered as missing for the
// life of the block: dialogs here never gain controls after they are made.
#ifndef MARTENUI_DIALOG_CONTROLS_H
#define MARTENUI_DIALOG_CONTROLS_H

#include <windows.h>

// Gives `dialog` a block of remembered controls; false (and the dialog is
// simply not remembered) without memory or when too many dialogs are open.
bool RememberControlsOf(HWND dialog);

// Frees the dialog's block, if it has one.
void ForgetControlsOf(HWND dialog);

// How many dialogs hold a block now.
int RememberingDialogs();

// GetDlgItem(dialog, id), remembered where the dialog has a block.
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
