#include "devsheet/device_sheet.h"

#include "devsheet/device_pages.h"
#include "sheet/sheet_model.h"
#include "sheet/sheet_page.h"
#include "sheet/sheet_state.h"
#include "platform/holders.h"
#include "profile/model_state.h"

namespace {

LONG BuildSheet(PROPSHEETUI_INFO* info, const DEVICEPROPERTYHEADER& header)
{
    SheetState* state = nullptr;
    {
        // Without a printer the pages show the library's defaults.
        PrinterCall call;
        call.printer = header.hPrinter;
        call.knownName = header.pszPrinterName;
        state = GatherSheet(&call, true);
        // Pages of the default model would store options for a printer
        // that is not there.
        if (state && ProfileFailure(&call)) {
            SetLastError(ProfileFailure(&call));
            FreeSheet(state);
            state = nullptr;
        }
    }
    if (!state)
        return -1;
    const int32_t driverVariant = SheetFactsOf(state).profile.driverVariant;
    state->canChange = (header.Flags & DPS_NOPERMISSION) ? 0 : 1;
    state->comPropSheet = info->pfnComPropSheet;
    state->comPropSheetHandle = info->hComPropSheet;
    state->printerName = header.pszPrinterName;
    state->printerNameCopy = header.pszPrinterName;
    state->printerHandle = header.hPrinter;
    state->printer = header.hPrinter;
    info->UserData = reinterpret_cast<ULONG_PTR>(state);

    const PageTableEntry* table = DevicePageTable(driverVariant);
    if (info->pfnComPropSheet) {
        // The device pages report their result by deviceResultPage, so the
        // handles are not kept.
        for (int i = 0; i < kDevicePageCount; ++i) {
            if (table[i].enabled)
                AddSheetPage(*info, table[i], state);
        }
    }
    info->Result = 0;
    return 1;
}

void FreeSheetOf(PROPSHEETUI_INFO* info)
{
    FreeSheet(reinterpret_cast<SheetState*>(info->UserData));
    info->UserData = 0;
}

}  // namespace

LONG DevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM param)
{
    if (!info)
        return -1;
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
        const auto* header = reinterpret_cast<const DEVICEPROPERTYHEADER*>(info->lParamInit ? info->lParamInit : param);
        if (!header)
            return -1;
        return BuildSheet(info, *header);
    }
    case PROPSHEETUI_REASON_DESTROY:
        FreeSheetOf(info);
        return 1;
    default:   // GET_INFO_HEADER and SET_RESULT among them: nothing to do
        return 1;
    }
}
