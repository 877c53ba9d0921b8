// Bringing device modes from outside (applications, older drivers, other
// drivers, the spooler) into this driver's settings record, and handing
// records back.
//
// Size rule for records from outside. A device mode is read only within the
// bytes its caller handed in (`inputBytes`): the header's size fields are
// read only when those bytes hold them (72 bytes), and a record is used
// only when its dmSize covers those fields and dmSize + dmDriverExtra fits
// the bytes handed in. Anything else cannot be a device mode and is not
// convertible. A caller that was handed a bare device-mode pointer with no
// size (an application's record) passes ClaimedRecordBytes: the record's
// owner vouches for its own dmSize + dmDriverExtra.
#ifndef MARTENUI_SETTINGS_MERGE_H
#define MARTENUI_SETTINGS_MERGE_H

#include <windows.h>
#include <stddef.h>

#include "profile/model_profile.h"
#include "settings/document_settings.h"

// The header version (a dmSpecVersion value) of a record from its dmSize:
// 188 gives 0x0320, 212 gives 0x0400, 220 gives 0x0401, any other size the
// record's own dmSpecVersion. 0 (not usable) without a record or when
// `recordBytes` do not hold its size fields.
WORD SettingsVersionFromSize(const void* record, size_t recordBytes);

// dmSize + dmDriverExtra of a record the caller vouches for; 0 for none.
size_t ClaimedRecordBytes(const DEVMODEW* record);

// Copies the header and private parts of `source` into `destination`, each
// as far as both records have it. The destination keeps its own dmSize,
// dmDriverExtra and dmDriverVersion and gets its own header version. Returns
// the bytes taken over, or -1 when either record is not usable (version 0,
// or sizes that do not fit the bytes given for it).
int ConvertSettings(const void* source, size_t sourceBytes, void* destination, size_t destinationBytes);

// Builds `output` from the defaults of the printer `printerName` (see
// BuildDefaultSettings) and takes over the validated public values of
// `input`, and its whole private part when it is this driver's. The merged
// record names that printer, never the input's. 1 on success or without
// input; 0 when the input is not convertible (the output then holds the
// defaults); -1 when the work copy cannot be had (the output untouched:
// the caller's record is not to be replaced by defaults unasked).
// `call` holds the printer's installed options fetched already
// (FetchDeviceOptions), or is null for no printer: the source is then
// checked against every tray of the model. `profile` gives the defaults
// their colour options (may be null); `noPrinter` are the PJL facts of no
// printer that the defaults take; `model` is the printer's. Makes no
// platform call.
struct PrinterCall;
struct ModelState;
struct PjlJobFacts;
int MergeSettings(const ModelState& model, DocumentSettings* output, const void* input, size_t inputBytes,
                      const PrinterCall* call, const WCHAR* printerName, const ModelProfile* profile,
                      const PjlJobFacts& noPrinter);

// Copies the record's dmSize + dmDriverExtra bytes to the caller's buffer;
// 1, or 0 (nothing written) when the buffer is missing or too small.
int CopySettingsOut(const DocumentSettings& source, void* destination, size_t destinationBytes);

#endif
