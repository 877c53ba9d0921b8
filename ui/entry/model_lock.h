// One process-wide lock around the library-wide model state.
//
// The spooler and applications call the driver from several threads, for
// printers of different models; each entry point loads its printer's profile
// into the library-wide tables and then answers from them. Holding this lock
// from the load to the answer keeps one printer's model out of another's
// answer. It is recursive. It is never held across a call that may wait on
// the platform (the spooler, the profile files, the library loader, the
// shell, a message loop): callers fetch what they need first.
#ifndef MARTENUI_MODEL_LOCK_H
#define MARTENUI_MODEL_LOCK_H

#include <windows.h>

void AcquireModelLock();
void ReleaseModelLock();

class ModelLockHolder {
public:
    ModelLockHolder() { AcquireModelLock(); }
    ~ModelLockHolder() { ReleaseModelLock(); }
    ModelLockHolder(const ModelLockHolder&) = delete;
    ModelLockHolder& operator=(const ModelLockHolder&) = delete;
};

#endif
