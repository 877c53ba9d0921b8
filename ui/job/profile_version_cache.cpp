#include "job/profile_version_cache.h"

#include <strsafe.h>

#include "platform/library_lock.h"

namespace {

constexpr int kEntries = 8;
constexpr int kVersionTextChars = 32;   // as the job facts keep it

struct CachedVersion {
    WCHAR printerName[kCachedPrinterNameChars];
    WCHAR version[kVersionTextChars];
};

// Its own lock: a lookup never waits on another lock or a platform call.
LibraryLock cacheLock;
CachedVersion entries[kEntries];
int entryCount = 0;
int nextReplaced = 0;

bool UsableName(const WCHAR* printerName)
{
    size_t length = 0;
    return printerName && printerName[0] &&
           SUCCEEDED(StringCchLengthW(printerName, kCachedPrinterNameChars, &length));
}

// Printer names are the spooler's keys: the same characters, ignoring case.
bool SameName(const WCHAR* a, const WCHAR* b)
{
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

bool FindCachedProfileVersion(const WCHAR* printerName, WCHAR* version, int capacity)
{
    if (!UsableName(printerName) || !version || capacity < 1)
        return false;
    bool found = false;
    cacheLock.AcquireShared();
    for (int i = 0; i < entryCount && !found; ++i) {
        if (SameName(entries[i].printerName, printerName)) {
            StringCchCopyW(version, capacity, entries[i].version);
            found = true;
        }
    }
    cacheLock.ReleaseShared();
    return found;
}

void RememberProfileVersion(const WCHAR* printerName, const WCHAR* version)
{
    if (!UsableName(printerName) || !version)
        return;
    cacheLock.Acquire();
    int slot = -1;
    for (int i = 0; i < entryCount && slot < 0; ++i) {
        if (SameName(entries[i].printerName, printerName))
            slot = i;
    }
    if (slot < 0) {
        if (entryCount < kEntries) {
            slot = entryCount++;
        } else {
            slot = nextReplaced;
            nextReplaced = (nextReplaced + 1) % kEntries;
        }
    }
    StringCchCopyW(entries[slot].printerName, kCachedPrinterNameChars, printerName);
    StringCchCopyW(entries[slot].version, kVersionTextChars, version);
    cacheLock.Release();
}

void ForgetProfileVersions()
{
    cacheLock.Acquire();
    entryCount = 0;
    nextReplaced = 0;
    cacheLock.Release();
}
