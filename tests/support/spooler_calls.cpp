#include "support/spooler_calls.h"

#include <winspool.h>

namespace {

SpoolerCallCounts counts;
const SpoolerCallCounter* active = nullptr;

using GetPrinterDataFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, LPDWORD, LPBYTE, DWORD, LPDWORD);
using GetPrinterDriverFunction = BOOL(WINAPI*)(HANDLE, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD);
using GetPrinterFunction = BOOL(WINAPI*)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
using OpenPrinterFunction = BOOL(WINAPI*)(LPWSTR, LPHANDLE, LPPRINTER_DEFAULTSW);
using ProfileStringFunction = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD, LPCWSTR);
using ProfileIntFunction = UINT(WINAPI*)(LPCWSTR, LPCWSTR, INT, LPCWSTR);
using LoadLibraryFunction = HMODULE(WINAPI*)(LPCWSTR);

GetPrinterDataFunction realGetPrinterData;
GetPrinterDriverFunction realGetPrinterDriver;
GetPrinterFunction realGetPrinter;
OpenPrinterFunction realOpenPrinter;
ProfileStringFunction realProfileString;
ProfileIntFunction realProfileInt;
LoadLibraryFunction realLoadLibrary;

DWORD WINAPI CountedGetPrinterData(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD size, LPDWORD needed)
{
    InterlockedIncrement(&counts.printerData);
    return realGetPrinterData(printer, name, type, data, size, needed);
}

BOOL WINAPI CountedGetPrinterDriver(HANDLE printer, LPWSTR environment, DWORD level, LPBYTE data, DWORD size,
                                    LPDWORD needed)
{
    InterlockedIncrement(&counts.printerDriver);
    return realGetPrinterDriver(printer, environment, level, data, size, needed);
}

BOOL WINAPI CountedGetPrinter(HANDLE printer, DWORD level, LPBYTE data, DWORD size, LPDWORD needed)
{
    InterlockedIncrement(&counts.printerInfo);
    return realGetPrinter(printer, level, data, size, needed);
}

BOOL WINAPI CountedOpenPrinter(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults)
{
    InterlockedIncrement(&counts.openPrinter);
    return realOpenPrinter(name, printer, defaults);
}

DWORD WINAPI CountedProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR fallback, LPWSTR buffer, DWORD size,
                                  LPCWSTR path)
{
    InterlockedIncrement(&counts.profileFile);
    return realProfileString(section, key, fallback, buffer, size, path);
}

UINT WINAPI CountedProfileInt(LPCWSTR section, LPCWSTR key, INT fallback, LPCWSTR path)
{
    InterlockedIncrement(&counts.profileFile);
    return realProfileInt(section, key, fallback, path);
}

HMODULE WINAPI CountedLoadLibrary(LPCWSTR path)
{
    InterlockedIncrement(&counts.loadLibrary);
    return realLoadLibrary(path);
}

template <typename Function>
void* Slot(Function function)
{
    return reinterpret_cast<void*>(function);
}

}  // namespace

SpoolerCallCounter::SpoolerCallCounter(HMODULE driver)
    : printerData_(driver, "winspool.drv", "GetPrinterDataW", Slot(CountedGetPrinterData)),
      printerDriver_(driver, "winspool.drv", "GetPrinterDriverW", Slot(CountedGetPrinterDriver)),
      printerInfo_(driver, "winspool.drv", "GetPrinterW", Slot(CountedGetPrinter)),
      openPrinter_(driver, "winspool.drv", "OpenPrinterW", Slot(CountedOpenPrinter)),
      profileString_(driver, "kernel32.dll", "GetPrivateProfileStringW", Slot(CountedProfileString)),
      profileInt_(driver, "kernel32.dll", "GetPrivateProfileIntW", Slot(CountedProfileInt)),
      loadLibrary_(driver, "kernel32.dll", "LoadLibraryW", Slot(CountedLoadLibrary))
{
    realGetPrinterData = reinterpret_cast<GetPrinterDataFunction>(printerData_.original());
    realGetPrinterDriver = reinterpret_cast<GetPrinterDriverFunction>(printerDriver_.original());
    realGetPrinter = reinterpret_cast<GetPrinterFunction>(printerInfo_.original());
    realOpenPrinter = reinterpret_cast<OpenPrinterFunction>(openPrinter_.original());
    realProfileString = reinterpret_cast<ProfileStringFunction>(profileString_.original());
    realProfileInt = reinterpret_cast<ProfileIntFunction>(profileInt_.original());
    realLoadLibrary = reinterpret_cast<LoadLibraryFunction>(loadLibrary_.original());
    counts = SpoolerCallCounts();
    active = this;
}

SpoolerCallCounter::~SpoolerCallCounter()
{
    active = nullptr;
}

bool SpoolerCallCounter::counting() const
{
    return active == this && printerData_.original() != nullptr && printerDriver_.original() && printerInfo_.original() &&
           openPrinter_.original() && profileString_.original() && profileInt_.original() && loadLibrary_.original();
}

SpoolerCallCounts SpoolerCallCounter::Take()
{
    SpoolerCallCounts taken;
    taken.printerData = InterlockedExchange(&counts.printerData, 0);
    taken.printerDriver = InterlockedExchange(&counts.printerDriver, 0);
    taken.printerInfo = InterlockedExchange(&counts.printerInfo, 0);
    taken.openPrinter = InterlockedExchange(&counts.openPrinter, 0);
    taken.profileFile = InterlockedExchange(&counts.profileFile, 0);
    taken.loadLibrary = InterlockedExchange(&counts.loadLibrary, 0);
    return taken;
}
