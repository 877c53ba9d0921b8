// The document property sheet as the platform opens it: the pages the
// driver adds, their life in a real property sheet, and what OK stores.
#include "sheet/sheet_state.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/driver_interface.h"
#include "facts/printer_call.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/page_checker.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"
#include "../resources/resource_ids.h"

namespace {

class DocumentSheet : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        printer_ = &SharedPrinter(SampleDriver(GetParam()));
        ForgetUserSettings(*printer_);
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        output_.assign(kSettingsBytes, 0);
        header_.cbSize = sizeof(header_);
        header_.hPrinter = printer_->handle();
        header_.pszPrinterName = const_cast<WCHAR*>(printer_->name().c_str());
        header_.pdmOut = reinterpret_cast<DEVMODEW*>(output_.data());
        header_.cbOut = kSettingsBytes;
        header_.fMode = DM_IN_PROMPT | DM_OUT_BUFFER;
    }

    const BenchPrinter* printer_ = nullptr;
    std::unique_ptr<InstalledDriver> driver_;
    std::vector<BYTE> output_;
    DOCUMENTPROPERTYHEADER header_ = {};
};

// The pages of each variant, in page order.
const int kTemplates[3][kDocumentPageCount] = {
    {IDD_PAPER_LAYOUT_V1, IDD_HANDLING_V1, IDD_QUALITY_V1, IDD_FONTS_V1},
    {IDD_PAPER_LAYOUT, IDD_HANDLING, IDD_QUALITY, IDD_FONTS},
    {IDD_PAPER_LAYOUT, IDD_HANDLING, IDD_QUALITY, IDD_FONTS},
};
const UINT kTitles[kDocumentPageCount] = {IDS_TITLE_PAPER_LAYOUT, IDS_TITLE_HANDLING, IDS_TITLE_QUALITY,
                                          IDS_TITLE_FONTS};

}  // namespace

TEST_P(DocumentSheet, AddsTheFourPagesOfItsVariantWithOneSharedState)
{
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    ASSERT_EQ(kDocumentPageCount, host.pageCount());
    const auto* state = reinterpret_cast<const SheetState*>(host.info().UserData);
    ASSERT_NE(nullptr, state);
    EXPECT_EQ(1u, host.info().Result);
    // INIT reads each fact once: the profile, the installed options, the
    // overlay names, the driver's files and the level-2 information.
    EXPECT_EQ(5, host.initCalls().reads);
    for (int i = 0; i < kDocumentPageCount; ++i) {
        const PROPSHEETPAGEW& page = host.pageRecord(i);
        EXPECT_EQ(PROPSHEETPAGEW_V2_SIZE, page.dwSize) << "page " << i;
        EXPECT_EQ(static_cast<DWORD>(PSP_USETITLE | PSP_HASHELP), page.dwFlags) << "page " << i;
        EXPECT_EQ(MAKEINTRESOURCEW(kTemplates[GetParam() - 1][i]), page.pszTemplate) << "page " << i;
        EXPECT_EQ(reinterpret_cast<LPARAM>(state), page.lParam) << "page " << i;
        WCHAR title[64] = L"";
        LoadStringW(page.hInstance, kTitles[i], title, 64);
        EXPECT_STRNE(L"", title);
        EXPECT_EQ(std::wstring(title), host.pageTitle(i)) << "page " << i;
        EXPECT_EQ(host.pageHandle(i), state->pageHandles[i]) << "page " << i;
    }
    EXPECT_EQ(printer_->handle(), state->printer);
    EXPECT_EQ(printer_->handle(), state->printerHandle);
    EXPECT_EQ(header_.pszPrinterName, state->printerName);
    EXPECT_EQ(header_.pszPrinterName, state->printerNameCopy);
    EXPECT_EQ(reinterpret_cast<DocumentSettings*>(output_.data()), state->settings);
    EXPECT_EQ(1, state->canChange);
    EXPECT_EQ(nullptr, state->deviceResultPage);
    // The sheet's information header is left to the platform.
    EXPECT_EQ(1, host.infoHeaderAnswer());
    EXPECT_EQ(nullptr, host.infoHeader().pTitle);
}

