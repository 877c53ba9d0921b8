#include "sheet/page_skeleton.h"

#include <commctrl.h>
#include <prsht.h>

#include "platform/dialog_controls.h"
#include "sheet/about_dialog.h"
#include "sheet/page_help.h"
#include "../resources/resource_ids.h"

namespace {

bool IsValid(HWND page, SheetState* state, const PageHandlers& handlers)
{
    return !handlers.validate || handlers.validate(page, state);
}

INT_PTR Initialize(HWND page, LPARAM lParam, const PageHandlers& handlers)
{
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    auto* state = sheetPage ? reinterpret_cast<SheetState*>(sheetPage->lParam) : nullptr;
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    RememberControlsOf(page);
    if (HWND* field = PageWindowField(state, handlers.pageIndex))
        *field = page;
    if (state && handlers.initialize)
        handlers.initialize(page, state);
    return TRUE;
}

// False when the page could not save: the sheet must not report success.
bool Apply(HWND page, SheetState* state, const PageHandlers& handlers)
{
    // A page whose dialog is gone (or never was) writes nothing.
    HWND* field = PageWindowField(state, handlers.pageIndex);
    if (!field || !*field)
        return true;
    if (handlers.apply && !handlers.apply(page, state))
        return false;
    if (state->comPropSheet)
        state->comPropSheet(state->comPropSheetHandle, CPSFUNC_SET_RESULT,
                            reinterpret_cast<LPARAM>(ResultPageHandle(state, handlers.pageIndex)), CPSUI_OK);
    return true;
}

INT_PTR Notify(HWND page, SheetState* state, WPARAM wParam, LPARAM lParam, const PageHandlers& handlers)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header ? header->code : 0) {
    case PSN_SETACTIVE:
        if (handlers.activate)
            handlers.activate(page, state);
        return AnswerNotification(page, 0);
    case PSN_KILLACTIVE:
        return AnswerNotification(page, IsValid(page, state, handlers) ? FALSE : TRUE);
    case PSN_APPLY:
        if (!IsValid(page, state, handlers))
            return AnswerNotification(page, PSNRET_INVALID);
        return AnswerNotification(page, Apply(page, state, handlers) ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
    case PSN_HELP:
        ShowPageHelp(page, handlers.pageIndex, nullptr);
        return AnswerNotification(page, 0);
    default:
        return handlers.other ? handlers.other(page, state, WM_NOTIFY, wParam, lParam) : 0;
    }
}

void Destroy(HWND page, SheetState* state, const PageHandlers& handlers)
{
    if (handlers.destroy)
        handlers.destroy(page, state);
    CloseHelp(page);
    if (HWND* field = PageWindowField(state, handlers.pageIndex))
        *field = nullptr;
    ForgetControlsOf(page);
}

}  // namespace

INT_PTR AnswerNotification(HWND page, LONG_PTR result)
{
    SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR RunPageSkeleton(HWND page, UINT message, WPARAM wParam, LPARAM lParam, const PageHandlers& handlers)
{
    if (message == WM_INITDIALOG)
        return Initialize(page, lParam, handlers);
    SheetState* state = PageSheetState(page);
    if (!state)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_BUTTON)
            ShowAboutDialog(page);
        else if (handlers.command)
            handlers.command(page, state, LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    case WM_NOTIFY:
        return Notify(page, state, wParam, lParam, handlers);
    case WM_HELP:
        return ShowPageHelp(page, handlers.pageIndex, reinterpret_cast<const HELPINFO*>(lParam));
    case WM_DESTROY:
        Destroy(page, state, handlers);
        return FALSE;
    default:
        return handlers.other ? handlers.other(page, state, message, wParam, lParam) : FALSE;
    }
}
