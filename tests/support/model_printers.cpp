#include "support/model_printers.h"

#include <windows.h>

#include <map>

#include "platform/resource_library.h"
#include "facts/printer_call.h"

const DriverPackage& DriverForProfileText(const std::wstring& profileText)
{
    static std::map<std::wstring, std::wstring> driverOfText;
    std::wstring& driverName = driverOfText[profileText];
    if (driverName.empty()) {
        const std::wstring tag = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(driverOfText.size());
        driverName = L"MARTENUI Model " + tag;
        return DriverWithProfile(driverName, L"KolbModel" + tag + L".ini", profileText);
    }
    return DriverWithProfile(driverName, std::wstring(), profileText);
}

ModelProfile LoadPrinterModel(const BenchPrinter& printer)
{
    ModelProfile profile;
    { PrinterCall call; call.printer = printer.handle(); profile = FetchProfile(&call); }
    LoadResourceLibraryForPrinter(printer.handle());
    return profile;
}
