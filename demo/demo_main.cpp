// The demo: does what the spooler does when the driver is installed, on a
// printer in the Wine prefix it runs in, and reports what the driver makes of
// the printer: its model profile, its default document settings and the PJL
// texts they carry.
//   martenui-demo <driver files folder> <sample profile: 1, 2 or 3>
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver_install.h"
#include "entry/holders.h"
#include "entry/resource_library.h"
#include "profile/model_profile.h"
#include "profile_report.h"
#include "report_text.h"
#include "settings/default_settings.h"
#include "settings/finalize_settings.h"
#include "settings_report.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: martenui-demo <driver files folder> <1|2|3>\n");
        return 2;
    }
    const std::wstring filesDir = argv[1];
    const int variant = _wtoi(argv[2]);
    if (variant < 1 || variant > 3) {
        fprintf(stderr, "martenui-demo: the sample profiles are 1, 2 and 3\n");
        return 2;
    }

    DriverPackage package;
    package.name = L"Velofax Demo Driver V" + std::to_wstring(variant);
    package.profilePath = filesDir + L"\\Kolb6v" + std::to_wstring(variant) + L".ini";
    const std::wstring printerName = L"Velofax Demo " + std::to_wstring(variant);

    Heading("Installing");
    std::wstring error;
    if (!InstallDriverPackage(package, filesDir, &error)) {
        fprintf(stderr, "martenui-demo: %s\n", Narrow(error).c_str());
        return 1;
    }
    Field("driver", package.name.c_str());
    Field("model profile", package.profilePath.c_str());
    UniquePrinter printer(AddPrinterForDriver(printerName, package.name, &error));
    if (!printer) {
        fprintf(stderr, "martenui-demo: %s\n", Narrow(error).c_str());
        return 1;
    }
    Field("printer", printerName.c_str());

    ModelProfile profile;
    LoadModelProfile(printer.get(), &profile);
    ReportModelProfile(profile);

    // What an application gets as the printer's defaults, and what the
    // rendering module receives once they are finalized for printing.
    LoadResourceLibraryForPrinter(printer.get());
    DocumentSettings settings;
    CopyDefaultSettings(printerName.c_str(), &profile, &settings);
    ReportDefaultSettings(settings);
    FinalizeForPrinting(&settings, sizeof(settings), printer.get());
    ReportPjlTexts(settings);

    DeletePrinter(printer.get());
    return 0;
}
