#include "platform/dialog_controls.h"

#include "platform/holders.h"
#include "platform/library_lock.h"

namespace {

// Enough for every control of the largest page; a collision only costs a
// fresh lookup.
constexpr int kRememberedControls = 256;

struct RememberedControl {
    int id;          // 0: the slot is empty
    HWND control;    // null: the dialog has no such control
};

// One dialog's remembered controls, owned by the dialog from RememberControlsOf
// to ForgetControlsOf.
struct ControlBlock {
    RememberedControl slots[kRememberedControls];
};

// The dialogs that have a block: each sheet's pages and its modal dialogs,
// on however many threads show sheets at once.
constexpr int kRememberingDialogs = 64;

struct Remembering {
    HWND dialog;
    ControlBlock* block;
};

LibraryLock registryLock;
Remembering registry[kRememberingDialogs];

// The block of `dialog`, or null. A block is used only on its dialog's
// thread, where it is also freed, so it stays valid after the lock.
ControlBlock* BlockOf(HWND dialog)
{
    LibraryLockHolder lock(registryLock, LibraryLockHolder::kShared);
    for (const Remembering& entry : registry) {
        if (entry.dialog == dialog)
            return entry.block;
    }
    return nullptr;
}

// A control found is checked to be still there and still the dialog's.
bool StillValid(const RememberedControl& slot, HWND dialog, int id)
{
    if (!slot.control)
        return true;
    return IsWindow(slot.control) && GetWindowLongPtrW(slot.control, GWLP_ID) == id &&
           GetParent(slot.control) == dialog;
}

}  // namespace

bool RememberControlsOf(HWND dialog)
{
    if (!dialog || BlockOf(dialog))
        return dialog != nullptr;
    HeapBlock block(sizeof(ControlBlock));
    if (!block)
        return false;
    {
        LibraryLockHolder lock(registryLock);
        for (Remembering& entry : registry) {
            if (!entry.dialog) {
                entry = {dialog, block.as<ControlBlock>()};
                block.release();
                return true;
            }
        }
    }
    return false;   // the block is freed here, outside the lock
}

void ForgetControlsOf(HWND dialog)
{
    if (!dialog)
        return;
    ControlBlock* block = nullptr;
    {
        LibraryLockHolder lock(registryLock);
        for (Remembering& entry : registry) {
            if (entry.dialog == dialog) {
                block = entry.block;
                entry = {};
                break;
            }
        }
    }
    HeapBlock freed(block, sizeof(ControlBlock));
}

int RememberingDialogs()
{
    LibraryLockHolder lock(registryLock, LibraryLockHolder::kShared);
    int count = 0;
    for (const Remembering& entry : registry)
        count += entry.dialog != nullptr;
    return count;
}

HWND DialogControl(HWND dialog, int id)
{
    if (!dialog)
        return nullptr;
    ControlBlock* block = BlockOf(dialog);
    if (!block || id == 0)
        return GetDlgItem(dialog, id);
    RememberedControl& slot = block->slots[static_cast<unsigned>(id) % kRememberedControls];
    if (slot.id == id && StillValid(slot, dialog, id))
        return slot.control;
    HWND control = GetDlgItem(dialog, id);
    slot = {id, control};
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
