// The job preview: what this driver sends a printer for a model profile,
// a list of choices in the pages' words and the installed options, built on
// the driver's own roads (defaults, the pages' stores, merge, finalize).
#ifndef MARTENUI_JOB_PREVIEW_H
#define MARTENUI_JOB_PREVIEW_H

#include <string>
#include <vector>

#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "settings/document_settings.h"

struct PreviewModel {
    ModelProfile profile;
    ModelState model;
    WCHAR version[32];          // [About] VERSION3, which the header's identification names
};

// Reads the profile with the driver's reader and builds its model; false
// with a message when the file cannot be read.
bool ReadPreviewModel(const std::wstring& path, PreviewModel* model, std::wstring* error);

// A choice the model or the installed options override.
struct PreviewOverride {
    std::wstring choice;
    std::wstring asked;
    std::wstring used;
    std::wstring reason;
};

// One header line and the choice it carries (empty for the job file line).
struct PreviewLine {
    std::string text;
    std::wstring choice;
    std::wstring value;
};

struct PreviewResult {
    DocumentSettings record;
    DeviceOptionData installed;
    std::vector<PreviewLine> header;
    std::vector<PreviewOverride> overrides;
};

// Builds the record of `choices` ("CHOICE=VALUE", the pages' words) for a
// printer with the `installed` options ("OPTION=VALUE"). False with a
// message naming the choice and the values the model offers when a choice
// or value is not the model's.
bool BuildPreview(const PreviewModel& model, const std::vector<std::wstring>& choices,
                  const std::vector<std::wstring>& installed, PreviewResult* result, std::wstring* error);

// The printer's installed options: the model's defaults with `installed`
// ("OPTION=VALUE") applied. False with a message for an option or value the
// Device Options page does not have.
bool InstalledOptionsOf(const PreviewModel& model, const std::vector<std::wstring>& installed,
                        DeviceOptionData* options, std::wstring* error);

// The spooler's road for `input` on a printer with `result->installed`:
// the merge with its installed trays, then the finalize of the document
// events with its options. Fills the record and its header lines; the
// merge's answer (1 when the input was taken).
int MergeAndFinalize(const PreviewModel& model, const void* input, size_t inputBytes, PreviewResult* result);

// A field of a saved record that the driver does not take as it stands.
struct RecordFinding {
    std::string field;
    std::string stored;
    std::string used;
};

// The report of a saved device-mode record (`bytes`, a file's content) as
// the driver takes it: merged with the printer's installed trays, then
// finalized. `findings` lists the fields it does not take as they are, and
// a private part that is not this driver's. False with a message when the
// bytes cannot be a record (too short, or sizes past the bytes given).
bool PreviewRecord(const PreviewModel& model, const std::string& bytes, const std::vector<std::wstring>& installed,
                   PreviewResult* result, std::vector<RecordFinding>* findings, std::wstring* error);

// The values a choice (or, with `installed`, an installed option) takes on
// this model, in the words the preview takes; a number's lowest and highest;
// empty when the model has no such choice or it depends on other choices.
std::vector<std::wstring> OfferedValues(const PreviewModel& model, const std::wstring& name, bool installed = false);

// The header lines of a record's header, each with the choice it carries
// for this model.
std::vector<PreviewLine> HeaderLines(const PreviewModel& model, const char* header);

// The names of the device-mode fields a user chooses, with their values.
std::vector<std::pair<std::string, std::string>> RecordFields(const DocumentSettings& record);

#endif
