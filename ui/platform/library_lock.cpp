#include "platform/library_lock.h"

namespace {

// Each thread's count of locks held lives in one slot of the platform's
// thread storage, taken on first use and given back when the module is
// unloaded: the compiler's own thread storage takes an index per load that
// no unload returns.
LONG countSlot = static_cast<LONG>(TLS_OUT_OF_INDEXES);

DWORD CountSlot()
{
    LONG slot = countSlot;
    if (slot != static_cast<LONG>(TLS_OUT_OF_INDEXES))
        return static_cast<DWORD>(slot);
    const DWORD taken = TlsAlloc();
    if (taken == TLS_OUT_OF_INDEXES)
        return TLS_OUT_OF_INDEXES;
    slot = InterlockedCompareExchange(&countSlot, static_cast<LONG>(taken), static_cast<LONG>(TLS_OUT_OF_INDEXES));
    if (slot == static_cast<LONG>(TLS_OUT_OF_INDEXES))
        return taken;
    TlsFree(taken);   // another thread was quicker
    return static_cast<DWORD>(slot);
}

// TlsGetValue clears the thread's last error: a lock taken between a failed
// call and the reading of its error must not lose it.
void Count(LONG change)
{
    const DWORD error = GetLastError();
    const DWORD slot = CountSlot();
    if (slot != TLS_OUT_OF_INDEXES) {
        const LONG_PTR held = reinterpret_cast<LONG_PTR>(TlsGetValue(slot)) + change;
        TlsSetValue(slot, reinterpret_cast<void*>(held));
    }
    SetLastError(error);
}

}  // namespace

void LibraryLock::Acquire()
{
    AcquireSRWLockExclusive(&lock_);
    Count(1);
}

void LibraryLock::Release()
{
    Count(-1);
    ReleaseSRWLockExclusive(&lock_);
}

void LibraryLock::AcquireShared()
{
    AcquireSRWLockShared(&lock_);
    Count(1);
}

void LibraryLock::ReleaseShared()
{
    Count(-1);
    ReleaseSRWLockShared(&lock_);
}

LONG LibraryLocksHeld()
{
    const DWORD slot = countSlot;
    if (slot == TLS_OUT_OF_INDEXES)
        return 0;
    const DWORD error = GetLastError();
    const LONG held = static_cast<LONG>(reinterpret_cast<LONG_PTR>(TlsGetValue(slot)));
    SetLastError(error);
    return held;
}

void ReleaseLibraryLockCounts()
{
    const LONG slot = InterlockedExchange(&countSlot, static_cast<LONG>(TLS_OUT_OF_INDEXES));
    if (slot != static_cast<LONG>(TLS_OUT_OF_INDEXES))
        TlsFree(static_cast<DWORD>(slot));
}
