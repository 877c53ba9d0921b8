#include "docsheet/settings_without_ui.h"

#include "docsheet/input_record.h"
#include "docsheet/sheet_model.h"
#include "entry/holders.h"
#include "entry/printer_access.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/finalize_settings.h"
#include "settings/settings_merge.h"

namespace {

// A name of this form reaches the printer through its local queue only; it
// never takes settings stored for it per user.
bool IsLocalName(const WCHAR* printerName)
{
    return printerName && wcsstr(printerName, L",Local") != nullptr;
}

// Defaults, made ready for printing.
void ResetToDefaults(const DOCUMENTPROPERTYHEADER& header, HANDLE printer, ModelProfile* profile,
                     DocumentSettings* record)
{
    CopyModelDefaults(header.pszPrinterName, profile, record);
    FinalizeForPrinting(record, sizeof(*record), printer);
}

}  // namespace

void CopyModelDefaults(const WCHAR* printerName, ModelProfile* profile, DocumentSettings* output)
{
    if (profile->paperDefault == 0) {
        profile->paperDefault = 1;
        Model().paperDefault = 1;
    }
    CopyDefaultSettings(printerName, profile, output);
}

LONG SettingsWithoutUi(const DOCUMENTPROPERTYHEADER& header, HANDLE printer)
{
    // The record and the input copy: two whole records, and the profile.
    HeapBlock block(2 * sizeof(DocumentSettings) + sizeof(ModelProfile));
    if (!block)
        return 1;
    auto* record = block.as<DocumentSettings>();
    DocumentSettings* input = record + 1;
    auto* profile = reinterpret_cast<ModelProfile*>(input + 1);

    // The stored settings first, before the model is taken.
    BYTE* bytes = reinterpret_cast<BYTE*>(record);
    bool stored = printer && ReadPrinterSettings(printer, bytes, bytes + kSettingsHeaderBytes);
    if (!stored && header.pszPrinterName && !IsLocalName(header.pszPrinterName))
        stored = ReadUserSettings(header.pszPrinterName, record) != 0;
    // The input is copied before anything is written: it may be the output.
    const bool merge = (header.fMode & DM_IN_BUFFER) && header.pdmIn;
    const size_t inputBytes = merge ? CopyInputRecord(header.pdmIn, input) : 0;

    ModelLockHolder lock;
    LoadSheetModel(printer, profile);
    if (!stored)
        ResetToDefaults(header, printer, profile, record);
    if (merge) {
        MergeSettings(record, input, inputBytes, printer);
        if (record->dmPaperSize == 0)
            ResetToDefaults(header, printer, profile, record);
    }
    if ((header.fMode & (DM_UPDATE | DM_COPY)) && header.pdmOut) {
        FinalizeForPrinting(record, sizeof(*record), printer);
        CopySettingsOut(*record, header.pdmOut, sizeof(*record));
    }
    return 1;
}
