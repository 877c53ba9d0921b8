// The library's few shared values (the resource library, the per-printer
// profile versions, the dialogs whose controls are remembered) each have a
// small lock of their own. One is held only while its value is read or
// changed, never across a call that may wait on the spooler, a message loop
// or a dialog; each thread counts the locks it holds, so that a check can
// see a call made under one.
#ifndef MARTENUI_LIBRARY_LOCK_H
#define MARTENUI_LIBRARY_LOCK_H

#include <windows.h>

class LibraryLock {
public:
    void Acquire();
    void Release();
    void AcquireShared();
    void ReleaseShared();

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

class LibraryLockHolder {
public:
    enum Mode { kExclusive, kShared };

    explicit LibraryLockHolder(LibraryLock& lock, Mode mode = kExclusive) : lock_(lock), mode_(mode)
    {
        mode_ == kShared ? lock_.AcquireShared() : lock_.Acquire();
    }
    ~LibraryLockHolder() { mode_ == kShared ? lock_.ReleaseShared() : lock_.Release(); }
    LibraryLockHolder(const LibraryLockHolder&) = delete;
    LibraryLockHolder& operator=(const LibraryLockHolder&) = delete;

private:
    LibraryLock& lock_;
    Mode mode_;
};

// How many of the library's locks the calling thread holds now.
LONG LibraryLocksHeld();

// Gives back the thread slot that counts the locks held; the module calls
// it as it is unloaded.
void ReleaseLibraryLockCounts();

#endif
