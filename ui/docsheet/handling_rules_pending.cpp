#include "docsheet/handling_rules_pending.h"

void RefreshRotate(HWND, SheetState*, int) {}

int CheckDuplexPaper(HWND, int)
{
    return 0;
}
