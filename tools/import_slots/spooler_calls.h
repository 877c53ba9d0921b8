// Counts a loaded driver module's calls to the spooler and to the profile
// and library loaders, through its import slots. One counter at a time.
#ifndef MARTENUI_TOOLS_SPOOLER_CALLS_H
#define MARTENUI_TOOLS_SPOOLER_CALLS_H

#include <windows.h>

#include "import_slots.h"

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
    ImportSlot printerData_;
    ImportSlot printerDriver_;
    ImportSlot printerInfo_;
    ImportSlot openPrinter_;
    ImportSlot profileString_;
    ImportSlot profileInt_;
    ImportSlot loadLibrary_;
};

#endif
