#include "support/spooler_guard.h"

#include <gtest/gtest.h>
#include <winspool.h>

#include <map>
#include <memory>
#include <type_traits>

#include "platform/library_lock.h"
#include "support/import_slots.h"
#include "support/spooler_functions.h"

namespace {

constexpr int kSlots = 4;   // the program and the installed driver modules at once

using LockFunction = void(WINAPI*)(PSRWLOCK);

struct Slot {
    HMODULE module = nullptr;
    bool program = false;   // the test program: its own copy of the library answers for its locks
    int guards = 0;
    std::vector<std::unique_ptr<ImportSwap>> swaps;
    std::map<DWORD, SpoolerTally> tallies;   // by thread
};

Slot slots[kSlots];
CRITICAL_SECTION guardLock;
bool guardLockReady = false;
std::vector<std::string> faults;
// The installed modules' lock depth on each thread, as their lock calls pass.
thread_local LONG moduleLocksHeld[kSlots];

void EnsureGuardLock()
{
    if (!guardLockReady) {
        InitializeCriticalSection(&guardLock);
        guardLockReady = true;
    }
}

std::string Narrow(const WCHAR* text)
{
    std::string narrow;
    for (; text && *text; ++text)
        narrow += *text < 128 ? static_cast<char>(*text) : '?';
    return narrow;
}

// Every spooler call passes here first.
void Note(int slot, const char* function, bool read, const WCHAR* written)
{
    const LONG held = slots[slot].program ? LibraryLocksHeld() : moduleLocksHeld[slot];
    EnterCriticalSection(&guardLock);
    if (held > 0) {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        faults.push_back(std::string(function) + " under " + std::to_string(held) + " library lock(s)" +
                         (written ? " writing \"" + Narrow(written) + "\"" : std::string()) + " in " +
                         (test ? std::string(test->test_suite_name()) + "." + test->name() : std::string("?")));
    }
    SpoolerTally& tally = slots[slot].tallies[GetCurrentThreadId()];
    if (read)
        ++tally.reads;
    else if (written)
        tally.writes.push_back(written);
    LeaveCriticalSection(&guardLock);
}

template <int K>
struct Wrappers {
    static inline GetPrinterDataFunction getPrinterData;
    static inline SetPrinterDataFunction setPrinterData;
    static inline GetPrinterFunction getPrinter;
    static inline SetPrinterFunction setPrinter;
    static inline GetPrinterDriverFunction getPrinterDriver;
    static inline OpenPrinterFunction openPrinter;
    static inline LockFunction acquireExclusive, releaseExclusive, acquireShared, releaseShared;

    static DWORD WINAPI GetPrinterData(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD size,
                                       LPDWORD needed)
    {
        Note(K, "GetPrinterDataW", true, nullptr);
        return getPrinterData(printer, name, type, data, size, needed);
    }
    static DWORD WINAPI SetPrinterData(HANDLE printer, LPWSTR name, DWORD type, LPBYTE data, DWORD size)
    {
        Note(K, "SetPrinterDataW", false, name ? name : L"");
        return setPrinterData(printer, name, type, data, size);
    }
    static BOOL WINAPI GetPrinter(HANDLE printer, DWORD level, LPBYTE data, DWORD size, LPDWORD needed)
    {
        Note(K, "GetPrinterW", true, nullptr);
        return getPrinter(printer, level, data, size, needed);
    }
    static BOOL WINAPI SetPrinter(HANDLE printer, DWORD level, LPBYTE data, DWORD command)
    {
        Note(K, "SetPrinterW", false, L"SetPrinterW");
        return setPrinter(printer, level, data, command);
    }
    static BOOL WINAPI GetPrinterDriver(HANDLE printer, LPWSTR environment, DWORD level, LPBYTE data, DWORD size,
                                        LPDWORD needed)
    {
        Note(K, "GetPrinterDriverW", true, nullptr);
        return getPrinterDriver(printer, environment, level, data, size, needed);
    }
    static BOOL WINAPI OpenPrinter(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults)
    {
        Note(K, "OpenPrinterW", true, nullptr);
        return openPrinter(name, printer, defaults);
    }
    static void WINAPI AcquireExclusive(PSRWLOCK lock)
    {
        acquireExclusive(lock);
        ++moduleLocksHeld[K];
    }
    static void WINAPI ReleaseExclusive(PSRWLOCK lock)
    {
        --moduleLocksHeld[K];
        releaseExclusive(lock);
    }
    static void WINAPI AcquireShared(PSRWLOCK lock)
    {
        acquireShared(lock);
        ++moduleLocksHeld[K];
    }
    static void WINAPI ReleaseShared(PSRWLOCK lock)
    {
        --moduleLocksHeld[K];
        releaseShared(lock);
    }

