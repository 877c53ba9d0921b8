// What a sheet knows of its printer: gathered from the spooler once, at the
// sheet's INIT, into a block that holds the sheet's state as its first
// member. Page messages read only this; they make no spooler call.
#ifndef MARTENUI_SHEET_MODEL_H
#define MARTENUI_SHEET_MODEL_H

#include <windows.h>

#include "sheet/sheet_state.h"
#include "platform/holders.h"
#include "platform/resource_library.h"
#include "facts/printer_call.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"

constexpr int kOverlayCount = 10;
constexpr int kOverlayNameChars = 17;

struct SheetFacts {
    ModelProfile profile;
    ModelState model;
    bool profileCached;               // the printer's "DriverProfile" was a whole record
    bool optionsRead;                 // false: the printer has no "DeviceOption"
    DeviceOptionData options;         // zero-filled when none; the Device Options page's apply updates it
    // A stored record that exists but could not be read: the spooler's
    // error, else 0. Its page tells the user once and saves nothing the
    // user did not change.
    DWORD optionsFailure;
    DWORD fontSubsFailure;
    bool optionsFailureTold;
    bool fontSubsFailureTold;
    bool userSettingsFailureTold;     // the user's own store refused the sheet's record
    bool optionsEdited;               // the user changed something on the page
    bool fontSubsEdited;
    int16_t userPaperWidth;           // the printer's settings' user size, else the default one
    int16_t userPaperLength;
    bool overlaysStored;              // false: the printer has no "Overlay" names
    WCHAR overlayNames[kOverlayCount][kOverlayNameChars];
    HeapBlock fontSubs;               // "FontSubs" as stored (device sheet only)
    HeapBlock driverInfo;             // DRIVER_INFO_3W, possibly empty
    ResourceLibraryHold library;      // the resource library, for as long as the sheet is open
    bool loadingPaperControls;        // the Paper/Layout page is selecting its paper itself
};

// Fetches everything the sheet's pages read, then allocates the block of
// state and facts; null without memory. `call` names the printer (its
// handle may be null: the pages then show the model's defaults).
// `deviceSheet` picks what only the device pages read (the font
// substitutions) over what only the document pages read (the overlay names
// and the printer's user size).
SheetState* GatherSheet(PrinterCall* call, bool deviceSheet);

// The facts of a state that GatherSheet made.
const SheetFacts& SheetFactsOf(const SheetState* state);
SheetFacts& MutableSheetFactsOf(SheetState* state);

// The model of the sheet a page belongs to; the load-time model before the
// page holds its state.
const ModelState& PageModel(HWND page);

// Frees a block from GatherSheet (null is fine).
void FreeSheet(SheetState* state);

#endif
