// The benchmarks: each measures one road through the installed driver and
// the platform calls that road cannot do without (its floor), in the same
// run, and prints the ratio of the two as a table.
#ifndef MARTENUI_BENCH_BENCHMARKS_H
#define MARTENUI_BENCH_BENCHMARKS_H

#include <windows.h>

#include <string>

// One sample printer, installed and initialised as the spooler does it.
struct BenchModel {
    int variant;
    std::wstring printerName;
    HANDLE printer;    // opened with full access
    HMODULE driver;    // the printer's installed MARTENUI.dll
};

constexpr int kBenchModels = 3;


// The entry points the benchmarks call, resolved from the driver.
using CapabilitiesEntry = DWORD(WINAPI*)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW);
using DocumentEventEntry = int(WINAPI*)(HANDLE, HDC, int, ULONG, PVOID, ULONG, PVOID);
using DocumentPropertiesEntry = LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);

template <typename Function>
Function DriverEntry(HMODULE driver, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(driver, name)));
}

void BenchCapabilityBurst(const BenchModel* models, int rounds);
void BenchJobEvents(const BenchModel* models, int rounds);
void BenchDocumentProperties(const BenchModel* models, int rounds);
void BenchCapabilityThreads(const BenchModel& model, int rounds);

#endif
