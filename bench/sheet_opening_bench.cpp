// Opening Printing Preferences: the driver's sheet entry from INIT until the
// four pages' dialogs exist, against its floor, a bare PropertySheetW of the
// same four templates with empty dialog procedures. Beside it, where the
// time goes (INIT and each page's WM_INITDIALOG) and the spooler calls the
// driver makes per opening, counted through its import slots.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <compstui.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "bench_clock.h"
#include "benchmarks.h"
#include "platform/driver_interface.h"
#include "support/spooler_calls.h"

namespace {

using SheetsEntry = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);

// Each page dialog's WM_INITDIALOG in the driver's sheet: the host hands the
// sheet each page with its dialog procedure behind a timing one, as a
// platform host stands between the sheet and the driver's pages.
constexpr int kPages = 4;
constexpr int kCaptionChars = 32;

struct PageClock {
    DLGPROC driverProc[kPages] = {};
    double time[kPages] = {};
    WCHAR caption[kPages][kCaptionChars] = {};
};

PageClock pageClock;

template <int Page>
INT_PTR CALLBACK TimedPage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return pageClock.driverProc[Page](dialog, message, wParam, lParam);
    const double start = NowMicros();
    const INT_PTR answer = pageClock.driverProc[Page](dialog, message, wParam, lParam);
    pageClock.time[Page] = NowMicros() - start;
    GetWindowTextW(dialog, pageClock.caption[Page], kCaptionChars);
    return answer;
}

const DLGPROC kTimedPages[kPages] = {TimedPage<0>, TimedPage<1>, TimedPage<2>, TimedPage<3>};

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
    const size_t index = host->pages.size();
    if (index < kPages) {
        pageClock.driverProc[index] = copy.pfnDlgProc;
        copy.pfnDlgProc = kTimedPages[index];
    }
    host->pages.push_back(CreatePropertySheetPageW(&copy));
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

// What one opening through the driver is made of: the driver's INIT, and
// the spooler calls made in it and in the page dialogs' messages after it.
struct OpeningParts {
    double init = 0;
    SpoolerCallCounter* counter = nullptr;
    SpoolerCallCounts atInit;
    SpoolerCallCounts inPages;
    bool partial = false;   // a slot could not be swapped
};

