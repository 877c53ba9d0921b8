#include "printer_properties_sheet.h"

#include <compstui.h>
#include <winddiui.h>

#include <thread>

namespace {

// The printer folder's header for DrvDevicePropertySheets.
struct DevicePropertyHeader {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
};

}  // namespace

SheetPictureRun OpenPrinterPropertiesSheet(HMODULE driver, HANDLE printer, const std::wstring& printerName,
                                           const std::wstring& folder, const std::wstring& stem)
{
    SheetPictureRun run;
    auto entry = driver ? reinterpret_cast<PFNPROPSHEETUI>(
                              reinterpret_cast<void*>(GetProcAddress(driver, "DrvDevicePropertySheets")))
                        : nullptr;
    if (!entry)
        return run;
    DevicePropertyHeader header = {sizeof(header), 0, printer, const_cast<WCHAR*>(printerName.c_str())};
    std::thread pictures(PictureSheetPages, GetCurrentThreadId(), folder, stem, false, &run);
    DWORD result = 0;
    run.result = CommonPropertySheetUIW(nullptr, entry, reinterpret_cast<LPARAM>(&header), &result);
    pictures.join();
    return run;
}
