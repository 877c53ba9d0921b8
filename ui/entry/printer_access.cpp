#include "entry/printer_access.h"

#include <winspool.h>

namespace {

const WCHAR kUserSettingsKey[] = L"Printers\\DevModes2";

}  // namespace

HANDLE OpenPrinterFull(const WCHAR* printerName)
{
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<WCHAR*>(printerName), &printer, &defaults))
        return nullptr;
    return printer;
}

HeapBlock GetPrinterInfo2(HANDLE printer)
{
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    if (needed == 0)
        return HeapBlock();
    HeapBlock block(needed);
    if (!block || !GetPrinterW(printer, 2, block.as<BYTE>(), needed, &needed))
        return HeapBlock();
    return block;
}

int ReadPrinterSettings(HANDLE printer, void* publicPart, void* privatePart)
{
    HeapBlock info = GetPrinterInfo2(printer);
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

void WritePrinterSettings(HANDLE printer, const void* settings)
{
    HeapBlock info = GetPrinterInfo2(printer);
    if (!info)
        return;
    auto* printerInfo = info.as<PRINTER_INFO_2W>();
    printerInfo->pDevMode = static_cast<DEVMODEW*>(const_cast<void*>(settings));
    SetPrinterW(printer, 2, info.as<BYTE>(), 0);
}

int ReadUserSettings(const WCHAR* valueName, void* destination)
{
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserSettingsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return 0;

    // Read into a scratch record first: a shorter value must not leave a
    // partial record in the caller's buffer.
    HeapBlock scratch(kSettingsBytes);
    if (!scratch)
        return 0;
    DWORD type = 0;
    DWORD size = kSettingsBytes;
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, scratch.as<BYTE>(), &size) != ERROR_SUCCESS ||
        size != kSettingsBytes)
        return 0;
    CopyMemory(destination, scratch.get(), kSettingsBytes);
    return 1;
}

void WriteUserSettings(const WCHAR* valueName, const void* settings)
{
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserSettingsKey, 0, KEY_WRITE, key.put()) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key.get(), valueName, 0, REG_BINARY, static_cast<const BYTE*>(settings), kSettingsBytes);
}

BOOL ConvertDevMode(const WCHAR* printerName, const DEVMODEW* /*input*/, DEVMODEW* output, LONG* size,
                    DWORD /*mode*/)
{
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!output) {
        *size = kSettingsBytes;
        return FALSE;
    }
    if (*size < static_cast<LONG>(kSettingsBytes)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }

    UniquePrinter printer(printerName ? OpenPrinterFull(printerName) : nullptr);
    BYTE* record = reinterpret_cast<BYTE*>(output);
    if (printer && ReadPrinterSettings(printer.get(), record, record + kSettingsHeaderBytes))
        return TRUE;
    return printerName && ReadUserSettings(printerName, record) ? TRUE : FALSE;
}