// One opening through the driver; its time in microseconds.
double OpenDriverSheet(const BenchModel& model, SheetsEntry sheets, std::vector<BYTE>& output,
                       std::vector<PROPSHEETPAGEW>* records, OpeningParts* parts = nullptr)
{
    Host host;
    DOCUMENTPROPERTYHEADER header = {sizeof(header), 0, model.printer, const_cast<LPWSTR>(model.printerName.c_str()),
                                     nullptr, reinterpret_cast<DEVMODEW*>(output.data()),
                                     static_cast<DWORD>(output.size()), DM_IN_PROMPT | DM_OUT_BUFFER};
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof(info);
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Flags = PSUIINFO_UNICODE;
    info.hComPropSheet = &host;
    info.pfnComPropSheet = AddPage;
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    info.Reason = PROPSHEETUI_REASON_INIT;
    if (parts && parts->counter)
        parts->counter->Take();
    const double start = NowMicros();
    sheets(&info, info.lParamInit);
    const double init = NowMicros();
    if (parts && parts->counter)
        parts->atInit = parts->counter->Take();
    HWND sheet = ShowAllPages(host.pages);
    const double time = NowMicros() - start;
    if (parts) {
        parts->init = init - start;
        if (parts->counter)
            parts->inPages = parts->counter->Take();
    }
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

// What the spooler calls of an opening cost by themselves: as many profile
// reads, level-2 reads and driver reads, made straight on the printer.
double SpoolerTime(HANDLE printer, const SpoolerCallCounts& calls, int rounds)
{
    std::vector<BYTE> buffer(64 * 1024);
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        const double start = NowMicros();
        for (LONG i = 0; i < calls.printerData; ++i) {
            DWORD type = 0;
            DWORD needed = 0;
            GetPrinterDataW(printer, const_cast<wchar_t*>(L"DriverProfile"), &type, buffer.data(), 3264, &needed);
        }
        for (LONG i = 0; i < calls.printerInfo; ++i) {
            DWORD needed = 0;
            GetPrinterW(printer, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
        }
        for (LONG i = 0; i < calls.printerDriver; ++i) {
            DWORD needed = 0;
            GetPrinterDriverW(printer, nullptr, 3, buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
        }
        times.push_back(NowMicros() - start);
    }
    return Median(times);
}

void PrintCalls(int variant, const char* when, const SpoolerCallCounts& calls, double time)
{
    printf("V%-7d %-6s %6ld %6ld %6ld %6ld %6ld %6ld %10.1f\n", variant, when, calls.printerData, calls.printerInfo,
           calls.printerDriver, calls.openPrinter, calls.profileFile, calls.loadLibrary, time);
}

}  // namespace

void BenchSheetOpening(const BenchModel* models, int rounds)
{
    printf("\nOpening Printing Preferences: INIT until the four pages' dialogs exist.\n"
           "Floor: a bare PropertySheetW of the same templates with empty dialog procedures. Target 1.3.\n"
           "ratio: of the medians; paired: the median of each round's ratio (one opening of each,\n"
           "back to back), which a machine whose speed drifts during the run disturbs less.\n"
           "Then the driver's INIT and each page's WM_INITDIALOG (medians, us); the rest is the sheet's\n"
           "other messages to the pages and what the platform does for them.\n\n");
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    std::vector<OpeningParts> calls(kBenchModels);
    std::vector<double> excess(kBenchModels, 0);
    std::vector<bool> measured(kBenchModels, false);
    bool header = false;
    for (int m = 0; m < kBenchModels; ++m) {
        const BenchModel& model = models[m];
        auto sheets = DriverEntry<SheetsEntry>(model.driver, "DrvDocumentPropertySheets");
        std::vector<BYTE> output(4088);
        std::vector<PROPSHEETPAGEW> records;
        if (!sheets || (OpenDriverSheet(model, sheets, output, &records), records.size() != kPages)) {
            printf("V%-7d (the driver added no four pages: nothing to measure)\n", model.variant);
            continue;
        }
        if (!header) {
            printf("%-8s %10s %10s %6s %6s %8s", "model", "open us", "floor us", "ratio", "paired", "INIT");
            for (const auto& caption : pageClock.caption)
                printf(" %13.13ls", caption);
            printf(" %8s\n", "rest");
            header = true;
        }
        std::vector<double> opens, floors, ratios, inits, pages[kPages];
        for (int r = 0; r < rounds; ++r) {
            OpeningParts parts;
            pageClock.time[0] = pageClock.time[1] = pageClock.time[2] = pageClock.time[3] = 0;
            opens.push_back(OpenDriverSheet(model, sheets, output, nullptr, &parts));
            inits.push_back(parts.init);
            for (int i = 0; i < kPages; ++i)
                pages[i].push_back(pageClock.time[i]);
            floors.push_back(OpenBareSheet(records));
            ratios.push_back(floors.back() > 0 ? opens.back() / floors.back() : 0);
        }
        const Pair pair{Median(opens), Median(floors)};
        excess[m] = pair.road - pair.floor;
        double rest = pair.road - pair.floor - Median(inits);
        printf("V%-7d %10.1f %10.1f %6.2f %6.2f %8.1f", model.variant, pair.road, pair.floor, pair.ratio(),
               Median(ratios), Median(inits));
        for (const auto& page : pages) {
            printf(" %13.1f", Median(page));
            rest -= Median(page);
        }
        printf(" %8.1f\n", rest);

        measured[m] = true;
        SpoolerCallCounter counter(model.driver);
        calls[m].counter = &counter;
        OpenDriverSheet(model, sheets, output, nullptr, &calls[m]);
        calls[m].counter = nullptr;
        calls[m].partial = !counter.counting();
    }

    printf("\nSpooler calls per opening, made by the driver at INIT and in the page dialogs' messages:\n"
           "GetPrinterDataW, GetPrinterW, GetPrinterDriverW, OpenPrinterW, profile-file reads, LoadLibraryW,\n"
           "and what as many reads cost made straight on the printer (us; share of the opening's excess).\n\n");
    printf("%-8s %-6s %6s %6s %6s %6s %6s %6s %10s\n", "model", "when", "data", "info", "driver", "open", "file", "lib",
           "spooler us");
    for (int m = 0; m < kBenchModels; ++m) {
        if (!measured[m])
            continue;
        if (calls[m].partial)
            printf("(the import slots could not all be swapped: the counts below are partial)\n");
        const double init = SpoolerTime(models[m].printer, calls[m].atInit, rounds);
        const double pages = SpoolerTime(models[m].printer, calls[m].inPages, rounds);
        PrintCalls(models[m].variant, "INIT", calls[m].atInit, init);
        PrintCalls(models[m].variant, "pages", calls[m].inPages, pages);
        if (excess[m] > 0)
            printf("%-15s %53.0f%% of the excess\n", "", 100 * (init + pages) / excess[m]);
    }
}
