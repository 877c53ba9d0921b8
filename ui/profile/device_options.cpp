#include "profile/device_options.h"

#include <winspool.h>

#include "profile/model_state.h"

const WCHAR kDeviceOptionValue[] = L"DeviceOption";

namespace {

DeviceOptionData defaultDeviceOptions = {
    2,          // trayCount
    {0, 0},     // padding
    0,          // securityPrint
    {0},        // securityPassword
    0,          // memoryIndex
    0,          // innerTray
    0,          // outerTray
    0,          // finisher
    0,          // duplexUnit
};

}  // namespace

DeviceOptionData& DefaultDeviceOptions()
{
    return defaultDeviceOptions;
}

bool ReadDeviceOptions(HANDLE printer, DeviceOptionData* options)
{
    ZeroMemory(options, sizeof(*options));
    if (!printer)
        return false;
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD status = GetPrinterDataW(printer, const_cast<WCHAR*>(kDeviceOptionValue), &type,
                                         reinterpret_cast<BYTE*>(options), sizeof(*options), &needed);
    if (status != ERROR_SUCCESS || needed != sizeof(*options)) {
        ZeroMemory(options, sizeof(*options));
        return false;
    }
    return true;
}

DWORD WriteDeviceOptions(HANDLE printer, const DeviceOptionData& options)
{
    return SetPrinterDataW(printer, const_cast<WCHAR*>(kDeviceOptionValue), REG_BINARY,
                           reinterpret_cast<BYTE*>(const_cast<DeviceOptionData*>(&options)), sizeof(options));
}

int32_t InstalledTrayCount(HANDLE printer)
{
    DeviceOptionData options;
    return InstalledTrayCountOf(ReadDeviceOptions(printer, &options) ? &options : nullptr);
}

int32_t InstalledTrayCountOf(const DeviceOptionData* options)
{
    return options ? options->trayCount : Model().defaultTrayCount;
}
