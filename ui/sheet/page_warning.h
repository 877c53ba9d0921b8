// Telling the user, on a page, what the page could not read or save: a
// message box with the caption "Warning", the page's text, and the
// platform's reason for the failure.
#ifndef MARTENUI_PAGE_WARNING_H
#define MARTENUI_PAGE_WARNING_H

#include <windows.h>

// Shows text `textId` of the resource library, then a blank line and the
// platform's text for `error` (its number when the platform has none).
void TellFailure(HWND page, UINT textId, DWORD error);

// TellFailure once per sheet: nothing when `error` is 0 or `told` is set;
// sets `told`.
void TellFailureOnce(HWND page, UINT textId, DWORD error, bool* told);

#endif
