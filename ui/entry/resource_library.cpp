#include "entry/resource_library.h"

#include "entry/driver_files.h"
#include "entry/model_lock.h"

namespace {

HMODULE resourceLibrary = nullptr;

}  // namespace

HMODULE LoadResourceLibrary(const WCHAR* path)
{
    ModelLockHolder lock;
    if (!resourceLibrary && path)
        resourceLibrary = LoadLibraryW(path);
    return resourceLibrary;
}

BOOL FreeResourceLibrary()
{
    ModelLockHolder lock;
    if (!resourceLibrary)
        return 0;
    const BOOL result = FreeLibrary(resourceLibrary);
    resourceLibrary = nullptr;
    return result;
}

HMODULE ResourceLibrary()
{
    return resourceLibrary;
}

HMODULE LoadResourceLibraryForPrinter(HANDLE printer)
{
    WCHAR path[kDriverPathChars];
    FindDriverFile(printer, kResourceLibraryFragment, path);
    return LoadResourceLibrary(path);
}

int LoadResourceString(UINT id, WCHAR* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    const HMODULE library = resourceLibrary;
    if (!library)
        return 0;
    const int length = LoadStringW(library, id, buffer, capacity);
    if (length <= 0) {
        buffer[0] = 0;
        return 0;
    }
    return length;
}
