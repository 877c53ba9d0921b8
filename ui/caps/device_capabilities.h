// Answers to the platform's device capability queries (DC_ indices).
#ifndef MARTENUI_DEVICE_CAPABILITIES_H
#define MARTENUI_DEVICE_CAPABILITIES_H

#include <windows.h>

// The answer to capability `index` for a printer given by handle or, when
// the handle is null, by `deviceName` (opened for reading for the call);
// writes the items into `output` when it is given. (DWORD)-1 for an
// unsupported index.
DWORD QueryDeviceCapability(HANDLE printer, const WCHAR* deviceName, WORD index, void* output);

// Slots of the name answers, in UTF-16 units.
constexpr int kPaperNameSlotChars = 64;
constexpr int kBinNameSlotChars = 24;

// Copies at most `copied` units of `name` into `slot` and zero-fills the
// rest of its `slotChars` units.
void CopyNameField(WCHAR* slot, const WCHAR* name, int copied, int slotChars);

#endif
