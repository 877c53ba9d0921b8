// The library's few shared values (the resource library handle, the
// per-printer profile versions) each have a small lock of their own. One is
// held only while its value is read or changed, never across a call that may
// wait on the spooler, a message loop or a dialog; each thread counts the
// locks it holds, so that a check can see a call made under one.
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
    explicit LibraryLockHolder(LibraryLock& lock) : lock_(lock) { lock_.Acquire(); }
    ~LibraryLockHolder() { lock_.Release(); }
    LibraryLockHolder(const LibraryLockHolder&) = delete;
    LibraryLockHolder& operator=(const LibraryLockHolder&) = delete;

private:
    LibraryLock& lock_;
};

// How many of the library's locks the calling thread holds now.
LONG LibraryLocksHeld();

#endif
