#include "entry/printer_access.h"

BOOL ConvertDevMode(const WCHAR* /*printerName*/, const DEVMODEW* /*input*/, DEVMODEW* /*output*/, LONG* /*size*/,
                    DWORD /*mode*/)
{
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}
