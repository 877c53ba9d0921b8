#include "platform/dialog_controls.h"

#include <stdint.h>

namespace {

// Enough for every control of the largest sheet's pages; a collision only
// costs a fresh lookup.
constexpr int kRememberedControls = 256;

struct RememberedControl {
    HWND dialog;
    int id;
    HWND control;   // null: the dialog has no such control
};

// Per thread: a sheet's pages all run on the thread that shows it, and no
// lock is needed.
thread_local RememberedControl remembered[kRememberedControls];

RememberedControl& SlotOf(HWND dialog, int id)
{
    const auto key = reinterpret_cast<uintptr_t>(dialog) * 31u + static_cast<unsigned>(id);
    return remembered[key % kRememberedControls];
}

// A control found is checked to be still there. A control not found stays
// missing while the dialog lives: controls are only ever removed.
bool StillValid(const RememberedControl& slot, HWND dialog, int id)
{
    if (slot.dialog != dialog || slot.id != id || !IsWindow(dialog))
        return false;
    return !slot.control || (IsWindow(slot.control) && GetWindowLongPtrW(slot.control, GWLP_ID) == id);
}

}  // namespace

HWND DialogControl(HWND dialog, int id)
{
    if (!dialog)
        return nullptr;
    RememberedControl& slot = SlotOf(dialog, id);
    if (StillValid(slot, dialog, id))
        return slot.control;
    HWND control = GetDlgItem(dialog, id);
    slot = {dialog, id, control};
    return control;
}

LRESULT SendControlMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = DialogControl(dialog, id);
    return control ? SendMessageW(control, message, wParam, lParam) : 0;
}

bool Checked(HWND dialog, int id)
{
    return SendControlMessage(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked)
{
    SendControlMessage(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckRadio(HWND dialog, int first, int last, int checked)
{
    for (int id = first; id <= last; ++id)
        SendControlMessage(dialog, id, BM_SETCHECK, id == checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
