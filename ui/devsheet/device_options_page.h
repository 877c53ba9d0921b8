// The Device Options page: the printer's installed options.
#ifndef MARTENUI_DEVICE_OPTIONS_PAGE_H
#define MARTENUI_DEVICE_OPTIONS_PAGE_H

#include <windows.h>

INT_PTR CALLBACK DeviceOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
