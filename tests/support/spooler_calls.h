// Counts a loaded driver module's calls to the spooler and to the profile
// and library loaders, through its import slots. One counter at a time.
#ifndef MARTENUI_TESTS_SPOOLER_CALLS_H
#define MARTENUI_TESTS_SPOOLER_CALLS_H

#include <windows.h>

#include "support/import_slots.h"

struct SpoolerCallCounts {
    LONG printerData = 0;     // GetPrinterDataW
    LONG printerDriver = 0;   // GetPrinterDriverW
    LONG printerInfo = 0;     // GetPrinterW
    LONG openPrinter = 0;     // OpenPrinterW
    LONG profileFile = 0;     // GetPrivateProfileStringW and GetPrivateProfileIntW
    LONG loadLibrary = 0;     // LoadLibraryW
};

class SpoolerCallCounter {
public:
    explicit SpoolerCallCounter(HMODULE driver);
    ~SpoolerCallCounter();
    SpoolerCallCounter(const SpoolerCallCounter&) = delete;
    SpoolerCallCounter& operator=(const SpoolerCallCounter&) = delete;

    // False when a slot could not be swapped (the counts would lie).
    bool counting() const;
    // The calls since the last Take (or since the start); starts again at 0.
    SpoolerCallCounts Take();

private:
    ImportSwap printerData_;
    ImportSwap printerDriver_;
    ImportSwap printerInfo_;
    ImportSwap openPrinter_;
    ImportSwap profileString_;
    ImportSwap profileInt_;
    ImportSwap loadLibrary_;
};

#endif
