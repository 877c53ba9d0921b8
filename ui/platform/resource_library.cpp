#include "platform/resource_library.h"

#include <stdint.h>

#include "platform/driver_files.h"
#include "platform/library_lock.h"

namespace {

// Read, set and cleared only under its lock: a string load holds the lock
// while it uses the handle, so a printer event's release can never unload
// the library under it.
LibraryLock libraryLock;
HMODULE resourceLibrary = nullptr;
// Changes whenever the held library is set or released, so that icons
// remembered from a library since released are never used again.
uint32_t libraryGeneration = 0;

constexpr int kRememberedIcons = 128;

struct RememberedIcon {
    uint32_t generation;
    int id;
    int size;
    HICON icon;
};

thread_local RememberedIcon rememberedIcons[kRememberedIcons];

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
        if (!resourceLibrary) {
            resourceLibrary = loaded;
            ++libraryGeneration;
        } else {
            surplus = loaded;   // another thread was quicker
        }
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
        ++libraryGeneration;
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

HICON LoadResourceIcon(int id, int size)
{
    HMODULE library = nullptr;
    uint32_t generation = 0;
    {
        LibraryLockHolder lock(libraryLock);
        library = resourceLibrary;
        generation = libraryGeneration;
    }
    if (!library)
        return nullptr;
    RememberedIcon& slot = rememberedIcons[static_cast<unsigned>(id * 3 + size) % kRememberedIcons];
    if (slot.icon && slot.generation == generation && slot.id == id && slot.size == size)
        return slot.icon;
    const UINT flags = LR_SHARED | (size ? 0 : LR_DEFAULTSIZE);
    auto* icon = static_cast<HICON>(LoadImageW(library, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, flags));
    if (icon)
        slot = {generation, id, size, icon};
    return icon;
}
