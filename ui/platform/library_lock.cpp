#include "platform/library_lock.h"

namespace {

// Only the owning thread reads or writes its own count.
thread_local LONG locksHeld = 0;

}  // namespace

void LibraryLock::Acquire()
{
    AcquireSRWLockExclusive(&lock_);
    ++locksHeld;
}

void LibraryLock::Release()
{
    --locksHeld;
    ReleaseSRWLockExclusive(&lock_);
}

void LibraryLock::AcquireShared()
{
    AcquireSRWLockShared(&lock_);
    ++locksHeld;
}

void LibraryLock::ReleaseShared()
{
    --locksHeld;
    ReleaseSRWLockShared(&lock_);
}

LONG LibraryLocksHeld()
{
    return locksHeld;
}
