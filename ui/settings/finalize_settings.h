// Preparing a settings record for the rendering module just before it
// prints: resolution, scaling, collation, booklet, memory and the PJL texts.
#ifndef MARTENUI_FINALIZE_SETTINGS_H
#define MARTENUI_FINALIZE_SETTINGS_H

#include <windows.h>
#include <stddef.h>

#include "settings/document_settings.h"

// Fills the render block of `record` from the user's choices. It writes at
// the fixed offsets of this driver's record, so it acts only on a complete
// record (dmSize 220, dmDriverExtra 3868, and `recordBytes` at least 4088);
// any other record is left untouched. A caller handed a bare device-mode
// pointer passes ClaimedRecordBytes (settings_merge.h) as `recordBytes`.
// The PJL header's facts are gathered already (GatherPjlJobFacts, for the
// printer or for none: then the header uses the built-in default installed
// options), and `model` is the printer's: finalizing makes no platform call.
struct PjlJobFacts;
struct ModelState;
void FinalizeForPrinting(const ModelState& model, void* record, size_t recordBytes, const PjlJobFacts& facts);

// A complete record of this driver, within `recordBytes`.
bool IsCompleteSettingsRecord(const void* record, size_t recordBytes);

#endif
