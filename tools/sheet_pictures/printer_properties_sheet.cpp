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
    // Looked up at run time: the 32-bit compiler ships no import library for it.
    using CommonSheetFunction = LONG(WINAPI*)(HWND, PFNPROPSHEETUI, LPARAM, LPDWORD);
    HMODULE common = LoadLibraryW(L"compstui.dll");
    auto commonSheet = common ? reinterpret_cast<CommonSheetFunction>(
                                    reinterpret_cast<void*>(GetProcAddress(common, "CommonPropertySheetUIW")))
                              : nullptr;
    if (!entry || !commonSheet)
        return run;
    DevicePropertyHeader header = {sizeof(header), 0, printer, const_cast<WCHAR*>(printerName.c_str())};
    std::thread pictures(PictureSheetPages, GetCurrentThreadId(), folder, stem, 0u, &run);
    DWORD result = 0;
    run.result = commonSheet(nullptr, entry, reinterpret_cast<LPARAM>(&header), &result);
    pictures.join();
    return run;
}
