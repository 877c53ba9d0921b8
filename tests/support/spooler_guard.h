// Keeps the driver's lock rule and counts its spooler calls, through a
// module's import slots: a spooler call made on a thread that holds one of
// the library's locks is a fault that fails the test run, and every call is
// tallied so that a test can ask what a stretch of work read and wrote.
//
// The test program's own copy of the library answers LibraryLocksHeld; for
// an installed MARTENUI.dll the guard follows its lock calls through the
// same import slots.
#ifndef MARTENUI_TESTS_SPOOLER_GUARD_H
#define MARTENUI_TESTS_SPOOLER_GUARD_H

#include <windows.h>

#include <string>
#include <vector>

struct SpoolerTally {
    LONG reads = 0;                     // GetPrinterDataW, GetPrinterW, GetPrinterDriverW, OpenPrinterW
    std::vector<std::wstring> writes;   // SetPrinterDataW value names; "SetPrinterW" for a level write
};

// Guards `module` until the last guard of it goes (guards of one module
// nest). A module whose imports cannot be swapped is left alone.
class SpoolerGuard {
public:
    explicit SpoolerGuard(HMODULE module);
    ~SpoolerGuard();
    SpoolerGuard(const SpoolerGuard&) = delete;
    SpoolerGuard& operator=(const SpoolerGuard&) = delete;

    // The calls `module` made on the calling thread since the last take (or
    // since it was guarded).
    static SpoolerTally Take(HMODULE module);

    // How many faults are recorded so far, and the faults recorded after
    // such a mark, each naming the call, the locks held and the test. Those
    // taken no longer fail the run; the ones before the mark still do.
    static size_t FaultMark();
    static std::vector<std::string> TakeFaultsSince(size_t mark);

private:
    int slot_;
};

// Guards the test program itself for the whole run and fails the run when
// any guarded module broke the lock rule (main installs it).
void GuardTheTestProgram();

#endif
