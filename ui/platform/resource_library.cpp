#include "platform/resource_library.h"

#include "platform/holders.h"
#include "platform/library_lock.h"

constexpr int kRememberedIcons = 128;

struct RememberedIcon {
    int id;
    int size;
    HICON icon;
};

// One load of the library, with what lives as long as it does.
struct LoadedResourceLibrary {
    HMODULE module;
    LONG users;         // sheets' and dialogs' references, and loads in progress
    bool kept;          // the reference from LoadResourceLibrary to FreeResourceLibrary
    RememberedIcon icons[kRememberedIcons];
};

namespace {

// `loaded` is read and changed only under the lock, which is never held
// across a platform call. The load it points to stays while it is kept or
// used: a string or icon load first takes a reference, then calls the
// platform without the lock.
LibraryLock libraryLock;
LoadedResourceLibrary* loaded = nullptr;

// The load to end once nothing keeps or uses it: taken out of `loaded`
// under the lock, ended by the caller after it.
LoadedResourceLibrary* DetachIfUnused()
{
    if (!loaded || loaded->kept || loaded->users > 0)
        return nullptr;
    LoadedResourceLibrary* ended = loaded;
    loaded = nullptr;
    return ended;
}

BOOL End(LoadedResourceLibrary* ended)
{
    if (!ended)
        return 0;
    const BOOL freed = ended->module ? FreeLibrary(ended->module) : 0;
    HeapBlock block(ended, sizeof(*ended));
    return freed;
}

// A reference for the length of one platform call, or null.
LoadedResourceLibrary* Use()
{
    LibraryLockHolder lock(libraryLock);
    if (loaded)
        ++loaded->users;
    return loaded;
}

void Unuse(LoadedResourceLibrary* used)
{
    if (!used)
        return;
    LoadedResourceLibrary* ended = nullptr;
    {
        LibraryLockHolder lock(libraryLock);
        --used->users;
        ended = DetachIfUnused();
    }
    End(ended);
}

}  // namespace

HMODULE LoadResourceLibrary(const WCHAR* path)
{
    {
        LibraryLockHolder lock(libraryLock);
        if (loaded) {
            loaded->kept = true;
            return loaded->module;
        }
        if (!path)
            return nullptr;
    }
    // The loader takes its own lock and may run other modules' start-up
    // code: never under ours.
    HMODULE module = LoadLibraryW(path);
    if (!module)
        return nullptr;
    HeapBlock block(sizeof(LoadedResourceLibrary));
    if (!block) {
        FreeLibrary(module);
        return nullptr;
    }
    auto* fresh = block.as<LoadedResourceLibrary>();
    fresh->module = module;
    fresh->kept = true;
    HMODULE held = nullptr;
    {
        LibraryLockHolder lock(libraryLock);
        if (!loaded) {
            loaded = fresh;
            block.release();
        }
        loaded->kept = true;
        held = loaded->module;
    }
    if (block)
        FreeLibrary(module);   // another thread was quicker
    return held;
}

BOOL FreeResourceLibrary()
{
    LoadedResourceLibrary* ended = nullptr;
    {
        LibraryLockHolder lock(libraryLock);
        if (!loaded || !loaded->kept)
            return 0;
        loaded->kept = false;
        ended = DetachIfUnused();
    }
    return ended ? End(ended) : TRUE;
}

HMODULE ResourceLibrary()
{
    LibraryLockHolder lock(libraryLock);
    return loaded ? loaded->module : nullptr;
}

bool ResourceLibraryHold::Take()
{
    Release();
    held_ = Use();
    return held_ != nullptr;
}

void ResourceLibraryHold::Release()
{
    Unuse(held_);
    held_ = nullptr;
}

HMODULE ResourceLibraryHold::module() const
{
    return held_ ? held_->module : nullptr;
}

int ResourceLibraryUsers()
{
    LibraryLockHolder lock(libraryLock);
    return loaded ? static_cast<int>(loaded->users) + (loaded->kept ? 1 : 0) : 0;
}

int LoadResourceString(UINT id, WCHAR* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    LoadedResourceLibrary* used = Use();
    if (!used)
        return 0;
    int length = LoadStringW(used->module, id, buffer, capacity);
    if (length <= 0) {
        buffer[0] = 0;
        length = 0;
    }
    Unuse(used);
    return length;
}

HICON LoadResourceIcon(int id, int size)
{
    LoadedResourceLibrary* used = Use();
    if (!used)
        return nullptr;
    RememberedIcon& slot = used->icons[static_cast<unsigned>(id * 3 + size) % kRememberedIcons];
    HICON icon = nullptr;
    {
        LibraryLockHolder lock(libraryLock);
        if (slot.icon && slot.id == id && slot.size == size)
            icon = slot.icon;
    }
    if (!icon) {
        const UINT flags = LR_SHARED | (size ? 0 : LR_DEFAULTSIZE);
        icon = static_cast<HICON>(LoadImageW(used->module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, flags));
        if (icon) {
            LibraryLockHolder lock(libraryLock);
            slot = {id, size, icon};
        }
    }
    // An icon of a load that ends now is not handed out.
    LoadedResourceLibrary* ended = nullptr;
    {
        LibraryLockHolder lock(libraryLock);
        --used->users;
        ended = DetachIfUnused();
    }
    if (ended) {
        End(ended);
        return nullptr;
    }
    return icon;
}
