// The Fonts page: printer fonts by substitution, or TrueType fonts always.
#include <gtest/gtest.h>

#include "docsheet/sheet_fixture.h"
#include "sheet/sheet_state.h"
#include "../resources/resource_ids.h"

namespace {

const int kSubstitutionGroup[] = {IDC_FONTS_USE_PRINTER, IDC_FONTS_PRINTER_NOTE1, IDC_FONTS_PRINTER_NOTE2};

class FontsPage : public ::testing::TestWithParam<int> {
protected:
    FontsPage() : sheet_(SampleDriver(GetParam())) {}

    // Opens the sheet on the defaults with `change` applied, at the Fonts page.
    template <typename Change>
    HWND OpenWith(Change change)
    {
        DocumentSettings input = sheet_.Defaults();
        change(input);
        EXPECT_EQ(1, sheet_.Open(&input));
        return sheet_.host().ShowPage(kPageFonts);
    }
    HWND OpenWithPrinterFonts(int use)
    {
        return OpenWith([use](DocumentSettings& s) { s.useDeviceFonts = use; s.tonerSave = 0; });
    }

    SheetFixture sheet_;
};

}  // namespace

TEST_P(FontsPage, ChoosingTrueTypeStoresItAtOnce)
{
    HWND page = OpenWithPrinterFonts(1);
    ASSERT_NE(nullptr, page);
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_FONTS_USE_PRINTER)));
    sheet_.settings().dmFields &= ~DM_TTOPTION;
    sheet_.host().Click(kPageFonts, IDC_FONTS_USE_TRUETYPE);
    const DocumentSettings& s = sheet_.settings();
    EXPECT_EQ(0, s.useDeviceFonts);
    EXPECT_EQ(DMTT_DOWNLOAD, s.dmTTOption);
    EXPECT_EQ(1, s.trueTypeAsGraphics);
    EXPECT_NE(0u, s.dmFields & DM_TTOPTION);
    EXPECT_TRUE(sheet_.host().setResults().empty()) << "before any apply";
}

TEST_P(FontsPage, ClickingTheChosenButtonChangesNothing)
{
    ASSERT_NE(nullptr, OpenWithPrinterFonts(0));
    const DocumentSettings before = sheet_.settings();
    sheet_.host().Click(kPageFonts, IDC_FONTS_USE_TRUETYPE);
    EXPECT_EQ(0, memcmp(&before, &sheet_.settings(), sizeof(before)));
}

TEST_P(FontsPage, RestoreDefaultsChoosesPrinterFonts)
{
    HWND page = OpenWithPrinterFonts(0);
    ASSERT_NE(nullptr, page);
    sheet_.host().Click(kPageFonts, IDC_RESTORE_DEFAULTS);
    EXPECT_EQ(1, sheet_.settings().useDeviceFonts);
    EXPECT_EQ(DMTT_SUBDEV, sheet_.settings().dmTTOption);
    EXPECT_EQ(0, sheet_.settings().trueTypeAsGraphics);
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_FONTS_USE_PRINTER)));
    EXPECT_EQ(GetDlgItem(page, IDC_FONTS_USE_PRINTER), GetFocus());
}

TEST_P(FontsPage, TonerSaveLeavesOnlyTrueTypeExceptOnVariant2)
{
    HWND page = OpenWith([](DocumentSettings& s) {
        s.useDeviceFonts = 1;
        s.tonerSave = 1;
    });
    ASSERT_NE(nullptr, page);
    const bool tonerSaveRules = GetParam() != 2;
    EXPECT_EQ(tonerSaveRules, IsChecked(GetDlgItem(page, IDC_FONTS_USE_TRUETYPE)));
    for (int control : kSubstitutionGroup)
        EXPECT_EQ(!tonerSaveRules, IsWindowEnabled(GetDlgItem(page, control)) != 0) << "control " << control;
    sheet_.host().Press(PSBTN_OK);
    EXPECT_EQ(tonerSaveRules ? 0 : 1, sheet_.settings().useDeviceFonts);
}

// Under toner save the printer fonts choice is disabled, and a click on its
// partner cannot uncheck it by itself.
TEST_P(FontsPage, TrueTypeClickedAfterRestoreDefaultsUnderTonerSaveIsTheOnlyChoice)
{
    HWND page = OpenWith([](DocumentSettings& s) { s.tonerSave = 1; });
    ASSERT_NE(nullptr, page);
    sheet_.host().Click(kPageFonts, IDC_RESTORE_DEFAULTS);
    sheet_.host().Click(kPageFonts, IDC_FONTS_USE_TRUETYPE);
    EXPECT_FALSE(IsChecked(GetDlgItem(page, IDC_FONTS_USE_PRINTER)));
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_FONTS_USE_TRUETYPE)));
    EXPECT_EQ(0, sheet_.settings().useDeviceFonts);
}

// Toner save chosen on the Quality page after this page showed printer
// fonts, or Restore Defaults under toner save: apply stores what toner save
// rules, and the page shows what it stored.
TEST_P(FontsPage, TonerSaveChosenElsewhereIsWhatApplyStoresAndShows)
{
    const bool tonerSaveRules = GetParam() != 2;
    for (bool restore : {false, true}) {
        HWND page = OpenWith([restore](DocumentSettings& s) {
            s.useDeviceFonts = 1;
            s.tonerSave = restore ? 1 : 0;
        });
        ASSERT_NE(nullptr, page);
        if (!sheet_.host().Control(kPageQuality, IDC_QUALITY_TONER_ON))
            continue;   // the model offers no toner save
        if (restore)
            sheet_.host().Click(kPageFonts, IDC_RESTORE_DEFAULTS);
        else
            sheet_.host().Click(kPageQuality, IDC_QUALITY_TONER_ON);
        sheet_.host().Press(PSBTN_APPLYNOW);
        const DocumentSettings& s = sheet_.settings();
        const char* at = restore ? "restore defaults" : "toner save clicked";
        EXPECT_EQ(tonerSaveRules ? 0 : 1, s.useDeviceFonts) << at;
        EXPECT_EQ(tonerSaveRules ? 1 : 0, s.trueTypeAsGraphics) << at;
        EXPECT_EQ(tonerSaveRules ? DMTT_BITMAP : DMTT_SUBDEV, s.dmTTOption) << at;
        EXPECT_EQ(tonerSaveRules, IsChecked(GetDlgItem(page, IDC_FONTS_USE_TRUETYPE))) << at;
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, FontsPage, ::testing::Values(1, 2, 3));
