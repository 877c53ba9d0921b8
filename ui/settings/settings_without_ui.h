// The document settings an application asks for without a user interface:
// the printer's (or the user's) settings, merged with the application's
// record, finalized for printing and copied out.
#ifndef MARTENUI_SETTINGS_WITHOUT_UI_H
#define MARTENUI_SETTINGS_WITHOUT_UI_H

#include <windows.h>

#include "platform/driver_interface.h"

// The header's request with `printer` (the header's handle, or the one
// opened for its printer name). Returns 1; -1 with the reason as the last
// error when the printer's stored settings or installed options exist but
// cannot be read, or memory runs out (the output is then untouched).
LONG SettingsWithoutUi(const DOCUMENTPROPERTYHEADER& header, HANDLE printer);

#endif
