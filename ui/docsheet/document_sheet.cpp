#include "docsheet/document_sheet.h"

#include <prsht.h>

#include "settings/input_record.h"
#include "docsheet/document_pages.h"
#include "settings/settings_without_ui.h"
#include "sheet/sheet_page.h"
#include "sheet/sheet_model.h"
#include "sheet/sheet_state.h"
#include "platform/driver_files.h"
#include "platform/holders.h"
#include "facts/printer_call.h"
#include "platform/printer_by_name.h"
#include "platform/resource_library.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/record_name.h"
#include "settings/settings_merge.h"
#include "settings/user_settings_store.h"
#include "sheet/page_warning.h"
#include "../resources/resource_ids.h"

namespace {

constexpr LONG kDocumentSettingsSize = static_cast<LONG>(kSettingsBytes);

// What the sheet reads of the printer that, unread, would be replaced by
// defaults: the profile (when it is not cached), the installed options and
// the printer's own settings. 0, or the first reason one could not be read.
DWORD ReadPrinterRecords(PrinterCall* call)
{
    FetchProfile(call);
    if (const DWORD failure = ProfileFailure(call))
        return failure;
    if (!call->printer)
        return 0;
    FetchDeviceOptions(call);
    if (call->optionsFailure)
        return call->optionsFailure;
    FetchPrinterInfo(call);
    return call->infoFailure;
}

// The output record as the sheet starts editing it: the caller's record
// merged into the defaults, or the user's stored settings, or the defaults.
// What it needs from the registry and the spooler is read first. 0, or why
// it could not be prepared; the caller's record is then left as it was,
// never dropped for defaults.
DWORD PrepareOutput(const DOCUMENTPROPERTYHEADER& header, PrinterCall* call)
{
    if (const DWORD failure = ReadPrinterRecords(call))
        return failure;
    auto* output = reinterpret_cast<DocumentSettings*>(header.pdmOut);
    HeapBlock copy;
    size_t bytes = 0;
    bool stored = false;
    if (header.pdmIn) {
        copy = HeapBlock(sizeof(DocumentSettings));
        if (!copy)
            return ERROR_NOT_ENOUGH_MEMORY;
        bytes = CopyInputRecord(header.pdmIn, copy.as<DocumentSettings>());
    } else if (header.pszPrinterName) {
        stored = ReadUserSettings(header.pszPrinterName, output) != 0;
    }
    PjlJobFacts facts;
    if (!stored)
        GatherPjlJobFacts(nullptr, &facts);
    // The record names this call's printer, whatever the stored one says.
    const WCHAR* printerName = call->printer ? CallPrinterName(call) : header.pszPrinterName;

    const ModelState& model = FetchModel(call);
    if (copy)
        return MergeSettings(model, output, copy.get(), bytes, call->printer ? call : nullptr, printerName,
                             &call->profile, facts) < 0 ? ERROR_NOT_ENOUGH_MEMORY : 0;
    if (stored)
        NameStoredRecord(output, printerName);
    else
        BuildDefaultSettings(model, printerName, &call->profile, facts, output);
    return 0;
}

LONG BuildSheet(PROPSHEETUI_INFO* info, const DOCUMENTPROPERTYHEADER& header)
{
    PrinterForCall printer(header.hPrinter, header.pszPrinterName);
    SheetState* state = nullptr;
    DWORD failure = 0;
    {
        PrinterCall call;
        call.printer = printer.get();
        call.knownName = header.pszPrinterName;
        // The sheet's block first: once the output is written, nothing may
        // fail and leave the caller's record half changed.
        state = GatherSheet(&call, false);
        failure = state ? PrepareOutput(header, &call) : ERROR_NOT_ENOUGH_MEMORY;
        if (failure) {
            FreeSheet(state);
            state = nullptr;
        }
    }
    if (!state) {
        SetLastError(failure ? failure : ERROR_NOT_ENOUGH_MEMORY);
        return -1;
    }
    const int32_t driverVariant = SheetFactsOf(state).profile.driverVariant;
    state->canChange = (header.fMode & DM_NOPERMISSION) ? 0 : 1;
    state->comPropSheet = info->pfnComPropSheet;
    state->comPropSheetHandle = info->hComPropSheet;
    state->printerName = header.pszPrinterName;
    state->printerNameCopy = header.pszPrinterName;
    state->settings = reinterpret_cast<DocumentSettings*>(header.pdmOut);
    // A printer opened here by name stays open until the sheet's DESTROY.
    state->printerHandle = printer.release();
    state->printer = state->printerHandle;
    info->UserData = reinterpret_cast<ULONG_PTR>(state);

    const PageTableEntry* table = DocumentPageTable(driverVariant);
    if (info->pfnComPropSheet) {
        for (int i = 0; i < kDocumentPageCount; ++i) {
            if (table[i].enabled)
                state->pageHandles[i] = AddSheetPage(*info, table[i], state);
        }
    }
    return 1;
}

// The window of the page whose result is being set, to own a warning.
HWND ResultPageWindow(SheetState* state, LPARAM param)
{
    const auto* result = reinterpret_cast<const SETRESULT_INFO*>(param);
    for (int i = 0; result && i < kDocumentPageCount; ++i) {
        if (state->pageHandles[i] && state->pageHandles[i] == result->hSetResult)
            return *PageWindowField(state, i);
    }
    return nullptr;
}

// The edited settings go to the user's store only when the caller gave no
// record of its own (the caller keeps what it asked to merge). A refused
// write is told once per sheet and answered -1; the caller still gets the
// record.
LONG StoreResult(const PROPSHEETUI_INFO& info, const DOCUMENTPROPERTYHEADER& header, LPARAM param)
{
    auto* state = reinterpret_cast<SheetState*>(info.UserData);
    if (header.pdmIn || !state || !state->settings || !header.pszPrinterName)
        return 1;
    const DWORD error = WriteUserSettings(header.pszPrinterName, state->settings);
    if (error == ERROR_SUCCESS)
        return 1;
    TellFailureOnce(ResultPageWindow(state, param), IDS_USER_SETTINGS_WRITE_FAILED, error,
                    &MutableSheetFactsOf(state).userSettingsFailureTold);
    SetLastError(error);
    return -1;
}

void ReleaseSheet(PROPSHEETUI_INFO* info, const DOCUMENTPROPERTYHEADER& header)
{
    auto* state = reinterpret_cast<SheetState*>(info->UserData);
    if (!state)
        return;
    if (!header.hPrinter && state->printer)
        ClosePrinter(state->printer);
    FreeSheet(state);
    info->UserData = 0;
}

}  // namespace

