#include "preferences_sheet.h"

#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <cwctype>
#include <thread>

#include "window_picture.h"

namespace {

// Waits are guards against a sheet that never comes, not measures.
constexpr DWORD kGuardMs = 30000;
constexpr DWORD kPollMs = 50;
constexpr DWORD kPaintMs = 600;
constexpr int kAboutButton = 1705;

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

}  // namespace

void PictureSheetPages(DWORD sheetThread, const std::wstring& folder, const std::wstring& stem, bool about,
                      SheetPictureRun* run)
{
    HWND sheet = WaitForDialog(sheetThread, nullptr);
    if (!sheet)
        return;
    run->sheetSeen = true;
    SetWindowPos(sheet, HWND_TOP, 16, 16, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        SendMessageW(sheet, PSM_SETCURSEL, index, 0);
        const std::wstring title = TabTitle(sheet, index);
        run->pages.push_back(title);
        SavePicture(sheet, folder + L"\\" + stem + L"-" + FileNamePartOfTitle(title) + L".bmp", run);
    }
    if (about) {
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        PostMessageW(GetDlgItem(page, kAboutButton), BM_CLICK, 0, 0);
        if (HWND dialog = WaitForDialog(sheetThread, sheet)) {
            SavePicture(dialog, folder + L"\\" + stem + L"-about.bmp", run);
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            for (DWORD waited = 0; IsWindow(dialog) && waited < kGuardMs; waited += kPollMs)
                Sleep(kPollMs);
        }
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
                                     bool about)
{
    SheetPictureRun run;
    std::thread pictures;
    if (!interactive)
        pictures = std::thread(PictureSheetPages, GetCurrentThreadId(), folder, stem, about, &run);
    run.result = DocumentPropertiesW(nullptr, printer, const_cast<WCHAR*>(printerName.c_str()), settings, settings,
                                     DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    if (pictures.joinable())
        pictures.join();
    return run;
}
