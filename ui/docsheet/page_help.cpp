#include "docsheet/page_help.h"

#include "docsheet/sheet_model.h"
#include "docsheet/sheet_state.h"
#include "entry/driver_files.h"
#include "../resources/resource_ids.h"

namespace {

// Restore Defaults and About are on every page, with the same help.
#define COMMON_BUTTON_HELP IDC_RESTORE_DEFAULTS, 1001, IDC_ABOUT_BUTTON, 1002

const DWORD kPaperLayoutPairs[] = {
    1908, 1201, 1909, 1201, 2223, 1201,
    1910, 1202, 1302, 1202,
    1101, 1203, 1201, 1203, 1202, 1203, 1657, 1203,
    1911, 1204, 1502, 1204, 1602, 1204,
    1913, 1205, 1503, 1205, 1603, 1205,
    1912, 1206, 1303, 1206,
    1102, 1207, 1658, 1207, 1915, 1207, 1305, 1207, 1914, 1207, 1304, 1207, 1203, 1207, 1204, 1207, 1205, 1207,
    1115, 1901, 1116, 1901,
    COMMON_BUTTON_HELP, 0, 0,
};

// The order controls appear twice; the first pair found is the one shown.
const DWORD kHandlingPairs[] = {
    1105, 1302, 1660, 1302, 1210, 1302, 1211, 1302,
    1801, 1605, 1661, 1605,
    1113, 1606, 1109, 1606,
    1063, 1603,
    1046, 1607, 1663, 1607, 1038, 1607, 1039, 1607,
    1081, 1608, 1114, 1608, 1076, 1608, 1075, 1608,
    1079, 1601, 1066, 1601,
    1101, 1602, 1036, 1602,
    2501, 1903, 2504, 1903, 2505, 1903, 2506, 1903,
    1106, 1604, 1107, 1604, 1108, 1604,
    2501, 1301, 2504, 1301, 2505, 1301, 2506, 1301,
    COMMON_BUTTON_HELP, 0, 0,
};

const DWORD kQualityPairs[] = {
    1107, 1401, 1212, 1401, 1213, 1401,
    1088, 1701, 1089, 1701, 1090, 1701,
    1087, 1702, 1091, 1702, 1092, 1702,
    1122, 1902, 1118, 1902, 1117, 1902,
    COMMON_BUTTON_HELP, 0, 0,
};

const DWORD kFontsPairs[] = {
    1217, 1502, 1027, 1502, 1922, 1502, 1933, 1502, 1218, 1502, 1921, 1502,
    COMMON_BUTTON_HELP, 0, 0,
};

const DWORD kDeviceOptionsPairs[] = {
    1906, 1801, 1501, 1801, 1601, 1801,
    1103, 1806, 1102, 1806,
    1084, 1802, 1052, 1802,
    1063, 1803,
    1062, 1804,
    1065, 1805,
    1104, 1807,
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