LONG DocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM param)
{
    auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info ? info->lParamInit : param);
    if (!header)
        return -1;
    // A caller without a mode or an output record asks for the record size.
    if (header->fMode == 0 || !header->pdmOut) {
        header->cbOut = kDocumentSettingsSize;
        return kDocumentSettingsSize;
    }
    if (!info) {
        PrinterForCall printer(header->hPrinter, header->pszPrinterName);
        return SettingsWithoutUi(*header, printer.get());
    }
    if (!(header->fMode & DM_PROMPT))
        return 1;

    LONG result = 1;
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
        result = BuildSheet(info, *header);
        break;
    case PROPSHEETUI_REASON_SET_RESULT:
        result = StoreResult(*info, *header, param);
        break;
    case PROPSHEETUI_REASON_DESTROY:
        ReleaseSheet(info, *header);
        break;
    default:   // GET_INFO_HEADER among them: no header is filled
        break;
    }
    info->Result = static_cast<ULONG_PTR>(result);
    return result;
}

LONG DocumentPropertiesWithoutUi(HWND /*window*/, HANDLE printer, WCHAR* deviceName, DEVMODEW* output,
                                 DEVMODEW* input, DWORD mode)
{
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof(header);
    header.hPrinter = printer;
    header.pszPrinterName = deviceName;
    header.pdmIn = input;
    header.pdmOut = output;
    header.cbOut = ((mode & DM_IN_BUFFER) && input) ? input->dmSize : sizeof(DEVMODEW);
    header.fMode = mode;
    return DocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header));
}

LONG AdvancedDocumentPropertiesBox(HWND window)
{
    MessageBoxW(window, L"Sets private members of DEVMODE", L"DrvAdvancedDocumentProperties", MB_OK);
    return 10;
}
