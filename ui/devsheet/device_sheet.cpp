#include "devsheet/device_sheet.h"

LONG DevicePropertySheets(PROPSHEETUI_INFO* /*info*/, LPARAM /*param*/)
{
    return -1;
}
