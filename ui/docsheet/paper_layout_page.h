// The Paper/Layout page: paper, source, orientation, copies, zoom and N in 1.
#ifndef MARTENUI_PAPER_LAYOUT_PAGE_H
#define MARTENUI_PAPER_LAYOUT_PAGE_H

#include <windows.h>

INT_PTR CALLBACK PaperLayoutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
