#include "sheet/control_lists.h"
#include "platform/dialog_controls.h"

void EnableControl(HWND window, int id, bool enable)
{
    HWND control = DialogControl(window, id);
    if (control && (IsWindowEnabled(control) != FALSE) != enable)
        EnableWindow(control, enable);
}

void EnableControls(HWND window, const int* ids, int count, BOOL enable)
{
    for (int i = 0; ids && i < count; ++i)
        EnableControl(window, ids[i], enable != FALSE);
}

void DestroyControls(HWND window, const int* ids, int count, BOOL keep)
{
    if (keep)
        return;
    for (int i = 0; ids && i < count; ++i) {
        if (HWND control = DialogControl(window, ids[i]))
            DestroyWindow(control);
    }
}

void ShowNumberAsStored(HWND page, int edit, int value)
{
    WCHAR shown[16] = L"";
    GetDlgItemTextW(page, edit, shown, 16);
    WCHAR stored[16] = L"";   // "-2147483648" and its terminator fit
    wsprintfW(stored, L"%d", value);
    if (lstrcmpW(stored, shown) != 0)
        SetDlgItemInt(page, edit, static_cast<UINT>(value), value < 0);
}
