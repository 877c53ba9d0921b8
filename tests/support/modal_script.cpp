#include "support/modal_script.h"

#include <commctrl.h>

ModalScript::ModalScript(HWND window, std::function<void(HWND dialog)> script)
    : owner_(GetAncestor(window, GA_ROOT)), script_(std::move(script))
{
    SetWindowSubclass(owner_, Watch, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
}

ModalScript::~ModalScript()
{
    RemoveWindowSubclass(owner_, Watch, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK ModalScript::Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                    DWORD_PTR self)
{
    auto* watcher = reinterpret_cast<ModalScript*>(self);
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && lParam && watcher->runs_ == 0) {
        ++watcher->runs_;
        watcher->script_(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void ClickButton(HWND dialog, int control)
{
    SendMessageW(GetDlgItem(dialog, control), BM_CLICK, 0, 0);
}
