#include "entry/printer_access.h"

#include <winspool.h>

#include "entry/driver_files.h"
#include "entry/printer_by_name.h"
#include "profile/model_state.h"
#include "settings/finalize_settings.h"
#include "settings/record_name.h"

namespace {

const WCHAR kUserSettingsKey[] = L"Printers\\DevModes2";

// Level-2 information with its device mode and names fits this in practice,
// so that one call fetches it; a larger one takes a second call.
constexpr DWORD kPrinterInfoGuessBytes = 8192;

HANDLE OpenPrinterWith(const WCHAR* printerName, ACCESS_MASK access)
{
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    HANDLE printer = nullptr;
    if (!printerName || !printerName[0] || !OpenPrinterW(const_cast<WCHAR*>(printerName), &printer, &defaults))
        return nullptr;
    return printer;
}

}  // namespace

HANDLE OpenPrinterFull(const WCHAR* printerName)
{
    return OpenPrinterWith(printerName, PRINTER_ALL_ACCESS);
}

HANDLE OpenPrinterForReading(const WCHAR* printerName)
{
    return OpenPrinterWith(printerName, PRINTER_ACCESS_USE);
}

HeapBlock GetPrinterInfo2(HANDLE printer)
{
    if (!printer)
        return HeapBlock();
    HeapBlock block(kPrinterInfoGuessBytes);
    DWORD needed = 0;
    if (block && GetPrinterW(printer, 2, block.as<BYTE>(), kPrinterInfoGuessBytes, &needed))
        return block;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= kPrinterInfoGuessBytes)
        return HeapBlock();
    block = HeapBlock(needed);
    if (!block || !GetPrinterW(printer, 2, block.as<BYTE>(), needed, &needed))
        return HeapBlock();
    return block;
}

HANDLE CallPrinter(PrinterCall* call)
{
    if (call->printer)
        return call->printer;
    if (call->printerName && !call->opened) {
        call->opened.reset(OpenPrinterForReading(call->printerName));
        call->printerName = nullptr;   // tried once
    }
    return call->opened.get();
}

const ModelProfile& FetchProfile(PrinterCall* call)
{
    if (!call->profileFetched) {
        call->profileFetched = true;
        call->profileCached = ReadCachedProfile(CallPrinter(call), &call->profile);
        if (!call->profileCached) {
            WCHAR path[kDriverPathChars];
            FindCallDriverFile(call, kProfileFragment, path);
            ReadModelProfile(path, &call->profile);
        }
    }
    return call->profile;
}

const ModelState& FetchModel(PrinterCall* call)
{
    if (!call->modelBuilt) {
        const ModelProfile& profile = FetchProfile(call);
        call->modelBuilt = true;
        call->model = HeapBlock(sizeof(ModelState));
        if (call->model)
            BuildModel(profile, call->model.as<ModelState>());
    }
    // Without memory for its own the call answers from the load-time model.
    return call->model ? *call->model.as<ModelState>() : LoadTimeModel();
}

const DeviceOptionData* FetchDeviceOptions(PrinterCall* call)
{
    if (!call->optionsFetched) {
        call->optionsFetched = true;
        call->optionsRead = ReadDeviceOptions(CallPrinter(call), &call->options);
    }
    return call->optionsRead ? &call->options : nullptr;
}

const PRINTER_INFO_2W* FetchPrinterInfo(PrinterCall* call)
{
    if (!call->infoFetched) {
        call->infoFetched = true;
        call->info = GetPrinterInfo2(CallPrinter(call));
    }
    return call->info.as<PRINTER_INFO_2W>();
}

HeapBlock& FetchDriverInfo(PrinterCall* call)
{
    if (!call->driverFetched) {
        call->driverFetched = true;
        if (HANDLE printer = CallPrinter(call))
            call->driver = GetDriverInfo(printer);
    }
    return call->driver;
}

const WCHAR* CallPrinterName(PrinterCall* call)
{
    if (call->knownName && call->knownName[0])
        return call->knownName;
    const PRINTER_INFO_2W* info = FetchPrinterInfo(call);
    return info ? info->pPrinterName : nullptr;
}

int FindCallDriverFile(PrinterCall* call, const WCHAR* fragment, WCHAR path[MAX_PATH])
{
    return FindDriverFileIn(FetchDriverInfo(call), fragment, path);
}

const DocumentSettings* FetchPrinterSettings(PrinterCall* call)
{
    const PRINTER_INFO_2W* info = FetchPrinterInfo(call);
    if (!info || !info->pDevMode)
        return nullptr;
    // The spooler keeps whatever device mode was stored last: it counts only
    // when it lies inside the block and is a complete record of this driver.
    const BYTE* start = call->info.as<BYTE>();
    const BYTE* at = reinterpret_cast<const BYTE*>(info->pDevMode);
    if (at < start || at >= start + call->info.size())
        return nullptr;
    const auto* settings = reinterpret_cast<const DocumentSettings*>(at);
    const size_t available = static_cast<size_t>(start + call->info.size() - at);
    if (!IsCompleteSettingsRecord(settings, available) || settings->choiceMagic != kChoiceMagic)
        return nullptr;
    return settings;
}

namespace {

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

}  // namespace

int ReadPrinterSettings(HANDLE printer, void* publicPart, void* privatePart)
{
    return CopyPrinterSettings(GetPrinterInfo2(printer), publicPart, privatePart);
}

int ReadCallPrinterSettings(PrinterCall* call, void* publicPart, void* privatePart)
{
    FetchPrinterInfo(call);
    return CopyPrinterSettings(call->info, publicPart, privatePart);
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
    const bool read = (printer && ReadPrinterSettings(printer.get(), record, record + kSettingsHeaderBytes)) ||
                      (printerName && ReadUserSettings(printerName, record));
    if (!read)
        return FALSE;
    // The record names this printer whatever it was stored with, and
    // carries nothing of the spooler's heap after its names.
    NameStoredRecord(reinterpret_cast<DocumentSettings*>(output), printerName);
    return TRUE;
}
