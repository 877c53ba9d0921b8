// The User Size dialog: width and height of the user-defined paper, typed in
// 0.01 inch or 0.1 mm, kept inside the paper limits and stored in the
// settings of the page's sheet.
#ifndef MARTENUI_USER_SIZE_DIALOG_H
#define MARTENUI_USER_SIZE_DIALOG_H

#include <windows.h>
#include <stdint.h>

// The limits of the user-defined paper, 0.1 mm.
constexpr int16_t kUserPaperMinWidth = 1000;
constexpr int16_t kUserPaperMaxWidth = 2970;
constexpr int16_t kUserPaperMinLength = 1480;
constexpr int16_t kUserPaperMaxLength = 4200;

// Runs the dialog modally over `pageWindow` for the settings of its sheet;
// does nothing for a window without a sheet state or settings. The values
// are stored at OK and at every click on a unit (Cancel undoes nothing).
void OpenUserSizeDialog(HWND pageWindow);

#endif
