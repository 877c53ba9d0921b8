#include "sheet/control_lists.h"

void EnableControls(HWND window, const int* ids, int count, BOOL enable)
{
    for (int i = 0; ids && i < count; ++i) {
        if (HWND control = GetDlgItem(window, ids[i]))
            EnableWindow(control, enable);
    }
}

void DestroyControls(HWND window, const int* ids, int count, BOOL keep)
{
    if (keep)
        return;
    for (int i = 0; ids && i < count; ++i) {
        if (HWND control = GetDlgItem(window, ids[i]))
            DestroyWindow(control);
    }
}

bool Checked(HWND window, int control)
{
    return IsDlgButtonChecked(window, control) == BST_CHECKED;
}
