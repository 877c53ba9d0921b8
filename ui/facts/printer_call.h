// What one entry call fetches from the spooler about its printer, each
// fact once.
#ifndef MARTENUI_PRINTER_CALL_H
#define MARTENUI_PRINTER_CALL_H

#include <windows.h>

#include "platform/holders.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "settings/document_settings.h"

// What one entry call needs from the spooler about its printer: each part
// is fetched at most once, and only when the call asks for it. Fetching runs
// on the caller's thread before anything is computed; the answer is then
// computed from the record alone.
class ResourceLibraryHold;

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
    ModelState model;                 // built from the profile

    bool optionsFetched = false;
    bool optionsRead = false;         // false: the printer has no "DeviceOption"
    DWORD optionsFailure = 0;         // the spooler's error when it has one that could not be read
    DeviceOptionData options;

    bool infoFetched = false;
    HeapBlock info;                   // PRINTER_INFO_2W with its device mode
    DWORD infoFailure = 0;            // why a printer's information could not be had, else 0

    bool driverFetched = false;
    HeapBlock driver;                 // DRIVER_INFO_3W
    DWORD driverFailure = 0;          // why the driver's files could not be listed, else 0
};

// The printer handle of the call: the caller's, else the printer opened by
// name (null when there is neither).
HANDLE CallPrinter(PrinterCall* call);

// The printer's model profile: the cached "DriverProfile" when it is a whole
// record, else the profile file among the driver's files.
const ModelProfile& FetchProfile(PrinterCall* call);

// Why the call's profile is not the printer's: the driver's files could
// not be listed to find the profile file (the profile holds the defaults
// then); 0 when it is the printer's.
DWORD ProfileFailure(const PrinterCall* call);

// The model of the printer's profile, built once per call.
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

// Finds the driver file whose name holds "i.dll" among the call's (or the
// printer's) driver files and loads it, unless a library is loaded already
// (then nothing is looked up).
HMODULE LoadResourceLibraryForCall(PrinterCall* call);

// Loads the library as LoadResourceLibraryForCall does and takes `hold` on
// it, for a sheet or dialog that uses it until it closes; false when no
// library could be loaded.
bool HoldResourceLibraryForCall(PrinterCall* call, ResourceLibraryHold* hold);
HMODULE LoadResourceLibraryForPrinter(HANDLE printer);

#endif
