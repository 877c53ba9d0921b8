#include "profile/device_options.h"

#include <winspool.h>

#include "profile/model_state.h"

const WCHAR kDeviceOptionValue[] = L"DeviceOption";

DeviceOptionData DefaultDeviceOptions(const ModelState& model)
{
    DeviceOptionData options = {};
    options.trayCount = static_cast<int16_t>(model.defaultTrayCount);
    options.duplexUnit = model.duplexDefault;
    return options;
}

namespace {

// The value is not there, or is longer than this driver's record: both
// count as absent.
bool IsAbsentValue(DWORD status)
{
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_MORE_DATA;
}

}  // namespace

bool ReadDeviceOptions(HANDLE printer, DeviceOptionData* options, DWORD* failure)
{
    ZeroMemory(options, sizeof(*options));
    if (failure)
        *failure = 0;
    if (!printer)
        return false;
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD status = GetPrinterDataW(printer, const_cast<WCHAR*>(kDeviceOptionValue), &type,
                                         reinterpret_cast<BYTE*>(options), sizeof(*options), &needed);
    if (status != ERROR_SUCCESS || needed != sizeof(*options)) {
        ZeroMemory(options, sizeof(*options));
        if (failure && status != ERROR_SUCCESS && !IsAbsentValue(status))
            *failure = status;
        return false;
    }
    return true;
}

DWORD WriteDeviceOptions(HANDLE printer, const DeviceOptionData& options)
{
    return SetPrinterDataW(printer, const_cast<WCHAR*>(kDeviceOptionValue), REG_BINARY,
                           reinterpret_cast<BYTE*>(const_cast<DeviceOptionData*>(&options)), sizeof(options));
}

int32_t InstalledTrayCountOf(const ModelState& model, const DeviceOptionData* options)
{
    return options ? options->trayCount : model.defaultTrayCount;
}
