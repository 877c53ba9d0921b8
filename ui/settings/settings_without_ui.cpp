#include "settings/settings_without_ui.h"

#include "settings/input_record.h"
#include "platform/holders.h"
#include "facts/printer_call.h"
#include "platform/resource_library.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/finalize_settings.h"
#include "settings/record_name.h"
#include "settings/settings_merge.h"
#include "settings/user_settings_store.h"

namespace {

// The PJL facts both kinds of defaults need, gathered before computing.
struct SettingsFacts {
    PjlJobFacts noPrinter;     // the defaults' own texts
    PjlJobFacts withPrinter;   // the texts of the record handed out
};

// A name of this form reaches the printer through its local queue only; it
// never takes settings stored for it per user.
bool IsLocalName(const WCHAR* printerName)
{
    return printerName && wcsstr(printerName, L",Local") != nullptr;
}

// Defaults, made ready for printing. Makes no platform call.
void ResetToDefaults(const ModelState& model, const WCHAR* printerName, const SettingsFacts& facts,
                     const ModelProfile& profile, DocumentSettings* record)
{
    BuildDefaultSettings(model, printerName, &profile, facts.noPrinter, record);
    FinalizeForPrinting(model, record, sizeof(*record), facts.withPrinter);
}

// The road's error: -1, with the reason as the thread's last error. The
// caller's output is left as it was.
LONG Fail(DWORD error)
{
    SetLastError(error);
    return -1;
}

}  // namespace

LONG SettingsWithoutUi(const DOCUMENTPROPERTYHEADER& header, HANDLE printer)
{
    // The record, the input copy and the facts.
    HeapBlock block(2 * sizeof(DocumentSettings) + sizeof(SettingsFacts));
    if (!block)
        return Fail(ERROR_NOT_ENOUGH_MEMORY);
    auto* record = block.as<DocumentSettings>();
    DocumentSettings* input = record + 1;
    auto* facts = reinterpret_cast<SettingsFacts*>(input + 1);

    // Everything from the spooler, the registry, the shell and the profile
    // file first; the stored settings before the model is built.
    PrinterCall call;
    call.printer = printer;
    call.knownName = header.pszPrinterName;
    BYTE* bytes = reinterpret_cast<BYTE*>(record);
    bool stored = printer && ReadCallPrinterSettings(&call, bytes, bytes + kSettingsHeaderBytes);
    // Settings the printer has but that cannot be read are not replaced by
    // the user's or the model's.
    if (call.infoFailure)
        return Fail(call.infoFailure);
    if (!stored && header.pszPrinterName && !IsLocalName(header.pszPrinterName))
        stored = ReadUserSettings(header.pszPrinterName, record) != 0;
    // The input is copied before anything is written: it may be the output.
    const bool merge = (header.fMode & DM_IN_BUFFER) && header.pdmIn;
    const size_t inputBytes = merge ? CopyInputRecord(header.pdmIn, input) : 0;
    ModelProfile& profile = call.profile;
    FetchProfile(&call);
    if (const DWORD failure = ProfileFailure(&call))
        return Fail(failure);
    LoadResourceLibraryForCall(&call);
    if (merge && printer) {
        FetchDeviceOptions(&call);
        // The installed trays decide which paper source the merge keeps.
        if (call.optionsFailure)
            return Fail(call.optionsFailure);
    }
    GatherPjlJobFacts(printer ? &call : nullptr, &facts->withPrinter);
    PjlJobFactsOfNoPrinter(facts->withPrinter, &facts->noPrinter);
    // The record names this call's printer, whatever the stored one says.
    const WCHAR* printerName = printer ? CallPrinterName(&call) : header.pszPrinterName;

    const ModelState& model = FetchModel(&call);
    if (stored)
        NameStoredRecord(record, printerName);
    else
        ResetToDefaults(model, printerName, *facts, profile, record);
    if (merge) {
        if (MergeSettings(model, record, input, inputBytes, printer ? &call : nullptr, printerName, &profile,
                          facts->noPrinter) < 0)
            return Fail(ERROR_NOT_ENOUGH_MEMORY);
        if (record->dmPaperSize == 0)
            ResetToDefaults(model, printerName, *facts, profile, record);
    }
    if ((header.fMode & (DM_UPDATE | DM_COPY)) && header.pdmOut) {
        FinalizeForPrinting(model, record, sizeof(*record), facts->withPrinter);
        CopySettingsOut(*record, header.pdmOut, sizeof(*record));
    }
    return 1;
}
