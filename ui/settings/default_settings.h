// The default document settings: one process-wide template that every path
// starting from defaults copies whole.
//
// The template is guarded by the model lock: rebuild it, apply the colour
// options and copy it in one sequence under that lock (CopyDefaultSettings
// does), so that two threads building defaults for different printers never
// mix their values.
#ifndef MARTENUI_DEFAULT_SETTINGS_H
#define MARTENUI_DEFAULT_SETTINGS_H

#include <windows.h>

#include "profile/model_profile.h"
#include "settings/document_settings.h"

// The user-defined paper size of fresh defaults (A4), in 0.1 mm.
constexpr int16_t kDefaultUserPaperWidth = 2100;
constexpr int16_t kDefaultUserPaperLength = 2970;

// The template as it is now. Read it under the model lock.
const DocumentSettings& DefaultTemplate();

// Refreshes the template from the applied model profile. A non-empty printer
// name puts its part after the last backslash (at most 31 units) in
// dmDeviceName; without one the template keeps the name it has. Ends by
// building the PJL texts without a printer.
void BuildDefaultSettings(const WCHAR* printerName);
// The same with the PJL facts of no printer gathered already, for callers
// that hold the model lock.
struct PjlJobFacts;
void BuildDefaultSettingsWith(const WCHAR* printerName, const PjlJobFacts& facts);

// Takes the profile's colour and output-order options into the template;
// nothing without a profile.
void ApplyProfileColourOptions(const ModelProfile* profile);

// BuildDefaultSettings, ApplyProfileColourOptions and a whole copy of the
// template into `output`, under the model lock.
void CopyDefaultSettings(const WCHAR* printerName, const ModelProfile* profile, DocumentSettings* output);
// The same with the PJL facts of no printer gathered already: makes no
// platform call, for callers that hold the model lock.
void CopyDefaultSettingsWith(const WCHAR* printerName, const ModelProfile* profile, const PjlJobFacts& facts,
                             DocumentSettings* output);

// Puts the template back as it is at load (tests and tools only).
void ResetDefaultTemplateForTesting();

#endif
