#include "sheet/page_help.h"

#include "sheet/sheet_model.h"
#include "sheet/sheet_state.h"
#include "platform/driver_files.h"
#include "../resources/resource_ids.h"

namespace {

// Restore Defaults and About are on every page, with the same help.
#define COMMON_BUTTON_HELP IDC_RESTORE_DEFAULTS, 1001, IDC_ABOUT_BUTTON, 1002

const DWORD kPaperLayoutPairs[] = {
    IDC_LAYOUT_PAPER_LABEL, 1201, IDC_LAYOUT_PAPER_TEXT, 1201, IDC_LAYOUT_PAPER_LIST, 1201,
    IDC_LAYOUT_SOURCE_LABEL, 1202, IDC_LAYOUT_SOURCE_LIST, 1202,
    IDC_LAYOUT_ORIENT_GROUP, 1203, IDC_LAYOUT_PORTRAIT, 1203, IDC_LAYOUT_LANDSCAPE, 1203,
    IDC_LAYOUT_ORIENT_ICON, 1203,
    IDC_LAYOUT_COPIES_LABEL, 1204, IDC_LAYOUT_COPIES_EDIT, 1204, IDC_LAYOUT_COPIES_UPDOWN, 1204,
    IDC_LAYOUT_ZOOM_LABEL, 1205, IDC_LAYOUT_ZOOM_EDIT, 1205, IDC_LAYOUT_ZOOM_UPDOWN, 1205,
    IDC_LAYOUT_MAGNIFY_LABEL, 1206, IDC_LAYOUT_MAGNIFY_LIST, 1206,
    IDC_LAYOUT_NUP_GROUP, 1207, IDC_LAYOUT_NUP_ICON, 1207, IDC_LAYOUT_POSITION_LABEL, 1207,
    IDC_LAYOUT_POSITION_LIST, 1207, IDC_LAYOUT_TARGET_LABEL, 1207, IDC_LAYOUT_TARGET_LIST, 1207,
    IDC_LAYOUT_NUP_1IN1, 1207, IDC_LAYOUT_NUP_2IN1, 1207, IDC_LAYOUT_NUP_4IN1, 1207,
    IDC_LAYOUT_COPIES_PRINTER, 1901, IDC_LAYOUT_COPIES_DRIVER, 1901,
    COMMON_BUTTON_HELP, 0, 0,
};

// The order controls appear twice; the first pair found is the one shown.
const DWORD kHandlingPairs[] = {
    IDC_HANDLING_SORTER_GROUP, 1302, IDC_HANDLING_SORTER_ICON, 1302, IDC_HANDLING_STACK, 1302,
    IDC_HANDLING_SORT, 1302,
    IDC_HANDLING_ROTATE, 1605, IDC_HANDLING_ROTATE_ICON, 1605,
    IDC_HANDLING_SHIFT_ICON, 1606, IDC_HANDLING_SHIFT, 1606,
    IDC_HANDLING_DUPLEX, 1603,
    IDC_HANDLING_FLIP_GROUP, 1607, IDC_HANDLING_FLIP_ICON, 1607, IDC_HANDLING_LONG_EDGE, 1607,
    IDC_HANDLING_SHORT_EDGE, 1607,
    IDC_HANDLING_MARGIN_GROUP, 1608, IDC_HANDLING_MARGIN_ICON, 1608, IDC_HANDLING_MARGIN_YES, 1608,
    IDC_HANDLING_MARGIN_NO, 1608,
    IDC_HANDLING_OUTBIN_LABEL, 1601, IDC_HANDLING_OUTBIN_LIST, 1601,
    IDC_HANDLING_STAPLE_LABEL, 1602, IDC_HANDLING_STAPLE_LIST, 1602,
    IDC_HANDLING_ORDER_GROUP, 1903, IDC_HANDLING_ORDER_ICON, 1903, IDC_HANDLING_ORDER_NORMAL, 1903,
    IDC_HANDLING_ORDER_REVERSE, 1903,
    IDC_HANDLING_SECURE_GROUP, 1604, IDC_HANDLING_SECURE_OFF, 1604, IDC_HANDLING_SECURE_ON, 1604,
    IDC_HANDLING_ORDER_GROUP, 1301, IDC_HANDLING_ORDER_ICON, 1301, IDC_HANDLING_ORDER_NORMAL, 1301,
    IDC_HANDLING_ORDER_REVERSE, 1301,
    COMMON_BUTTON_HELP, 0, 0,
};

const DWORD kQualityPairs[] = {
    IDC_QUALITY_RES_GROUP, 1401, IDC_QUALITY_RES_600, 1401, IDC_QUALITY_RES_300, 1401,
    IDC_QUALITY_SMOOTH_GROUP, 1701, IDC_QUALITY_SMOOTH_ON, 1701, IDC_QUALITY_SMOOTH_OFF, 1701,
    IDC_QUALITY_TONER_GROUP, 1702, IDC_QUALITY_TONER_ON, 1702, IDC_QUALITY_TONER_OFF, 1702,
    IDC_QUALITY_TEXT_GROUP, 1902, IDC_QUALITY_TEXT_BLACK, 1902, IDC_QUALITY_TEXT_HALFTONE, 1902,
    COMMON_BUTTON_HELP, 0, 0,
};

const DWORD kFontsPairs[] = {
    IDC_FONTS_USE_PRINTER, 1502, IDC_FONTS_PRINTER_NOTE1, 1502, IDC_FONTS_PRINTER_NOTE2, 1502,
    IDC_FONTS_PRINTER_NOTE3, 1502, IDC_FONTS_USE_TRUETYPE, 1502, IDC_FONTS_TRUETYPE_NOTE, 1502,
    COMMON_BUTTON_HELP, 0, 0,
};

const DWORD kDeviceOptionsPairs[] = {
    IDC_OPTIONS_TRAYS_LABEL, 1801, IDC_OPTIONS_TRAYS_EDIT, 1801, IDC_OPTIONS_TRAYS_UPDOWN, 1801,
    IDC_OPTIONS_MEMORY_LABEL, 1806, IDC_OPTIONS_MEMORY_LIST, 1806,
    IDC_OPTIONS_SECURE_CHECK, 1802, IDC_OPTIONS_PASSWORD, 1802,
    IDC_OPTIONS_DUPLEX_UNIT, 1803,
    IDC_OPTIONS_INNER_TRAY, 1804,
    IDC_OPTIONS_OUTER_TRAY, 1805,
    IDC_OPTIONS_FINISHER, 1807,
    COMMON_BUTTON_HELP, 0, 0,
};

const DWORD kFontSubstitutionPairs[] = {
    COMMON_BUTTON_HELP, 0, 0,
};

#undef COMMON_BUTTON_HELP

const HelpMap kHelpMaps[kPageCount] = {
    {120, kPaperLayoutPairs},   {130, kHandlingPairs},       {140, kQualityPairs},
    {150, kFontsPairs},         {50, kDeviceOptionsPairs},   {110, kFontSubstitutionPairs},
};

// The banner of the Device Options page has no help of its own.
bool IsDeviceBanner(int pageIndex, const HELPINFO* helpInfo)
{
    if (pageIndex != kPageDeviceOptions || !helpInfo || helpInfo->iContextType != HELPINFO_WINDOW)
        return false;
    return helpInfo->iCtrlId == IDB_BANNER || helpInfo->iCtrlId == IDB_BANNER_IMAGE2 ||
           helpInfo->iCtrlId == IDB_BANNER_IMAGE3;
}

void FindHelpFile(HWND page, WCHAR path[kDriverPathChars])
{
    path[0] = 0;
    SheetState* state = PageSheetState(page);
    if (state && state->printer)
        FindDriverFileIn(MutableSheetFactsOf(state).driverInfo, kHelpFileFragment, path);
}

}  // namespace

const HelpMap* PageHelpMap(int pageIndex)
{
    return pageIndex >= 0 && pageIndex < kPageCount ? &kHelpMaps[pageIndex] : nullptr;
}

INT_PTR ShowPageHelp(HWND page, int pageIndex, const HELPINFO* helpInfo)
{
    const HelpMap* map = PageHelpMap(pageIndex);
    if (!map || IsDeviceBanner(pageIndex, helpInfo))
        return 1;
    WCHAR helpFile[kDriverPathChars];
    FindHelpFile(page, helpFile);
    if (helpInfo && helpInfo->iContextType == HELPINFO_WINDOW && helpInfo->hItemHandle) {
        WinHelpW(static_cast<HWND>(helpInfo->hItemHandle), helpFile, HELP_WM_HELP,
                 reinterpret_cast<ULONG_PTR>(map->pairs));
    } else {
        WinHelpW(page, helpFile, HELP_CONTEXT, map->context);
    }
    return 1;
}

BOOL CloseHelp(HWND page)
{
    WCHAR helpFile[kDriverPathChars];
    FindHelpFile(page, helpFile);
    return WinHelpW(page, helpFile, HELP_QUIT, 0);
}
