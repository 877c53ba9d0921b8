// The installed-options record of one printer: trays, memory, security print,
// duplex unit, output trays and finisher. Stored as printer data
// "DeviceOption", 36 bytes, little-endian.
#ifndef MARTENUI_DEVICE_OPTIONS_H
#define MARTENUI_DEVICE_OPTIONS_H

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

struct DeviceOptionData {
    int16_t trayCount;            // paper trays installed
    uint8_t padding[2];
    int32_t securityPrint;        // 1 = security print password on
    WCHAR securityPassword[5];    // at most 4 characters, zero-terminated
    int16_t memoryIndex;          // 0 None, 1 2 MB .. 5 10 MB
    int32_t innerTray;            // 1 = inner output tray installed
    int32_t outerTray;            // 1 = outer output tray installed
    int32_t finisher;             // 1 = finisher installed
    int32_t duplexUnit;           // 1 = duplex unit installed
};
static_assert(sizeof(DeviceOptionData) == 36, "DeviceOptionData is a stored record");
static_assert(offsetof(DeviceOptionData, trayCount) == 0, "layout");
static_assert(offsetof(DeviceOptionData, padding) == 2, "layout");
static_assert(offsetof(DeviceOptionData, securityPrint) == 4, "layout");
static_assert(offsetof(DeviceOptionData, securityPassword) == 8, "layout");
static_assert(offsetof(DeviceOptionData, memoryIndex) == 18, "layout");
static_assert(offsetof(DeviceOptionData, innerTray) == 20, "layout");
static_assert(offsetof(DeviceOptionData, outerTray) == 24, "layout");
static_assert(offsetof(DeviceOptionData, finisher) == 28, "layout");
static_assert(offsetof(DeviceOptionData, duplexUnit) == 32, "layout");

extern const WCHAR kDeviceOptionValue[];   // "DeviceOption"

struct ModelState;

// The options of a printer without a record: the model's default trays
// (DEFNUMBER) and duplex unit (DUPLEXDEF), nothing else installed.
DeviceOptionData DefaultDeviceOptions(const ModelState& model);

// Reads the printer's "DeviceOption". A value of any size other than 36
// bytes counts as absent: false, and `options` is zero-filled. `failure`
// (may be null) gets 0 when the record was read or is absent, else the
// spooler's error: a record that exists but cannot be read is not absent.
bool ReadDeviceOptions(HANDLE printer, DeviceOptionData* options, DWORD* failure = nullptr);

// Writes the record as "DeviceOption" (REG_BINARY, 36 bytes); the
// SetPrinterDataW result.
DWORD WriteDeviceOptions(HANDLE printer, const DeviceOptionData& options);

// Installed trays: the stored trayCount, or the model's defaultTrayCount
// when the printer has no readable record (null).
int32_t InstalledTrayCountOf(const ModelState& model, const DeviceOptionData* options);

#endif
