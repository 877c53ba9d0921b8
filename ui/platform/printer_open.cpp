#include "platform/printer_open.h"

#include <winspool.h>

namespace {

// Level-2 information with its device mode and names fits this in practice,
// so that one call fetches it; a larger one takes a second call.
constexpr DWORD kPrinterInfoGuessBytes = 8192;

HANDLE OpenPrinterWith(const WCHAR* printerName, ACCESS_MASK access)
{
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    HANDLE printer = nullptr;
    if (!printerName || !printerName[0] || !OpenPrinterW(const_cast<WCHAR*>(printerName), &printer, &defaults))
        return nullptr;
    return printer;
}

}  // namespace

HANDLE OpenPrinterFull(const WCHAR* printerName)
{
    return OpenPrinterWith(printerName, PRINTER_ALL_ACCESS);
}

HANDLE OpenPrinterForReading(const WCHAR* printerName)
{
    return OpenPrinterWith(printerName, PRINTER_ACCESS_USE);
}

HeapBlock GetPrinterInfo2(HANDLE printer)
{
    if (!printer)
        return HeapBlock();
    HeapBlock block(kPrinterInfoGuessBytes);
    DWORD needed = 0;
    if (block && GetPrinterW(printer, 2, block.as<BYTE>(), kPrinterInfoGuessBytes, &needed))
        return block;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= kPrinterInfoGuessBytes)
        return HeapBlock();
    block = HeapBlock(needed);
    if (!block || !GetPrinterW(printer, 2, block.as<BYTE>(), needed, &needed))
        return HeapBlock();
    return block;
}
