#include "platform/resource_library.h"

#include "platform/driver_files.h"
#include "platform/library_lock.h"

namespace {

// Read, set and cleared only under its lock: a string load holds the lock
// while it uses the handle, so a printer event's release can never unload
// the library under it.
LibraryLock libraryLock;
HMODULE resourceLibrary = nullptr;

}  // namespace

HMODULE LoadResourceLibrary(const WCHAR* path)
{
    {
        LibraryLockHolder lock(libraryLock);
        if (resourceLibrary || !path)
            return resourceLibrary;
    }
    // The loader takes its own lock and may run other modules' start-up
    // code: never under the lock.
    HMODULE loaded = LoadLibraryW(path);
    HMODULE surplus = nullptr;
    HMODULE held = nullptr;
    {
        LibraryLockHolder lock(libraryLock);
        if (!resourceLibrary)
            resourceLibrary = loaded;
        else
            surplus = loaded;   // another thread was quicker
        held = resourceLibrary;
    }
    if (surplus)
        FreeLibrary(surplus);
    return held;
}

BOOL FreeResourceLibrary()
{
    HMODULE library = nullptr;
    {
        LibraryLockHolder lock(libraryLock);
        library = resourceLibrary;
        resourceLibrary = nullptr;
    }
    // No string load can be using it now: each one holds the lock throughout.
    return library ? FreeLibrary(library) : 0;
}

HMODULE ResourceLibrary()
{
    LibraryLockHolder lock(libraryLock);
    return resourceLibrary;
}

int LoadResourceString(UINT id, WCHAR* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    LibraryLockHolder lock(libraryLock);
    if (!resourceLibrary)
        return 0;
    const int length = LoadStringW(resourceLibrary, id, buffer, capacity);
    if (length <= 0) {
        buffer[0] = 0;
        return 0;
    }
    return length;
}