TEST_P(DocumentSheet, APageHoldsItsWindowFieldWhileItsDialogExists)
{
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    const auto* state = reinterpret_cast<const SheetState*>(host.info().UserData);
    ASSERT_NE(nullptr, state);
    // The platform creates the first page's dialog; the others when shown.
    EXPECT_EQ(host.CurrentPage(), state->paperPage);
    EXPECT_EQ(nullptr, state->fontsPage);
    HWND fonts = host.ShowPage(kPageFonts);
    ASSERT_NE(nullptr, fonts);
    EXPECT_EQ(fonts, state->fontsPage);
    EXPECT_EQ(nullptr, state->qualityPage);
    EXPECT_EQ(nullptr, state->handlingPage);
    // A page takes its activation (0): any other answer names a page to go to.
    NMHDR activate = {GetParent(fonts), 0, static_cast<UINT>(PSN_SETACTIVE)};
    SendMessageW(fonts, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&activate));
    EXPECT_EQ(0, GetWindowLongPtrW(fonts, DWLP_MSGRESULT));
}

TEST_P(DocumentSheet, OkReportsEachShownPageAndStoresTheSettingsForTheUser)
{
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    ASSERT_NE(nullptr, host.ShowPage(kPageQuality));
    host.Press(PSBTN_OK);
    ASSERT_TRUE(host.closed());
    EXPECT_EQ(1, host.destroyCalls());
    EXPECT_EQ(1, host.destroyAnswer());
    EXPECT_EQ(0u, host.info().UserData) << "DESTROY frees the state";

    // The two pages that were shown report; the two never shown do not.
    std::vector<HANDLE> reported;
    for (const SheetHost::SetResultCall& call : host.setResults()) {
        EXPECT_EQ(CPSUI_OK, call.result);
        EXPECT_EQ(1, call.answer);
        reported.push_back(call.page);
    }
    std::vector<HANDLE> shown = {host.pageHandle(kPagePaperLayout), host.pageHandle(kPageQuality)};
    std::sort(reported.begin(), reported.end());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, reported);

    std::vector<BYTE> stored(kSettingsBytes + 1);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Printers\\DevModes2", 0, KEY_READ, &key));
    DWORD size = static_cast<DWORD>(stored.size());
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, printer_->name().c_str(), nullptr, nullptr, stored.data(), &size));
    RegCloseKey(key);
    EXPECT_EQ(kSettingsBytes, size);
    stored.resize(kSettingsBytes);
    EXPECT_EQ(output_, stored) << "the per-user copy is the edited output record";
}

INSTANTIATE_TEST_SUITE_P(Variants, DocumentSheet, ::testing::Values(1, 2, 3));

TEST_P(DocumentSheet, ConfirmingWithTheCallersRecordStoresNothingForTheUser)
{
    std::vector<BYTE> input(kSettingsBytes);
    auto properties = driver_->Entry<LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD)>(
        "DrvDocumentProperties");
    ASSERT_EQ(1, properties(nullptr, printer_->handle(), header_.pszPrinterName,
                            reinterpret_cast<DEVMODEW*>(input.data()), nullptr, DM_OUT_BUFFER));
    reinterpret_cast<DocumentSettings*>(input.data())->useDeviceFonts = 1;
    header_.pdmIn = reinterpret_cast<DEVMODEW*>(input.data());
    header_.fMode |= DM_IN_BUFFER;
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    host.Click(kPageFonts, IDC_FONTS_USE_TRUETYPE);
    host.Press(PSBTN_OK);
    ASSERT_TRUE(host.closed());
    EXPECT_FALSE(host.setResults().empty());
    EXPECT_EQ(0, reinterpret_cast<DocumentSettings*>(output_.data())->useDeviceFonts) << "the output is edited";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Printers\\DevModes2", 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, printer_->name().c_str(), nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);
}

TEST_P(DocumentSheet, PagesNeverShownLeaveTheRecordAsTheSheetStartedIt)
{
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    // The first page, shown, writes its one-in-one zoom layout and, with no
    // copy-control choice on the page, leaves sorting to the driver.
    std::vector<BYTE> expected = output_;
    auto& started = *reinterpret_cast<DocumentSettings*>(expected.data());
    started.scalingValue = started.zoomPercent;
    started.pagesPerSheetCode = 0;
    // ... and its paper whole, with the paper's size.
    {
        PrinterCall call;
        call.printer = printer_->handle();
        PaperSizeOfCode(FetchModel(&call), &started, started.dmPaperSize, &started.dmPaperWidth,
                        &started.dmPaperLength);
    }
    if (!host.Control(kPagePaperLayout, IDC_LAYOUT_COPIES_PRINTER))
        started.driverControlsSort = 1;
    host.Press(PSBTN_OK);
    ASSERT_TRUE(host.closed());
    EXPECT_EQ(0, started.layoutMode) << "the sheet starts in the plain layout";
    std::string changed;
    for (size_t at = 0; at < expected.size(); ++at) {
        if (expected[at] != output_[at])
            changed += " " + std::to_string(at) + ":" + std::to_string(expected[at]) + "->" + std::to_string(output_[at]);
    }
    EXPECT_EQ("", changed) << "bytes changed unexpectedly (offset:expected->actual)";
    ASSERT_EQ(1u, host.setResults().size()) << "only the first page was shown";
    EXPECT_EQ(host.pageHandle(kPagePaperLayout), host.setResults()[0].page);
}

