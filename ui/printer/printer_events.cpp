#include "printer/printer_events.h"

BOOL HandlePrinterEvent(const WCHAR* /*printerName*/, int /*event*/)
{
    return TRUE;
}