    static void Install(Slot& slot)
    {
        auto swap = [&](const char* dll, const char* name, void* replacement) {
            slot.swaps.push_back(std::make_unique<ImportSwap>(slot.module, dll, name, replacement));
            return slot.swaps.back()->original();
        };
        // Each slot's original goes into the pointer of its type.
        auto put = [&](auto* original, const char* dll, const char* name, auto* replacement) {
            *original = reinterpret_cast<std::remove_reference_t<decltype(*original)>>(
                swap(dll, name, reinterpret_cast<void*>(replacement)));
        };
        put(&getPrinterData, "winspool.drv", "GetPrinterDataW", GetPrinterData);
        put(&setPrinterData, "winspool.drv", "SetPrinterDataW", SetPrinterData);
        put(&getPrinter, "winspool.drv", "GetPrinterW", GetPrinter);
        put(&setPrinter, "winspool.drv", "SetPrinterW", SetPrinter);
        put(&getPrinterDriver, "winspool.drv", "GetPrinterDriverW", GetPrinterDriver);
        put(&openPrinter, "winspool.drv", "OpenPrinterW", OpenPrinter);
        if (slot.program)
            return;
        put(&acquireExclusive, "kernel32.dll", "AcquireSRWLockExclusive", AcquireExclusive);
        put(&releaseExclusive, "kernel32.dll", "ReleaseSRWLockExclusive", ReleaseExclusive);
        put(&acquireShared, "kernel32.dll", "AcquireSRWLockShared", AcquireShared);
        put(&releaseShared, "kernel32.dll", "ReleaseSRWLockShared", ReleaseShared);
    }
};

void Install(int index)
{
    switch (index) {
    case 0: Wrappers<0>::Install(slots[0]); break;
    case 1: Wrappers<1>::Install(slots[1]); break;
    case 2: Wrappers<2>::Install(slots[2]); break;
    default: Wrappers<3>::Install(slots[3]); break;
    }
}

int SlotOf(HMODULE module)
{
    for (int i = 0; i < kSlots; ++i) {
        if (slots[i].module == module && slots[i].guards > 0)
            return i;
    }
    return -1;
}

// Fails the run at its end when any guarded call broke the rule.
class LockRuleEnvironment : public testing::Environment {
public:
    void TearDown() override
    {
        EnterCriticalSection(&guardLock);
        std::string all;
        for (const std::string& fault : faults)
            all += "  " + fault + "\n";
        const size_t count = faults.size();
        LeaveCriticalSection(&guardLock);
        EXPECT_EQ(0u, count) << "spooler calls made while holding a library lock:\n" << all;
    }
};

}  // namespace

SpoolerGuard::SpoolerGuard(HMODULE module) : slot_(-1)
{
    EnsureGuardLock();
    if (!module)
        return;
    slot_ = SlotOf(module);
    if (slot_ >= 0) {
        ++slots[slot_].guards;
        return;
    }
    for (int i = 0; i < kSlots && slot_ < 0; ++i) {
        if (slots[i].guards == 0)
            slot_ = i;
    }
    if (slot_ < 0)
        return;
    Slot& slot = slots[slot_];
    slot.module = module;
    slot.program = module == GetModuleHandleW(nullptr);
    slot.guards = 1;
    slot.tallies.clear();
    Install(slot_);
}

SpoolerGuard::~SpoolerGuard()
{
    if (slot_ < 0)
        return;
    Slot& slot = slots[slot_];
    if (--slot.guards > 0)
        return;
    // Put back in the reverse order of the swaps.
    while (!slot.swaps.empty())
        slot.swaps.pop_back();
    slot.module = nullptr;
}

SpoolerTally SpoolerGuard::Take(HMODULE module)
{
    SpoolerTally taken;
    EnsureGuardLock();
    const int index = SlotOf(module);
    if (index < 0)
        return taken;
    EnterCriticalSection(&guardLock);
    auto found = slots[index].tallies.find(GetCurrentThreadId());
    if (found != slots[index].tallies.end()) {
        taken = found->second;
        slots[index].tallies.erase(found);
    }
    LeaveCriticalSection(&guardLock);
    return taken;
}

size_t SpoolerGuard::FaultMark()
{
    EnsureGuardLock();
    EnterCriticalSection(&guardLock);
    const size_t mark = faults.size();
    LeaveCriticalSection(&guardLock);
    return mark;
}

std::vector<std::string> SpoolerGuard::TakeFaultsSince(size_t mark)
{
    EnsureGuardLock();
    EnterCriticalSection(&guardLock);
    std::vector<std::string> taken;
    if (mark < faults.size()) {
        taken.assign(faults.begin() + static_cast<ptrdiff_t>(mark), faults.end());
        faults.resize(mark);
    }
    LeaveCriticalSection(&guardLock);
    return taken;
}

void GuardTheTestProgram()
{
    static SpoolerGuard program(GetModuleHandleW(nullptr));
    testing::AddGlobalTestEnvironment(new LockRuleEnvironment);
}
