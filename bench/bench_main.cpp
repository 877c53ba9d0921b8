// The benchmarks of the driver, run on printers of the three sample models
// installed in the spooler of the Wine prefix the program runs in.
//   martenui-bench <driver files folder> [rounds]
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "benchmarks.h"
#include "driver_install.h"
#include "platform/driver_files.h"

namespace {

using PrinterEventEntry = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

bool SetUpModel(const std::wstring& filesDir, int variant, BenchModel* model)
{
    DriverPackage package;
    package.name = L"MARTENUI Benchmark V" + std::to_wstring(variant);
    package.profilePath = filesDir + L"\\Kolb6v" + std::to_wstring(variant) + L".ini";
    std::wstring error;
    if (!InstallDriverPackage(package, filesDir, &error)) {
        fprintf(stderr, "martenui-bench: %s\n", Narrow(error).c_str());
        return false;
    }
    model->variant = variant;
    model->printerName = L"MARTENUI Benchmark " + std::to_wstring(variant);
    model->printer = AddPrinterForDriver(model->printerName, package.name, &error);
    if (!model->printer) {
        fprintf(stderr, "martenui-bench: %s\n", Narrow(error).c_str());
        return false;
    }
    HeapBlock info = GetDriverInfo(model->printer);
    model->driver = info ? LoadLibraryW(info.as<DRIVER_INFO_3W>()->pConfigFile) : nullptr;
    auto initialise = DriverEntry<PrinterEventEntry>(model->driver, "DrvPrinterEvent");
    if (!initialise) {
        fprintf(stderr, "martenui-bench: the installed driver cannot be loaded\n");
        return false;
    }
    // As the spooler does when the printer is installed: the profile is
    // cached from now on.
    return initialise(const_cast<wchar_t*>(model->printerName.c_str()), PRINTER_EVENT_INITIALIZE, 0, 0) != FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: martenui-bench <driver files folder> [rounds]\n");
        return 2;
    }
    const std::wstring filesDir = argv[1];
    const int rounds = argc > 2 ? _wtoi(argv[2]) : 15;
    BenchModel models[kBenchModels];
    for (int i = 0; i < kBenchModels; ++i) {
        if (!SetUpModel(filesDir, i + 1, &models[i]))
            return 1;
    }
    printf("Each row: the road's time per run, its floor (the platform calls it cannot do without)\n"
           "measured in the same run, and their ratio. Medians of %d samples.\n", rounds);
    BenchCapabilityBurst(models, rounds);
    BenchJobEvents(models, rounds);
    BenchDocumentProperties(models, rounds);
    BenchMergedDocumentProperties(models, rounds);
    BenchSheetOpening(models, rounds);
    BenchCapabilityThreads(models[1], rounds);
    for (BenchModel& model : models) {
        DeletePrinter(model.printer);
        ClosePrinter(model.printer);
    }
    return 0;
}
