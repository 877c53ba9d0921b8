// What a test reads off a live window: its class, caption and style.
#ifndef MARTENUI_TESTS_WINDOW_FACTS_H
#define MARTENUI_TESTS_WINDOW_FACTS_H

#include <windows.h>

#include <string>

inline std::wstring ClassOf(HWND window)
{
    WCHAR name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

inline std::wstring TextOf(HWND window)
{
    WCHAR text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

inline DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

#endif
