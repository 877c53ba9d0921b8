// The twelve entry points of the driver's user-interface module. Each one
// checks nothing it cannot answer itself and hands over to the operation
// that does the work; nothing throws across them.
#include "platform/driver_interface.h"

#include "caps/device_capabilities.h"
#include "devsheet/device_sheet.h"
#include "docsheet/document_sheet.h"
#include "facts/printer_call.h"
#include "job/document_events.h"
#include "job/profile_version_cache.h"
#include "printer/printer_events.h"
#include "settings/convert_devmode.h"

extern "C" {

// The spooler's own (winsplp.h, which the rest of the driver does not need).
BOOL WINAPI DevQueryPrint(HANDLE printer, LPDEVMODEW devMode, DWORD* resourceId);

LONG WINAPI DrvDocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM param)
{
    return DocumentPropertySheets(info, param);
}

LONG WINAPI DrvDocumentProperties(HWND window, HANDLE printer, PWSTR deviceName, PDEVMODEW output,
                                  PDEVMODEW input, DWORD mode)
{
    return DocumentPropertiesWithoutUi(window, printer, deviceName, output, input, mode);
}

LONG WINAPI DrvAdvancedDocumentProperties(HWND window, HANDLE /*printer*/, PWSTR /*deviceName*/,
                                          PDEVMODEW /*output*/, PDEVMODEW /*input*/)
{
    return AdvancedDocumentPropertiesBox(window);
}

LONG WINAPI DrvDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM param)
{
    return DevicePropertySheets(info, param);
}

DWORD WINAPI DrvDeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD index, PVOID output,
                                   PDEVMODEW /*devMode*/)
{
    return QueryDeviceCapability(printer, deviceName, index, output);
}

int WINAPI DrvDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inputSize, PVOID input,
                            ULONG /*outputSize*/, PVOID /*output*/)
{
    return HandleDocumentEvent(printer, dc, event, inputSize, input);
}

BOOL WINAPI DrvPrinterEvent(LPWSTR printerName, INT event, DWORD /*flags*/, LPARAM /*param*/)
{
    return HandlePrinterEvent(printerName, event);
}

BOOL WINAPI DrvConvertDevMode(LPWSTR printerName, PDEVMODEW input, PDEVMODEW output, PLONG size, DWORD mode)
{
    return ConvertDevMode(printerName, input, output, size, mode);
}

// An upgraded driver keeps every stored value as it is.
BOOL WINAPI DrvUpgradePrinter(DWORD /*level*/, LPBYTE /*upgradeInfo*/)
{
    // The upgraded driver's files may carry another profile version.
    ForgetProfileVersions();
    return TRUE;
}

// The driver never holds a job back because its settings do not suit the printer.
BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO /*query*/)
{
    return TRUE;
}

// Exported as DevQueryPrint and PrinterProperties: the spooler's own
// functions, unchanged (the .def file gives them their export names).
BOOL WINAPI ForwardDevQueryPrint(HANDLE printer, DEVMODEW* devMode, DWORD* resourceId)
{
    return DevQueryPrint(printer, devMode, resourceId);
}

BOOL WINAPI ForwardPrinterProperties(HWND window, HANDLE printer)
{
    return PrinterProperties(window, printer);
}

}  // extern "C"
