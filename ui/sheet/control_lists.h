// Operations on lists of a dialog's controls, by id.
#ifndef MARTENUI_CONTROL_LISTS_H
#define MARTENUI_CONTROL_LISTS_H

#include <windows.h>

#include "platform/dialog_controls.h"

// Enables or disables the control when it exists and is not so already:
// EnableWindow sends the control messages even when nothing changes.
void EnableControl(HWND window, int id, bool enable);

// EnableControl for every listed control.
void EnableControls(HWND window, const int* ids, int count, BOOL enable);

// With `keep` 0, destroys every listed control that exists (controls the
// model or the installed options do not support); otherwise does nothing.
void DestroyControls(HWND window, const int* ids, int count, BOOL keep);

// Shows `value` in the edit control unless its text already reads so: a
// number typed with spaces or letters around it, or brought into range, is
// shown as it is stored.
void ShowNumberAsStored(HWND page, int edit, int value);

template <int N>
void EnableControls(HWND window, const int (&ids)[N], BOOL enable)
{
    EnableControls(window, ids, N, enable);
}

template <int N>
void DestroyControls(HWND window, const int (&ids)[N], BOOL keep)
{
    DestroyControls(window, ids, N, keep);
}

#endif
