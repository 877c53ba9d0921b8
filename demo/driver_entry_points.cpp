#include "driver_entry_points.h"

#include <winspool.h>

#include "entry/driver_files.h"

bool LoadDriverEntryPoints(HANDLE printer, DriverEntryPoints* entries)
{
    HeapBlock info = GetDriverInfo(printer);
    if (!info || !info.as<DRIVER_INFO_3W>()->pConfigFile)
        return false;
    entries->module = LoadLibraryW(info.as<DRIVER_INFO_3W>()->pConfigFile);
    if (!entries->module)
        return false;
    entries->printerEvent = reinterpret_cast<decltype(entries->printerEvent)>(
        GetProcAddress(entries->module, "DrvPrinterEvent"));
    entries->deviceCapabilities = reinterpret_cast<decltype(entries->deviceCapabilities)>(
        GetProcAddress(entries->module, "DrvDeviceCapabilities"));
    entries->documentEvent = reinterpret_cast<decltype(entries->documentEvent)>(
        GetProcAddress(entries->module, "DrvDocumentEvent"));
    return entries->printerEvent && entries->deviceCapabilities && entries->documentEvent;
}
