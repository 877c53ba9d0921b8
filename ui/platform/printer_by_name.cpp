#include "platform/printer_by_name.h"

#include <winspool.h>

PrinterForCall::PrinterForCall(HANDLE given, const WCHAR* name) : given_(given)
{
    if (!given_)
        opened_.reset(OpenPrinterForReading(name));
}
