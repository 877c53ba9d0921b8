// A printer's Printing Preferences, opened as an application opens them:
// DocumentPropertiesW with DM_IN_PROMPT, which the platform turns into the
// common property sheet that calls the driver's DrvDocumentPropertySheets.
#ifndef MARTENUI_TOOLS_PREFERENCES_SHEET_H
#define MARTENUI_TOOLS_PREFERENCES_SHEET_H

#include <windows.h>

#include <string>
#include <vector>

struct SheetPictureRun {
    LONG result = 0;                   // DocumentPropertiesW's answer
    std::vector<std::wstring> pages;   // the page titles, in order
    std::vector<std::wstring> files;   // the pictures written
    bool sheetSeen = false;
    std::wstring paperText;            // the Paper/Layout page's paper text, as shown
    bool userPaperOffered = false;     // its paper list holds "User"
};

// The dialogs pictured besides the pages.
enum SheetPictureExtra : unsigned {
    kPictureAbout = 1,      // About, from the button of the last page
    kPictureUserSize = 2,   // User Size, as the Paper/Layout page opens it
};

// Opens the sheet over `settings` (merged in and written back). Unless
// `interactive`, a second thread waits for the sheet, shows each page in
// turn, saves it as "<folder>\<stem>-<page title>.bmp" (then the dialogs
// of `extras`: "<stem>-user-size.bmp", "<stem>-about.bmp"), and then
// presses OK. `interactive` leaves the sheet to the user.
SheetPictureRun OpenPreferencesSheet(HANDLE printer, const std::wstring& printerName, DEVMODEW* settings,
                                     bool interactive, const std::wstring& folder, const std::wstring& stem,
                                     unsigned extras);

// What the picture thread does with the sheet that thread `sheetThread`
// opens: waits for it, saves each page and the dialogs of `extras` (a set
// of SheetPictureExtra) as said above, then presses OK. Runs on a thread
// of its own.
void PictureSheetPages(DWORD sheetThread, const std::wstring& folder, const std::wstring& stem, unsigned extras,
                       SheetPictureRun* run);

// A page title as a file-name part: lower case, letters and digits, the rest
// one dash ("Paper/Layout" gives "paper-layout").
std::wstring FileNamePartOfTitle(const std::wstring& title);

#endif
