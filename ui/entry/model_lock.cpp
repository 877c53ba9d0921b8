#include "entry/model_lock.h"

namespace {

// An SRW lock needs no initialisation at load; recursion is tracked per thread
// so that an entry point may call another operation that takes the lock too.
SRWLOCK modelLock = SRWLOCK_INIT;
DWORD ownerThread = 0;
LONG depth = 0;

}  // namespace

void AcquireModelLock()
{
    const DWORD self = GetCurrentThreadId();
    if (ownerThread == self) {
        ++depth;
        return;
    }
    AcquireSRWLockExclusive(&modelLock);
    ownerThread = self;
    depth = 1;
}

void ReleaseModelLock()
{
    if (--depth == 0) {
        ownerThread = 0;
        ReleaseSRWLockExclusive(&modelLock);
    }
}
