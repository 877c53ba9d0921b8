#include "driver_entry_points.h"

#include <winspool.h>

#include "platform/driver_files.h"

namespace {

// Through void*: an entry point's real type is not GetProcAddress's.
template <typename Function>
void Resolve(HMODULE module, const char* name, Function* entry)
{
    *entry = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool LoadDriverEntryPoints(HANDLE printer, DriverEntryPoints* entries)
{
    HeapBlock info = GetDriverInfo(printer);
    if (!info || !info.as<DRIVER_INFO_3W>()->pConfigFile)
        return false;
    entries->module = LoadLibraryW(info.as<DRIVER_INFO_3W>()->pConfigFile);
    if (!entries->module)
        return false;
    Resolve(entries->module, "DrvPrinterEvent", &entries->printerEvent);
    Resolve(entries->module, "DrvDeviceCapabilities", &entries->deviceCapabilities);
    Resolve(entries->module, "DrvDocumentEvent", &entries->documentEvent);
    return entries->printerEvent && entries->deviceCapabilities && entries->documentEvent;
}
