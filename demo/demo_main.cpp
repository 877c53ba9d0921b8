// The demo: does what the spooler does when the driver is installed, on a
// printer in the Wine prefix it runs in, and reports what the driver makes of
// the printer. It gets the printer's default settings and opens its
// Printing Preferences as an application does, and prints one document as
// the graphics engine would.
//   martenui-demo <driver files folder> <sample profile: 1, 2 or 3>
//                 [<picture folder> | --show]
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "capabilities_report.h"
#include "driver_entry_points.h"
#include "driver_install.h"
#include "platform/holders.h"
#include "facts/printer_call.h"
#include "platform/resource_library.h"
#include "job_report.h"
#include "preferences_sheet.h"
#include "printer_data_report.h"
#include "printer_properties_sheet.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "profile_report.h"
#include "report_text.h"
#include "settings/document_settings.h"
#include "settings_report.h"

namespace {

int Fail(const std::wstring& message)
{
    fprintf(stderr, "martenui-demo: %s\n", Narrow(message).c_str());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: martenui-demo <driver files folder> <1|2|3> [<picture folder> | --show]\n");
        return 2;
    }
    const std::wstring filesDir = argv[1];
    const int variant = _wtoi(argv[2]);
    const std::wstring pictures = argc > 3 ? argv[3] : L"";
    const bool interactive = pictures == L"--show";
    if (variant < 1 || variant > 3) {
        fprintf(stderr, "martenui-demo: the sample profiles are 1, 2 and 3\n");
        return 2;
    }

    DriverPackage package;
    package.name = L"Velofax Demo Driver V" + std::to_wstring(variant);
    package.profilePath = filesDir + L"\\Kolb6v" + std::to_wstring(variant) + L".ini";
    const std::wstring printerName = L"Velofax Demo " + std::to_wstring(variant);

    Heading("Installing the driver and a printer");
    std::wstring error;
    if (!InstallDriverPackage(package, filesDir, &error))
        return Fail(error);
    Field("driver", package.name.c_str());
    Field("model profile", package.profilePath.c_str());
    UniquePrinter printer(AddPrinterForDriver(printerName, package.name, &error));
    if (!printer)
        return Fail(error);
    Field("printer", printerName.c_str());

    DriverEntryPoints driver;
    if (!LoadDriverEntryPoints(printer.get(), &driver))
        return Fail(L"the installed driver has not got its entry points");

    // What the spooler does once the printer exists.
    const BOOL initialised = driver.printerEvent(const_cast<WCHAR*>(printerName.c_str()), PRINTER_EVENT_INITIALIZE, 0, 0);
    Field("DrvPrinterEvent INITIALIZE", initialised ? "TRUE" : "FALSE");
    if (!initialised)
        return Fail(L"the printer could not be initialised");

    ModelProfile profile;
    { PrinterCall call; call.printer = printer.get(); profile = FetchProfile(&call); }
    ReportModelProfile(profile);
    ReportPrinterData(printer.get());
    ReportCapabilities(driver, printer.get());

    // The printer's default settings as an application asks for them: the
    // platform's DocumentPropertiesW, which calls the driver without UI.
    Heading("Default settings through DocumentPropertiesW (DM_OUT_BUFFER)");
    const LONG size = DocumentPropertiesW(nullptr, printer.get(), const_cast<WCHAR*>(printerName.c_str()), nullptr,
                                          nullptr, 0);
    Field("record size", std::to_wstring(size).c_str());
    DocumentSettings settings = {};
    if (size != static_cast<LONG>(sizeof(settings)) ||
        DocumentPropertiesW(nullptr, printer.get(), const_cast<WCHAR*>(printerName.c_str()),
                            reinterpret_cast<DEVMODEW*>(&settings), nullptr, DM_OUT_BUFFER) != IDOK)
        return Fail(L"the driver gave no default settings");
    LoadResourceLibraryForPrinter(printer.get());
    ModelState model;
    BuildModel(profile, &model);
    ReportDefaultSettings(model, settings);
    ReportPjlTexts(settings);

    // Printing Preferences, as an application opens them.
    Heading(interactive ? "Printing Preferences (close the sheet to go on)"
                        : "Printing Preferences through DocumentPropertiesW (DM_IN_PROMPT)");
    std::wstring stem = printerName;
    for (wchar_t& c : stem)
        c = c == L' ' ? L'-' : c;
    const SheetPictureRun sheet = OpenPreferencesSheet(printer.get(), printerName,
                                                       reinterpret_cast<DEVMODEW*>(&settings), interactive,
                                                       pictures, stem, kPictureUserSize);
    Field("DocumentPropertiesW", std::to_wstring(sheet.result).c_str());
    for (const std::wstring& title : sheet.pages)
        Field("page", title.c_str());
    if (!interactive)
        Field("paper text", sheet.paperText.c_str());
    for (const std::wstring& file : sheet.files)
        Field("picture", file.c_str());
    if (!interactive && !pictures.empty() && sheet.files.size() != 4u + sheet.userPaperOffered)
        return Fail(sheet.userPaperOffered ? L"the sheet did not show its four pages and User Size"
                                           : L"the sheet did not show its four pages");

    // The printer's own properties, as the printer folder opens them.
    if (!interactive) {
        Heading("Printer properties through the common property-sheet UI (DrvDevicePropertySheets)");
        const SheetPictureRun device =
            OpenPrinterPropertiesSheet(driver.module, printer.get(), printerName, pictures, stem + L"-printer");
        Field("CommonPropertySheetUIW", std::to_wstring(device.result).c_str());
        for (const std::wstring& title : device.pages)
            Field("page", title.c_str());
        for (const std::wstring& file : device.files)
            Field("picture", file.c_str());
        if (!pictures.empty() && device.files.size() != 2)
            return Fail(L"the printer's sheet did not show its two pages");
    }

    RunPrintJob(driver, printer.get(), printerName.c_str(), reinterpret_cast<DEVMODEW*>(&settings),
                L"Quarterly report \"draft\"", 3);

    DeletePrinter(printer.get());
    return 0;
}
