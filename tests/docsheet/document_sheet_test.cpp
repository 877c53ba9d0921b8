// The document property sheet as the platform opens it: the pages the
// driver adds, their life in a real property sheet, and what OK stores.
#include "docsheet/sheet_state.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "entry/driver_interface.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"
#include "../resources/resource_ids.h"

namespace {

class DocumentSheet : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(GetParam()), L"Sheet");
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        output_.assign(kSettingsBytes, 0);
        header_.cbSize = sizeof(header_);
        header_.hPrinter = printer_->handle();
        header_.pszPrinterName = const_cast<WCHAR*>(printer_->name().c_str());
        header_.pdmOut = reinterpret_cast<DEVMODEW*>(output_.data());
        header_.cbOut = kSettingsBytes;
        header_.fMode = DM_IN_PROMPT | DM_OUT_BUFFER;
    }

    std::unique_ptr<BenchPrinter> printer_;
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
}

TEST_P(DocumentSheet, OkReportsEachShownPageAndStoresTheSettingsForTheUser)
{
    SheetHost host(*driver_);
    ASSERT_EQ(1, host.Open(&header_));
    ASSERT_NE(nullptr, host.ShowPage(kPageQuality));
    host.Press(PSBTN_OK);
    ASSERT_TRUE(host.closed());
    EXPECT_EQ(1, host.destroyCalls());
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
