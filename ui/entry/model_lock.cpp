#include "entry/model_lock.h"

namespace {

// An SRW lock needs no initialisation at load; recursion is tracked per thread
// so that an entry point may call another operation that takes the lock too.
// Other threads read the owner while it changes: it is read and written
// atomically. Only the owner touches the depth.
SRWLOCK modelLock = SRWLOCK_INIT;
volatile DWORD ownerThread = 0;
LONG depth = 0;

DWORD Owner()
{
    return static_cast<DWORD>(InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&ownerThread), 0, 0));
}

void SetOwner(DWORD thread)
{
    InterlockedExchange(reinterpret_cast<volatile LONG*>(&ownerThread), static_cast<LONG>(thread));
}

}  // namespace

void AcquireModelLock()
{
    const DWORD self = GetCurrentThreadId();
    if (Owner() == self) {
        ++depth;
        return;
    }
    AcquireSRWLockExclusive(&modelLock);
    SetOwner(self);
    depth = 1;
}

void ReleaseModelLock()
{
    if (--depth == 0) {
        SetOwner(0);
        ReleaseSRWLockExclusive(&modelLock);
    }
}
