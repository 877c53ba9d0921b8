// Help for the property pages: F1 and "?" on a control, and the sheet's
// Help button, through WinHelpW with the driver's help file.
#ifndef MARTENUI_PAGE_HELP_H
#define MARTENUI_PAGE_HELP_H

#include <windows.h>

// A page's help: its context for HELP_CONTEXT, and its pairs of control id
// and context id for HELP_WM_HELP, ended by (0, 0).
struct HelpMap {
    DWORD context;
    const DWORD* pairs;
};

// The help of page `pageIndex` (kPagePaperLayout .. kPageFontSubstitution),
// or null.
const HelpMap* PageHelpMap(int pageIndex);

// WM_HELP (`helpInfo` given) or the sheet's Help button (`helpInfo` null) on
// a page whose user slot holds its SheetState. Returns 1.
INT_PTR ShowPageHelp(HWND page, int pageIndex, const HELPINFO* helpInfo);

// Closes the help file's window, if any; every page calls it at WM_DESTROY.
// The WinHelpW result.
BOOL CloseHelp(HWND page);

#endif
