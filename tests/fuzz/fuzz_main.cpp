// martenui-fuzz <driver files folder> [device modes] [profiles] [document names] [seed]
// Prints the inputs tried and the crashes; exit 0 only when nothing crashed
// and every output record kept its rules.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver_install.h"
#include "platform/driver_files.h"
#include "fuzz.h"

const char* fuzzStage = "setup";
long long fuzzInput = 0;
uint64_t fuzzSeed = 0;

namespace {


LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception)
{
    printf("\n*** crash: exception 0x%08lx at %p while feeding %s, input %lld (seed %llu)\n",
           exception->ExceptionRecord->ExceptionCode, exception->ExceptionRecord->ExceptionAddress, fuzzStage,
           fuzzInput, static_cast<unsigned long long>(fuzzSeed));
    printf("crashes: 1\n");
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

template <typename Function>
void Resolve(HMODULE module, const char* name, Function* entry)
{
    *entry = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool Install(const std::wstring& filesDir, const std::wstring& driverName, const std::wstring& profilePath,
             const std::wstring& profileName, const std::wstring& printerName, FuzzPrinter* printer)
{
    DriverPackage package;
    package.name = driverName;
    package.profilePath = profilePath;
    package.profileFileName = profileName;
    std::wstring error;
    if (!InstallDriverPackage(package, filesDir, &error) ||
        !(printer->handle = AddPrinterForDriver(printerName, driverName, &error))) {
        fprintf(stderr, "martenui-fuzz: %s\n", Narrow(error).c_str());
        return false;
    }
    printer->name = printerName;
    return true;
}

}  // namespace

void FuzzReport::Problem(const std::string& what)
{
    if (problems++ == 0)
        firstProblem = what + " (" + fuzzStage + ", input " + std::to_string(fuzzInput) + ")";
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: martenui-fuzz <driver files folder> [device modes] [profiles] [names] [seed]\n");
        return 2;
    }
    SetUnhandledExceptionFilter(ReportCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const std::wstring filesDir = argv[1];
    const long long deviceModes = argc > 2 ? _wcstoi64(argv[2], nullptr, 10) : 2000;
    const long long profiles = argc > 3 ? _wcstoi64(argv[3], nullptr, 10) : 30;
    const long long names = argc > 4 ? _wcstoi64(argv[4], nullptr, 10) : 300;
    fuzzSeed = argc > 5 ? _wcstoi64(argv[5], nullptr, 10) : GetTickCount64();
    FuzzRandom random{fuzzSeed | 1};

    FuzzPrinter printers[3];
    for (int v = 1; v <= 3; ++v) {
        const std::wstring tag = std::to_wstring(v);
        if (!Install(filesDir, L"MARTENUI Fuzz V" + tag, filesDir + L"\\Kolb6v" + tag + L".ini", L"",
                     L"MARTENUI Fuzz " + tag, &printers[v - 1]))
            return 1;
    }
    FuzzPrinter profilePrinter;
    if (!Install(filesDir, L"MARTENUI Fuzz Profiles", filesDir + L"\\Kolb6v2.ini", L"KolbFuzz.ini",
                 L"MARTENUI Fuzz Profiles", &profilePrinter))
        return 1;

    HeapBlock info = GetDriverInfo(printers[0].handle);
    FuzzDriver driver = {};
    driver.module = info ? LoadLibraryW(info.as<DRIVER_INFO_3W>()->pConfigFile) : nullptr;
    Resolve(driver.module, "DrvDeviceCapabilities", &driver.capabilities);
    Resolve(driver.module, "DrvDocumentEvent", &driver.documentEvent);
    Resolve(driver.module, "DrvPrinterEvent", &driver.printerEvent);
    Resolve(driver.module, "DrvConvertDevMode", &driver.convertDevMode);
    Resolve(driver.module, "DrvDocumentProperties", &driver.documentProperties);
    Resolve(driver.module, "DrvDocumentPropertySheets", &driver.documentPropertySheets);
    if (!driver.capabilities || !driver.documentEvent || !driver.printerEvent || !driver.convertDevMode ||
        !driver.documentProperties || !driver.documentPropertySheets) {
        fprintf(stderr, "martenui-fuzz: the installed driver cannot be loaded\n");
        return 1;
    }
    for (FuzzPrinter& printer : printers)
        driver.printerEvent(const_cast<wchar_t*>(printer.name.c_str()), PRINTER_EVENT_INITIALIZE, 0, 0);
    HeapBlock profileInfo = GetDriverInfo(profilePrinter.handle);
    const std::wstring profilePath = profileInfo ? profileInfo.as<DRIVER_INFO_3W>()->pDataFile : L"";

    printf("martenui-fuzz: seed %llu\n", static_cast<unsigned long long>(fuzzSeed));
    FuzzReport modes, models, documents;
    const DWORD start = GetTickCount();
    FuzzDeviceModes(driver, printers, 3, deviceModes, &random, &modes);
    FuzzProfiles(driver, profilePrinter, profilePath, profiles, &random, &models);
    FuzzDocumentNames(driver, printers[1], names, &random, &documents);
    const double seconds = (GetTickCount() - start) / 1000.0;

    const struct {
        const char* what;
        const FuzzReport* report;
    } rows[] = {{"device modes", &modes}, {"model profiles", &models}, {"document names", &documents}};
    long long problems = 0;
    for (const auto& row : rows) {
        printf("%-16s tried %10lld   bad outputs %lld%s%s\n", row.what, row.report->tried, row.report->problems,
               row.report->problems ? ": first " : "", row.report->firstProblem.c_str());
        problems += row.report->problems;
    }
    printf("crashes: 0\ntime: %.1f s\n", seconds);
    for (FuzzPrinter& printer : printers) {
        DeletePrinter(printer.handle);
        ClosePrinter(printer.handle);
    }
    DeletePrinter(profilePrinter.handle);
    ClosePrinter(profilePrinter.handle);
    return problems ? 1 : 0;
}
