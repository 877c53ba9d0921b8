#include "preferences_sheet.h"

#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <cwctype>
#include <thread>

#include "resources/resource_ids.h"
#include "window_picture.h"

namespace {

// Waits are guards against a sheet that never comes, not measures.
constexpr DWORD kGuardMs = 30000;
constexpr DWORD kPollMs = 50;
constexpr DWORD kPaintMs = 600;

struct Search {
    HWND found = nullptr;
    HWND owner = nullptr;   // null: the sheet itself
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    WCHAR name[32] = L"";
    GetClassNameW(window, name, 32);
    if (!IsWindowVisible(window) || lstrcmpW(name, L"#32770") != 0)
        return TRUE;
    const bool isSheet = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) != nullptr;
    if (search->owner ? GetWindow(window, GW_OWNER) == search->owner && !isSheet : isSheet) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog(DWORD thread, HWND owner)
{
    for (DWORD waited = 0; waited < kGuardMs; waited += kPollMs) {
        Search search;
        search.owner = owner;
        EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(kPollMs);
    }
    return nullptr;
}

std::wstring TabTitle(HWND sheet, int index)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    // The tab control belongs to the sheet's thread: its text comes back in a
    // buffer of this process, which is all the control needs.
    WCHAR text[128] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

void SavePicture(HWND window, const std::wstring& path, SheetPictureRun* run)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(kPaintMs);
    if (SaveWindowPicture(window, path))
        run->files.push_back(path);
}

// Saves the dialog that the sheet opens once `opening` reaches `target`,
// then cancels it and waits until it has gone. The message is sent without
// waiting for the answer, which comes only when the modal dialog closes,
// and without the sheet's queue, whose dialog handling would take a key
// for its own.
void PictureOwnedDialog(DWORD sheetThread, HWND sheet, HWND target, UINT opening, WPARAM wParam,
                        const std::wstring& path, SheetPictureRun* run)
{
    SendNotifyMessageW(target, opening, wParam, 0);
    HWND dialog = WaitForDialog(sheetThread, sheet);
    if (!dialog)
        return;
    SavePicture(dialog, path, run);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    for (DWORD waited = 0; IsWindow(dialog) && waited < kGuardMs; waited += kPollMs)
        Sleep(kPollMs);
}

// The index of the "User" paper in the Paper/Layout page's list, or -1.
int UserPaperItem(HWND list)
{
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        WCHAR name[32] = L"";
        LVITEMW text = {};
        text.pszText = name;
        text.cchTextMax = 32;
        SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&text));
        if (lstrcmpW(name, L"User") == 0)
            return item;
    }
    return -1;
}

// Opens User Size as the user does: selects "User" in the paper list and
// activates it with Enter.
void PictureUserSize(DWORD sheetThread, HWND sheet, int layoutIndex, const std::wstring& path, SheetPictureRun* run)
{
    SendMessageW(sheet, PSM_SETCURSEL, layoutIndex, 0);
    HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND list = GetDlgItem(page, IDC_LAYOUT_PAPER_LIST);
    const int item = UserPaperItem(list);
    run->userPaperOffered = item >= 0;
    if (item < 0)
        return;
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    PictureOwnedDialog(sheetThread, sheet, list, WM_KEYDOWN, VK_RETURN, path, run);
}

}  // namespace

void PictureSheetPages(DWORD sheetThread, const std::wstring& folder, const std::wstring& stem, unsigned extras,
                       SheetPictureRun* run)
{
    HWND sheet = WaitForDialog(sheetThread, nullptr);
    if (!sheet)
        return;
    run->sheetSeen = true;
    SetWindowPos(sheet, HWND_TOP, 16, 16, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    int layoutIndex = -1;
    for (int index = 0; index < count; ++index) {
        SendMessageW(sheet, PSM_SETCURSEL, index, 0);
        const std::wstring title = TabTitle(sheet, index);
        run->pages.push_back(title);
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (layoutIndex < 0 && GetDlgItem(page, IDC_LAYOUT_PAPER_LIST)) {
            layoutIndex = index;
            WCHAR text[128] = L"";
            GetDlgItemTextW(page, IDC_LAYOUT_PAPER_TEXT, text, 128);
            run->paperText = text;
        }
        SavePicture(sheet, folder + L"\\" + stem + L"-" + FileNamePartOfTitle(title) + L".bmp", run);
    }
    if ((extras & kPictureUserSize) && layoutIndex >= 0)
        PictureUserSize(sheetThread, sheet, layoutIndex, folder + L"\\" + stem + L"-user-size.bmp", run);
    if (extras & kPictureAbout) {
        // About sits on the last page.
        SendMessageW(sheet, PSM_SETCURSEL, count - 1, 0);
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (HWND button = GetDlgItem(page, IDC_ABOUT_BUTTON))
            PictureOwnedDialog(sheetThread, sheet, button, BM_CLICK, 0, folder + L"\\" + stem + L"-about.bmp", run);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

std::wstring FileNamePartOfTitle(const std::wstring& title)
{
    std::wstring part;
    for (wchar_t c : title) {
        if (iswalnum(c))
            part += static_cast<wchar_t>(towlower(c));
        else if (!part.empty() && part.back() != L'-')
            part += L'-';
    }
    while (!part.empty() && part.back() == L'-')
        part.pop_back();
    return part;
}

SheetPictureRun OpenPreferencesSheet(HANDLE printer, const std::wstring& printerName, DEVMODEW* settings,
                                     bool interactive, const std::wstring& folder, const std::wstring& stem,
                                     unsigned extras)
{
    SheetPictureRun run;
    std::thread pictures;
    if (!interactive)
        pictures = std::thread(PictureSheetPages, GetCurrentThreadId(), folder, stem, extras, &run);
    run.result = DocumentPropertiesW(nullptr, printer, const_cast<WCHAR*>(printerName.c_str()), settings, settings,
                                     DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    if (pictures.joinable())
        pictures.join();
    return run;
}
