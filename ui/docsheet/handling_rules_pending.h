// Stand-ins for the Handling page's rotation refresh and duplex check until
// that page provides them.
#ifndef MARTENUI_HANDLING_RULES_PENDING_H
#define MARTENUI_HANDLING_RULES_PENDING_H

#include <windows.h>

#include "docsheet/sheet_state.h"

void RefreshRotate(HWND handlingWindow, SheetState* state, int mode);
int CheckDuplexPaper(HWND window, int focusControl);

#endif
