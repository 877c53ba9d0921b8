// The Font Substitution page: which printer font stands in for each TrueType face.
#ifndef MARTENUI_FONT_SUBSTITUTION_PAGE_H
#define MARTENUI_FONT_SUBSTITUTION_PAGE_H

#include <windows.h>

INT_PTR CALLBACK FontSubstitutionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
