// A window as it appears on the screen, saved as a picture.
#ifndef MARTENUI_TOOLS_WINDOW_PICTURE_H
#define MARTENUI_TOOLS_WINDOW_PICTURE_H

#include <windows.h>

#include <string>

// Copies the window's screen area into a 24-bit bitmap file; false when the
// file cannot be written.
bool SaveWindowPicture(HWND window, const std::wstring& path);

#endif
