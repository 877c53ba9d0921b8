// Printer access, the printer's default settings, the per-user settings
// store, and device-mode conversion.
#ifndef MARTENUI_PRINTER_ACCESS_H
#define MARTENUI_PRINTER_ACCESS_H

#include <windows.h>

#include "entry/holders.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "settings/document_settings.h"

// Opens a printer by name with full access; null when that fails.
HANDLE OpenPrinterFull(const WCHAR* printerName);
// Opens a printer by name with read access (PRINTER_ACCESS_USE); null when
// that fails or without a name.
HANDLE OpenPrinterForReading(const WCHAR* printerName);

// The printer's PRINTER_INFO_2W in a zero-filled process-heap block, or an
// empty block.
HeapBlock GetPrinterInfo2(HANDLE printer);

// Copies the printer's default device mode: its first 220 bytes into
// `publicPart` and the 3868 that follow into `privatePart`; 1 on success.
// A device mode shorter than a whole record (another driver's) counts as
// absent, and nothing is read past what the spooler returned.
int ReadPrinterSettings(HANDLE printer, void* publicPart, void* privatePart);

// Stores a whole 4088-byte record as the printer's default device mode.
void WritePrinterSettings(HANDLE printer, const void* settings);

// The current user's stored record for `valueName` under
// HKCU\Printers\DevModes2: exactly 4088 bytes, else 0 and `destination`
// untouched.
int ReadUserSettings(const WCHAR* valueName, void* destination);

// Stores the 4088-byte record for `valueName`; the key is opened, never
// created, so without it nothing is stored.
void WriteUserSettings(const WCHAR* valueName, const void* settings);

// What one entry call needs from the spooler about its printer: each part
// is fetched at most once, and only when the call asks for it. Fetching runs
// on the caller's thread before anything is computed; the answer is then
// computed from the record alone.
struct PrinterCall {
    HANDLE printer = nullptr;
    // Without a handle: the printer's name, opened for reading on first need.
    const WCHAR* printerName = nullptr;
    UniquePrinter opened;
    // The printer's name when the caller knows it, with or without a handle:
    // the key of what the library remembers per printer. May stay null.
    const WCHAR* knownName = nullptr;

    bool profileFetched = false;
    ModelProfile profile;             // "DriverProfile", else the profile file
    bool profileCached = false;       // it was "DriverProfile"

    bool modelBuilt = false;
    HeapBlock model;                  // ModelState built from the profile

    bool optionsFetched = false;
    bool optionsRead = false;         // false: the printer has no "DeviceOption"
    DeviceOptionData options;

    bool infoFetched = false;
    HeapBlock info;                   // PRINTER_INFO_2W with its device mode

    bool driverFetched = false;
    HeapBlock driver;                 // DRIVER_INFO_3W
};

// The printer handle of the call: the caller's, else the printer opened by
// name (null when there is neither).
HANDLE CallPrinter(PrinterCall* call);

// The printer's model profile: the cached "DriverProfile" when it is a whole
// record, else the profile file among the driver's files.
const ModelProfile& FetchProfile(PrinterCall* call);

// The model of the printer's profile, built once per call.
struct ModelState;
const ModelState& FetchModel(PrinterCall* call);

// The printer's installed options, or null when it has no readable record.
const DeviceOptionData* FetchDeviceOptions(PrinterCall* call);

// The printer's level-2 information, or null.
const PRINTER_INFO_2W* FetchPrinterInfo(PrinterCall* call);

// The printer driver's files (the block of DRIVER_INFO_3W), possibly empty.
HeapBlock& FetchDriverInfo(PrinterCall* call);

// The name of the call's printer: the one the caller gave, else the one
// in the printer's level-2 information; null when there is neither.
const WCHAR* CallPrinterName(PrinterCall* call);

// FindDriverFile over the driver files of the call.
int FindCallDriverFile(PrinterCall* call, const WCHAR* fragment, WCHAR path[MAX_PATH]);

// ReadPrinterSettings from the call's level-2 information.
int ReadCallPrinterSettings(PrinterCall* call, void* publicPart, void* privatePart);

// The printer's default device mode when it is a whole record of this
// driver with its choice block, or null.
const DocumentSettings* FetchPrinterSettings(PrinterCall* call);

// DrvConvertDevMode: every request yields the printer's stored default
// settings, or the user's stored copy when the printer's cannot be read,
// named after the printer.
BOOL ConvertDevMode(const WCHAR* printerName, const DEVMODEW* input, DEVMODEW* output, LONG* size, DWORD mode);

#endif
