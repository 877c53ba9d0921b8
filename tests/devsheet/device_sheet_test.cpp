// The printer's own property sheet as the platform opens it: its pages, its
// life, a user without permission, and what its options change elsewhere.
#include "sheet/sheet_state.h"

#include <winspool.h>
#include <winddiui.h>

#include <gtest/gtest.h>

#include "devsheet/device_sheet_fixture.h"
#include "profile/model_profile.h"
#include "settings/document_settings.h"
#include "support/model_printers.h"
#include "support/page_checker.h"
#include "support/spooler_faults.h"
#include "../resources/resource_ids.h"

namespace {

class DeviceSheet : public ::testing::TestWithParam<int> {};

const int kTemplates[3][kDevicePageCount] = {
    {IDD_DEVICE_OPTIONS_V1, IDD_FONT_SUBSTITUTION_V1},
    {IDD_DEVICE_OPTIONS, IDD_FONT_SUBSTITUTION},
    {IDD_DEVICE_OPTIONS, IDD_FONT_SUBSTITUTION},
};
const UINT kTitles[kDevicePageCount] = {IDS_TITLE_DEVICE_OPTIONS, IDS_TITLE_FONT_SUBSTITUTION};

// Every control of both pages, by page.
const int kDeviceOptionsControls[] = {
    IDC_OPTIONS_TRAYS_LABEL, IDC_OPTIONS_TRAYS_EDIT,   IDC_OPTIONS_TRAYS_UPDOWN, IDC_OPTIONS_MEMORY_LABEL,
    IDC_OPTIONS_MEMORY_LIST, IDC_OPTIONS_SECURE_CHECK, IDC_OPTIONS_PASSWORD,     IDC_OPTIONS_DUPLEX_UNIT,
    IDC_OPTIONS_INNER_TRAY,  IDC_OPTIONS_OUTER_TRAY,   IDC_OPTIONS_FINISHER,     IDC_RESTORE_DEFAULTS,
    IDC_ABOUT_BUTTON};
const int kFontSubstitutionControls[] = {IDC_FONTSUBS_TABLE, IDC_FONTSUBS_FACE,    IDC_FONTSUBS_LABEL,
                                         IDC_FONTSUBS_LIST,  IDC_RESTORE_DEFAULTS, IDC_ABOUT_BUTTON};

}  // namespace

TEST_P(DeviceSheet, AddsTheTwoPagesOfItsVariantAndFreesItsStateAtDestroy)
{
    DeviceSheetFixture sheet(SampleDriver(GetParam()));
    ASSERT_EQ(1, sheet.Open());
    SheetHost& host = sheet.host();
    EXPECT_EQ(0u, host.info().Result);
    // INIT reads each fact once: the profile, the installed options, the
    // font substitutions (this printer stores none: one look) and the
    // driver's files.
    EXPECT_EQ(4, host.initCalls().reads);
    ASSERT_EQ(kDevicePageCount, host.pageCount());
    const auto* state = reinterpret_cast<const SheetState*>(host.info().UserData);
    ASSERT_NE(nullptr, state);
    for (int i = 0; i < kDevicePageCount; ++i) {
        const PROPSHEETPAGEW& page = host.pageRecord(i);
        EXPECT_EQ(PROPSHEETPAGEW_V2_SIZE, page.dwSize) << "page " << i;
        EXPECT_EQ(static_cast<DWORD>(PSP_USETITLE | PSP_HASHELP), page.dwFlags) << "page " << i;
        EXPECT_EQ(MAKEINTRESOURCEW(kTemplates[GetParam() - 1][i]), page.pszTemplate) << "page " << i;
        EXPECT_EQ(reinterpret_cast<LPARAM>(state), page.lParam) << "page " << i;
        WCHAR title[64] = L"";
        LoadStringW(page.hInstance, kTitles[i], title, 64);
        EXPECT_STRNE(L"", title);
        EXPECT_EQ(std::wstring(title), host.pageTitle(i)) << "page " << i;
    }
    EXPECT_EQ(sheet.printer().handle(), state->printer);
    EXPECT_EQ(sheet.printer().handle(), state->printerHandle);
    EXPECT_EQ(1, state->canChange);
    EXPECT_EQ(nullptr, state->settings);
    for (HANDLE handle : state->pageHandles)
        EXPECT_EQ(nullptr, handle);

    HWND options = host.ShowPage(0);
    HWND fonts = host.ShowPage(1);
    EXPECT_EQ(options, state->deviceOptionsPage);
    EXPECT_EQ(fonts, state->fontSubstitutionPage);
    // F1 on a page's About button hands over the page's help map.
    for (int index : {0, 1}) {
        const std::vector<HelpCall> calls = host.HelpOn(index, IDC_ABOUT_BUTTON);
        ASSERT_EQ(1u, calls.size());
        const std::vector<DWORD>& pairs = calls[0].pairs;
        ASSERT_GE(pairs.size(), 4u);
        EXPECT_EQ((std::vector<DWORD>{IDC_RESTORE_DEFAULTS, 1001, IDC_ABOUT_BUTTON, 1002}),
                  std::vector<DWORD>(pairs.end() - 4, pairs.end()))
            << "page " << index << ": the map ends with the buttons every page has";
        const auto findings = CheckHelpTopics(host.ShowPage(index), pairs, index ? "fonts" : "options");
        EXPECT_TRUE(findings.empty()) << JoinFindings(findings);
    }
    host.Press(PSBTN_CANCEL);
    EXPECT_TRUE(host.closed());
    EXPECT_EQ(1, host.destroyCalls());
    EXPECT_EQ(1, host.destroyAnswer());
    EXPECT_EQ(0u, host.info().UserData);
}

