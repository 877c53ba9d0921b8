#include "entry/printer_by_name.h"

#include <winspool.h>

HANDLE OpenPrinterForReading(const WCHAR* printerName)
{
    if (!printerName || !printerName[0])
        return nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<WCHAR*>(printerName), &printer, &defaults))
        return nullptr;
    return printer;
}

PrinterForCall::PrinterForCall(HANDLE given, const WCHAR* name) : given_(given)
{
    if (!given_)
        opened_.reset(OpenPrinterForReading(name));
}
