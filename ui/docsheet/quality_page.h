// The Quality page: resolution, smoothing, toner save and text colour.
#ifndef MARTENUI_QUALITY_PAGE_H
#define MARTENUI_QUALITY_PAGE_H

#include <windows.h>

INT_PTR CALLBACK QualityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