INSTANTIATE_TEST_SUITE_P(Variants, DeviceSheet, ::testing::Values(1, 2, 3));

TEST(DeviceSheetWithoutPermission, DisablesEveryControlAndWritesNothing)
{
    DeviceSheetFixture sheet(SampleDriver(2));
    const DeviceOptionData stored = AllOptionsOn(3);
    sheet.StoreOptions(stored);
    sheet.StoreFontSubs({L"Gone Face", L"CourierSWC"});
    ASSERT_EQ(1, sheet.Open(DPS_NOPERMISSION));
    SheetHost& host = sheet.host();
    EXPECT_EQ(0, reinterpret_cast<const SheetState*>(host.info().UserData)->canChange);
    for (int id : kDeviceOptionsControls) {
        HWND control = host.Control(0, id);
        ASSERT_NE(nullptr, control) << "control " << id;
        EXPECT_FALSE(IsWindowEnabled(control)) << "control " << id;
    }
    for (int id : kFontSubstitutionControls) {
        HWND control = host.Control(1, id);
        ASSERT_NE(nullptr, control) << "control " << id;
        EXPECT_FALSE(IsWindowEnabled(control)) << "control " << id;
    }
    host.Press(PSBTN_OK);
    EXPECT_TRUE(host.closed());
    const DeviceOptionData after = sheet.StoredOptions();
    EXPECT_EQ(0, memcmp(&stored, &after, sizeof(stored)));
    EXPECT_EQ((std::vector<std::wstring>{L"Gone Face", L"CourierSWC"}), sheet.StoredFontSubs());
}

// Pages of the default model would store its options on this printer.
TEST(DeviceSheetWithoutItsProfile, IsRefusedWithTheReason)
{
    DeviceSheetFixture sheet(SampleDriver(2));
    const char kUnreadable[] = "not a profile";
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              sheet.printer().SetData(kDriverProfileValue, REG_BINARY, kUnreadable, sizeof(kUnreadable)));
    for (DWORD error : {DWORD{ERROR_ACCESS_DENIED}, DWORD{RPC_S_SERVER_UNAVAILABLE}}) {
        InjectedFault injected(sheet.driver().module(), Faulted::GetPrinterDriver, error);
        EXPECT_EQ(-1, sheet.Open()) << ErrorName(error);
        EXPECT_EQ(error, GetLastError());
        EXPECT_EQ(0, sheet.host().pageCount()) << ErrorName(error);
        EXPECT_EQ(1, injected.failed()) << ErrorName(error);
    }
}

// What the page stores is what the capability query answers.
TEST(DeviceSheetOptions, ReachTheCapabilityAnswers)
{
    DeviceSheetFixture sheet(SampleDriver(2));
    DeviceOptionData stored = {};
    stored.trayCount = 4;
    sheet.StoreOptions(stored);
    auto query = sheet.driver().Entry<DWORD(WINAPI*)(HANDLE, PWSTR, WORD, VOID*, PDEVMODEW)>("DrvDeviceCapabilities");
    ASSERT_NE(nullptr, query);
    auto ask = [&](WORD index, void* out) {
        DEVMODEW ignored = {};
        return query(sheet.printer().handle(), const_cast<WCHAR*>(sheet.printer().name().c_str()), index, out,
                     &ignored);
    };
    EXPECT_EQ(6u, ask(DC_BINS, nullptr));   // automatic, bypass and four trays
    EXPECT_EQ(0u, ask(DC_DUPLEX, nullptr));

    ASSERT_EQ(1, sheet.Open());
    SetWindowTextW(sheet.host().Control(0, IDC_OPTIONS_TRAYS_EDIT), L"2");
    if (!IsDlgButtonChecked(sheet.host().ShowPage(0), IDC_OPTIONS_DUPLEX_UNIT))
        sheet.host().Click(0, IDC_OPTIONS_DUPLEX_UNIT);
    sheet.host().Press(PSBTN_OK);
    ASSERT_TRUE(sheet.host().closed());

    WORD bins[8] = {};
    ASSERT_EQ(4u, ask(DC_BINS, bins));
    EXPECT_EQ((std::vector<WORD>{1025, 1026, 1034, 1035}), std::vector<WORD>(bins, bins + 4));
    EXPECT_EQ(1u, ask(DC_DUPLEX, nullptr));
}

