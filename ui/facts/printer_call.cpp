#include "facts/printer_call.h"

#include <winspool.h>

#include "platform/driver_files.h"
#include "platform/printer_by_name.h"
#include "platform/printer_open.h"
#include "platform/resource_library.h"
#include "profile/model_state.h"
#include "settings/finalize_settings.h"
#include "settings/printer_settings_store.h"

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

DWORD ProfileFailure(const PrinterCall* call)
{
    return call->profileFetched && !call->profileCached ? call->driverFailure : 0;
}

const ModelState& FetchModel(PrinterCall* call)
{
    if (!call->modelBuilt) {
        const ModelProfile& profile = FetchProfile(call);
        call->modelBuilt = true;
        BuildModel(profile, &call->model);
    }
    return call->model;
}

const DeviceOptionData* FetchDeviceOptions(PrinterCall* call)
{
    if (!call->optionsFetched) {
        call->optionsFetched = true;
        call->optionsRead = ReadDeviceOptions(CallPrinter(call), &call->options, &call->optionsFailure);
    }
    return call->optionsRead ? &call->options : nullptr;
}

const PRINTER_INFO_2W* FetchPrinterInfo(PrinterCall* call)
{
    if (!call->infoFetched) {
        call->infoFetched = true;
        HANDLE printer = CallPrinter(call);
        SetLastError(ERROR_SUCCESS);
        call->info = GetPrinterInfo2(printer);
        if (printer && !call->info) {
            // The spooler names its reason; a block that could not be had
            // names none.
            const DWORD error = GetLastError();
            call->infoFailure = error ? error : ERROR_NOT_ENOUGH_MEMORY;
        }
    }
    return call->info.as<PRINTER_INFO_2W>();
}

HeapBlock& FetchDriverInfo(PrinterCall* call)
{
    if (!call->driverFetched) {
        call->driverFetched = true;
        if (HANDLE printer = CallPrinter(call)) {
            SetLastError(ERROR_SUCCESS);
            call->driver = GetDriverInfo(printer);
            if (!call->driver) {
                // The spooler names its reason; a block that could not be
                // had names none.
                const DWORD error = GetLastError();
                call->driverFailure = error ? error : ERROR_NOT_ENOUGH_MEMORY;
            }
        }
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

int ReadCallPrinterSettings(PrinterCall* call, void* publicPart, void* privatePart)
{
    FetchPrinterInfo(call);
    return CopyPrinterSettings(call->info, publicPart, privatePart);
}

HMODULE LoadResourceLibraryForPrinter(HANDLE printer)
{
    PrinterCall call;
    call.printer = printer;
    return LoadResourceLibraryForCall(&call);
}

HMODULE LoadResourceLibraryForCall(PrinterCall* call)
{
    // Located only when it is not loaded yet (a null path keeps the one
    // loaded).
    if (HMODULE held = LoadResourceLibrary(nullptr))
        return held;
    WCHAR path[kDriverPathChars];
    FindCallDriverFile(call, kResourceLibraryFragment, path);
    return LoadResourceLibrary(path);
}

bool HoldResourceLibraryForCall(PrinterCall* call, ResourceLibraryHold* hold)
{
    // A printer event on another thread may release the library between
    // the load and the hold: then it is loaded once more.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (LoadResourceLibraryForCall(call) && hold->Take())
            return true;
    }
    return false;
}
