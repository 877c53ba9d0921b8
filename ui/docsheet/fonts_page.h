// The Fonts page: printer fonts by substitution, or TrueType fonts always.
#ifndef MARTENUI_FONTS_PAGE_H
#define MARTENUI_FONTS_PAGE_H

#include <windows.h>

INT_PTR CALLBACK FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