namespace {

using PrinterEventEntry = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

// What a person reads and sees on the pages: every control's text, every
// combo box row and every icon shown, page after page.
std::vector<std::wstring> Shown(SheetHost& host)
{
    std::vector<std::wstring> shown;
    for (int index = 0; index < host.pageCount(); ++index) {
        HWND page = host.ShowPage(index);
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            WCHAR text[256] = L"";
            GetWindowTextW(child, text, 256);
            shown.push_back(std::to_wstring(index) + L": " + text);
            const LRESULT rows = SendMessageW(child, CB_GETCOUNT, 0, 0);
            for (LRESULT row = 0; row < rows && row < 64; ++row) {
                text[0] = 0;
                if (SendMessageW(child, CB_GETLBTEXTLEN, row, 0) < 256)
                    SendMessageW(child, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
                shown.push_back(std::wstring(L"  row ") + text);
            }
            if (HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0))) {
                ICONINFO info = {};
                const bool drawable = GetIconInfo(icon, &info);
                shown.push_back(drawable ? L"  an icon" : L"  a broken icon");
                DeleteObject(info.hbmColor);
                DeleteObject(info.hbmMask);
            }
        }
    }
    return shown;
}

struct InitializeEvents {
    PrinterEventEntry entry;
    std::wstring name;
    LONG failures = 0;
};

DWORD WINAPI SendInitializeEvents(void* parameter)
{
    auto* events = static_cast<InitializeEvents*>(parameter);
    for (int event = 0; event < 1000; ++event)
        events->failures += !events->entry(events->name.data(), PRINTER_EVENT_INITIALIZE, 0, 0);
    return 0;
}

}  // namespace

// Printer events on another thread of the same process each give back the
// resource library the driver keeps; the sheets open meanwhile hold it for
// themselves, and what their pages load afresh still has its strings.
TEST(SheetsUnderPrinterEvents, KeepTheirStringsAndIconsThroughAThousandInitializeEvents)
{
    DeviceSheetFixture device(SampleDriver(2));
    ForgetUserSettings(device.printer());
    ASSERT_EQ(1, device.Open());
    std::vector<BYTE> output(kSettingsBytes, 0);
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof(header);
    header.hPrinter = device.printer().handle();
    header.pszPrinterName = const_cast<WCHAR*>(device.printer().name().c_str());
    header.pdmOut = reinterpret_cast<DEVMODEW*>(output.data());
    header.cbOut = kSettingsBytes;
    header.fMode = DM_IN_PROMPT | DM_OUT_BUFFER;
    SheetHost document(device.driver());
    ASSERT_EQ(1, document.Open(&header));
    const std::vector<std::wstring> deviceShown = Shown(device.host());
    const std::vector<std::wstring> documentShown = Shown(document);

    InitializeEvents events{device.driver().Entry<PrinterEventEntry>("DrvPrinterEvent"), device.printer().name()};
    ASSERT_NE(nullptr, events.entry);
    HANDLE thread = CreateThread(nullptr, 0, SendInitializeEvents, &events, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        document.Pump();
    CloseHandle(thread);
    EXPECT_EQ(0, events.failures);

    // Restore Defaults loads the pages' texts and icons again.
    device.host().Click(0, IDC_RESTORE_DEFAULTS);
    device.host().Click(1, IDC_RESTORE_DEFAULTS);
    document.Click(kPagePaperLayout, IDC_RESTORE_DEFAULTS);
    document.Click(kPageHandling, IDC_RESTORE_DEFAULTS);
    EXPECT_EQ(deviceShown, Shown(device.host()));
    EXPECT_EQ(documentShown, Shown(document));
    document.Press(PSBTN_CANCEL);
    device.host().Press(PSBTN_CANCEL);
}
