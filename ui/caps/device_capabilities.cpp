#include "caps/device_capabilities.h"

DWORD QueryDeviceCapability(HANDLE /*printer*/, WORD /*index*/, void* /*output*/)
{
    return static_cast<DWORD>(-1);
}
