// The default document settings of a printer: built per call into the
// caller's own record, from the applied model, the printer's profile and its
// name. Nothing of one call's defaults is kept for the next, so that calls
// for different printers on different threads never see each other's bytes.
#ifndef MARTENUI_DEFAULT_SETTINGS_H
#define MARTENUI_DEFAULT_SETTINGS_H

#include <windows.h>

#include "profile/model_profile.h"
#include "settings/document_settings.h"

// The user-defined paper size of fresh defaults (A4), in 0.1 mm.
constexpr int16_t kDefaultUserPaperWidth = 2100;
constexpr int16_t kDefaultUserPaperLength = 2970;

// The paper of fresh defaults: the model's default paper, and Letter (1)
// for a model that names none (0).
int16_t DefaultPaperOf(int32_t paperDefault);

// The model's default settings for the printer `printerName` into `output`,
// whole: every field from `model`, the profile's colour and
// output-order options when `profile` is given, and the PJL texts from
// `facts` (gathered for no printer). Makes no platform call.
struct PjlJobFacts;
struct ModelState;
void BuildDefaultSettings(const ModelState& model, const WCHAR* printerName, const ModelProfile* profile,
                          const PjlJobFacts& facts, DocumentSettings* output);

#endif