TEST_P(DocumentSheet, CancelStoresNothing)
{
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    host.Click(kPageFonts, IDC_FONTS_USE_TRUETYPE);
    host.Press(PSBTN_CANCEL);
    ASSERT_TRUE(host.closed());
    EXPECT_TRUE(host.setResults().empty());
    EXPECT_EQ(1, host.destroyCalls());
}

TEST_P(DocumentSheet, WithoutPermissionEveryControlIsDisabled)
{
    header_.fMode |= DM_NOPERMISSION;
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    EXPECT_EQ(0, reinterpret_cast<const SheetState*>(host.info().UserData)->canChange);
    for (int index : {kPageQuality, kPageFonts}) {
        HWND page = host.ShowPage(index);
        ASSERT_NE(nullptr, page);
        int controls = 0;
        for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            ++controls;
            EXPECT_FALSE(IsWindowEnabled(control)) << "page " << index << ", control " << GetDlgCtrlID(control);
        }
        EXPECT_GT(controls, 2) << "page " << index;
    }
}

TEST_P(DocumentSheet, HelpGoesToTheDriversHelpFileWithEachPagesContext)
{
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    DWORD needed = 0;
    GetPrinterDriverW(printer_->handle(), nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    ASSERT_TRUE(GetPrinterDriverW(printer_->handle(), nullptr, 3, info.data(), needed, &needed));
    const std::wstring helpFile = reinterpret_cast<DRIVER_INFO_3W*>(info.data())->pHelpFile;

    // Each page's context, and one of its controls with the context it maps to.
    struct PageHelp {
        int index;
        DWORD context;
        int control;
        DWORD controlContext;
    } pages[] = {{kPagePaperLayout, 120, 2223, 1201}, {kPageHandling, 130, 1063, 1603},
                 {kPageQuality, 140, 1212, 1401},     {kPageFonts, 150, 1922, 1502}};
    for (const PageHelp& expected : pages) {
        HWND page = host.ShowPage(expected.index);
        ASSERT_NE(nullptr, page);
        host.help().Clear();
        host.Press(PSBTN_HELP);
        std::vector<HelpCall> calls = host.help().CallsOf(HELP_CONTEXT);
        ASSERT_EQ(1u, calls.size()) << "page " << expected.index;
        EXPECT_EQ(page, calls[0].window);
        EXPECT_EQ(0, lstrcmpiW(helpFile.c_str(), calls[0].file.c_str())) << Narrow(calls[0].file);
        EXPECT_EQ(expected.context, calls[0].data) << "page " << expected.index;

        calls = host.HelpOn(expected.index, IDC_ABOUT_BUTTON);
        ASSERT_EQ(1u, calls.size()) << "page " << expected.index;
        EXPECT_EQ(static_cast<UINT>(HELP_WM_HELP), calls[0].command);
        EXPECT_EQ(GetDlgItem(page, IDC_ABOUT_BUTTON), calls[0].window);
        EXPECT_EQ(0, lstrcmpiW(helpFile.c_str(), calls[0].file.c_str())) << Narrow(calls[0].file);
        const std::vector<DWORD>& pairs = calls[0].pairs;
        EXPECT_EQ(1001u, HelpTopicOf(pairs, IDC_RESTORE_DEFAULTS)) << "page " << expected.index;
        EXPECT_EQ(1002u, HelpTopicOf(pairs, IDC_ABOUT_BUTTON)) << "page " << expected.index;
        EXPECT_EQ(expected.controlContext, HelpTopicOf(pairs, expected.control)) << "page " << expected.index;
        const std::vector<std::string> findings =
            CheckHelpTopics(page, pairs, ("page " + std::to_string(expected.index)).c_str());
        EXPECT_TRUE(findings.empty()) << JoinFindings(findings);
    }
    // Every page's dialog closes its help when it goes.
    host.help().Clear();
    host.Close();
    EXPECT_EQ(4u, host.help().CallsOf(HELP_QUIT).size());
}
