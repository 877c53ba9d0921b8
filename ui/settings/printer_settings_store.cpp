#include "settings/printer_settings_store.h"

#include <winspool.h>

#include "platform/printer_open.h"
#include "settings/document_settings.h"

int CopyPrinterSettings(const HeapBlock& info, void* publicPart, void* privatePart)
{
    if (!info)
        return 0;
    const BYTE* devMode = reinterpret_cast<const BYTE*>(info.as<PRINTER_INFO_2W>()->pDevMode);
    if (!devMode)
        return 0;

    // The spooler hands back one block: the record must lie whole inside it,
    // and must claim to be at least a whole record of this driver.
    const BYTE* blockEnd = info.as<BYTE>() + info.size();
    if (devMode < info.as<BYTE>() || devMode + kSettingsBytes > blockEnd)
        return 0;
    const auto* header = reinterpret_cast<const DEVMODEW*>(devMode);
    if (static_cast<DWORD>(header->dmSize) + header->dmDriverExtra < kSettingsBytes)
        return 0;

    CopyMemory(publicPart, devMode, kSettingsHeaderBytes);
    CopyMemory(privatePart, devMode + kSettingsHeaderBytes, kSettingsPrivateBytes);
    return 1;
}

int ReadPrinterSettings(HANDLE printer, void* publicPart, void* privatePart)
{
    return CopyPrinterSettings(GetPrinterInfo2(printer), publicPart, privatePart);
}

bool WritePrinterSettings(HANDLE printer, const void* settings)
{
    HeapBlock info = GetPrinterInfo2(printer);
    if (!info)
        return false;
    auto* printerInfo = info.as<PRINTER_INFO_2W>();
    printerInfo->pDevMode = static_cast<DEVMODEW*>(const_cast<void*>(settings));
    return SetPrinterW(printer, 2, info.as<BYTE>(), 0) != FALSE;
}
