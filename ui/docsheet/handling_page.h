// The Handling page: sorter, rotation, duplex, stapling, output tray and security print.
#ifndef MARTENUI_HANDLING_PAGE_H
#define MARTENUI_HANDLING_PAGE_H

#include <windows.h>

INT_PTR CALLBACK HandlingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
