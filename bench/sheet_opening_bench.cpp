// Opening Printing Preferences: the driver's sheet entry from INIT until the
// four pages' dialogs exist, against its floor, a bare PropertySheetW of the
// same four templates with empty dialog procedures.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <compstui.h>

#include <cstdio>
#include <vector>

#include "bench_clock.h"
#include "benchmarks.h"
#include "entry/driver_interface.h"

namespace {

using SheetsEntry = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);

using PropertyHeader = DOCUMENTPROPERTYHEADER;

// The platform's side of the sheet, as small as it can be.
struct Host {
    std::vector<HPROPSHEETPAGE> pages;
    std::vector<PROPSHEETPAGEW> records;
};

LONG_PTR CALLBACK AddPage(HANDLE handle, UINT function, LPARAM first, LPARAM)
{
    auto* host = static_cast<Host*>(handle);
    if (function != CPSFUNC_ADD_PROPSHEETPAGEW)
        return 0;
    const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(first);
    PROPSHEETPAGEW copy = {};
    CopyMemory(&copy, page, page->dwSize < sizeof(copy) ? page->dwSize : sizeof(copy));
    host->records.push_back(copy);
    host->pages.push_back(CreatePropertySheetPageW(page));
    return reinterpret_cast<LONG_PTR>(host->pages.back());
}

INT_PTR CALLBACK EmptyPage(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// A modeless sheet of the pages with every page's dialog created.
HWND ShowAllPages(std::vector<HPROPSHEETPAGE>& pages)
{
    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = PSH_MODELESS;
    sheet.pszCaption = L"Printing Preferences";
    sheet.nPages = static_cast<UINT>(pages.size());
    sheet.phpage = pages.data();
    HWND window = reinterpret_cast<HWND>(PropertySheetW(&sheet));
    for (UINT i = 1; window && i < pages.size(); ++i)
        SendMessageW(window, PSM_SETCURSEL, i, 0);
    return window;
}

void Close(HWND sheet)
{
    DestroyWindow(sheet);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

// One opening through the driver; its time in microseconds.
double OpenDriverSheet(const BenchModel& model, SheetsEntry sheets, std::vector<BYTE>& output,
                       std::vector<PROPSHEETPAGEW>* records)
{
    Host host;
    PropertyHeader header = {sizeof(header), 0, model.printer, const_cast<LPWSTR>(model.printerName.c_str()), nullptr,
                             reinterpret_cast<DEVMODEW*>(output.data()), static_cast<DWORD>(output.size()),
                             DM_IN_PROMPT | DM_OUT_BUFFER};
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof(info);
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Flags = PSUIINFO_UNICODE;
    info.hComPropSheet = &host;
    info.pfnComPropSheet = AddPage;
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    info.Reason = PROPSHEETUI_REASON_INIT;
    const double start = NowMicros();
    sheets(&info, info.lParamInit);
    HWND sheet = ShowAllPages(host.pages);
    const double time = NowMicros() - start;
    Close(sheet);
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    sheets(&info, 0);
    if (records)
        *records = host.records;
    return time;
}

double OpenBareSheet(const std::vector<PROPSHEETPAGEW>& records)
{
    std::vector<HPROPSHEETPAGE> pages;
    const double start = NowMicros();
    for (PROPSHEETPAGEW record : records) {
        record.pfnDlgProc = EmptyPage;
        record.lParam = 0;
        pages.push_back(CreatePropertySheetPageW(&record));
    }
    HWND sheet = ShowAllPages(pages);
    const double time = NowMicros() - start;
    Close(sheet);
    return time;
}

}  // namespace

void BenchSheetOpening(const BenchModel* models, int rounds)
{
    printf("\nOpening Printing Preferences: INIT until the four pages' dialogs exist.\n"
           "Floor: a bare PropertySheetW of the same templates with empty dialog procedures. Target 1.3.\n\n");
    printf("%-8s %12s %12s %8s\n", "model", "open us", "floor us", "ratio");
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    for (int m = 0; m < kBenchModels; ++m) {
        const BenchModel& model = models[m];
        auto sheets = DriverEntry<SheetsEntry>(model.driver, "DrvDocumentPropertySheets");
        std::vector<BYTE> output(4088);
        std::vector<PROPSHEETPAGEW> records;
        if (!sheets || (OpenDriverSheet(model, sheets, output, &records), records.size() != 4)) {
            printf("V%-7d (the driver added no four pages: nothing to measure)\n", model.variant);
            continue;
        }
        std::vector<double> opens, floors;
        for (int r = 0; r < rounds; ++r) {
            opens.push_back(OpenDriverSheet(model, sheets, output, nullptr));
            floors.push_back(OpenBareSheet(records));
        }
        const Pair pair{Median(opens), Median(floors)};
        printf("V%-7d %12.1f %12.1f %8.2f\n", model.variant, pair.road, pair.floor, pair.ratio());
    }
}
