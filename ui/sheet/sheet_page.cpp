#include "sheet/sheet_page.h"

#include <prsht.h>

#include "platform/holders.h"
#include "platform/resource_library.h"

namespace {

constexpr int kTitleChars = 64;

}  // namespace

HANDLE AddSheetPage(const PROPSHEETUI_INFO& info, const PageTableEntry& row, SheetState* state)
{
    WCHAR text[kTitleChars + 1];
    const int length = LoadResourceString(row.titleId, text, kTitleChars + 1);
    HeapBlock title((length + 1) * sizeof(WCHAR));
    if (title)
        CopyMemory(title.get(), text, (length + 1) * sizeof(WCHAR));

    PROPSHEETPAGEW page = {};
    page.dwSize = PROPSHEETPAGEW_V2_SIZE;
    page.dwFlags = PSP_USETITLE | PSP_HASHELP;
    page.hInstance = ResourceLibrary();
    page.pszTemplate = MAKEINTRESOURCEW(row.templateId);
    page.pszTitle = title ? title.as<WCHAR>() : L"";
    page.pfnDlgProc = row.procedure;
    page.lParam = reinterpret_cast<LPARAM>(state);
    // The callback keeps its own copy of the page and its title.
    return reinterpret_cast<HANDLE>(
        info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page), 0));
}
