// The document settings an application asks for without a user interface:
// the printer's (or the user's) settings, merged with the application's
// record, finalized for printing and copied out.
#ifndef MARTENUI_SETTINGS_WITHOUT_UI_H
#define MARTENUI_SETTINGS_WITHOUT_UI_H

#include <windows.h>

#include "entry/driver_interface.h"
#include "profile/model_profile.h"
#include "settings/document_settings.h"

// The header's request with `printer` (the header's handle, or the one
// opened for its printer name). Returns 1.
LONG SettingsWithoutUi(const DOCUMENTPROPERTYHEADER& header, HANDLE printer);

// The model's defaults for `printerName` into `output`; a model without a
// default paper gets the first. The caller holds the model lock, with the
// printer's profile applied.
void CopyModelDefaults(const WCHAR* printerName, ModelProfile* profile, DocumentSettings* output);
// The same with the PJL facts of no printer gathered already: no platform call.
struct PjlJobFacts;
void CopyModelDefaultsWith(const WCHAR* printerName, ModelProfile* profile, const PjlJobFacts& facts,
                           DocumentSettings* output);

#endif
