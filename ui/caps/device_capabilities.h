// Answers to the platform's device capability queries (DC_ indices).
#ifndef MARTENUI_DEVICE_CAPABILITIES_H
#define MARTENUI_DEVICE_CAPABILITIES_H

#include <windows.h>

// The answer to capability `index` for `printer`; writes the items into
// `output` when it is given. (DWORD)-1 for an unsupported index.
DWORD QueryDeviceCapability(HANDLE printer, WORD index, void* output);

#endif
