// The Quality page: resolution, smoothing, toner save and text colour.
#include <gtest/gtest.h>

#include <string>

#include "docsheet/sheet_fixture.h"
#include "sheet/sheet_state.h"
#include "support/model_printers.h"
#include "../resources/resource_ids.h"

namespace {

// A colour model of variant 2 (or 3) with its choices switched by `options`.
std::wstring ColourProfile(int variant, const std::wstring& options)
{
    return L"[Setup]\nDRIVER=" + std::to_wstring(variant) + L"\n[PaperSize]\nA4=1,1,1,A4\nLETTER=1,1,1,LETTER\n" +
           options;
}

class QualityPage : public ::testing::Test {
protected:
    void Start(const DriverPackage& driver)
    {
        sheet_ = std::make_unique<SheetFixture>(driver);
    }
    template <typename Change>
    HWND OpenWith(Change change)
    {
        DocumentSettings input = sheet_->Defaults();
        change(input);
        EXPECT_EQ(1, sheet_->Open(&input));
        return sheet_->host().ShowPage(kPageQuality);
    }
    HWND Open()
    {
        return OpenWith([](DocumentSettings&) {});
    }
    void Click(int control) { sheet_->host().Click(kPageQuality, control); }
    DocumentSettings& settings() { return sheet_->settings(); }

    std::unique_ptr<SheetFixture> sheet_;
};

}  // namespace

TEST_F(QualityPage, RestoreDefaultsTakesTheModelsResolution)
{
    Start(DriverForProfileText(ColourProfile(2, L"[Marten3]\nRESOLUTION=0\n")));
    HWND page = OpenWith([](DocumentSettings& s) {
        s.dmPrintQuality = -4;
        s.resolutionDpi = 600;
    });
    ASSERT_NE(nullptr, page);
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_QUALITY_RES_600)));
    Click(IDC_RESTORE_DEFAULTS);
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_QUALITY_RES_300)));
    EXPECT_EQ(-3, settings().dmPrintQuality);
    EXPECT_EQ(300, settings().resolutionDpi);
}

TEST_F(QualityPage, AResolutionIsStoredWhenItChanges)
{
    Start(SampleDriver(2));
    ASSERT_NE(nullptr, OpenWith([](DocumentSettings& s) {
        s.dmPrintQuality = -3;
        s.resolutionDpi = 300;
    }));
    settings().dmFields &= ~DM_PRINTQUALITY;
    sheet_->host().CheckPagesAfterActions(false);   // the record lacks the flag on purpose
    Click(IDC_QUALITY_RES_300);
    EXPECT_EQ(0u, settings().dmFields & DM_PRINTQUALITY) << "the stored resolution again";
    Click(IDC_QUALITY_RES_600);
    EXPECT_NE(0u, settings().dmFields & DM_PRINTQUALITY);
    EXPECT_EQ(-4, settings().dmPrintQuality);
    EXPECT_EQ(600, settings().resolutionDpi);
}

TEST_F(QualityPage, TonerSavePrintsTrueTypeAsGraphicsOnVariant3Only)
{
    struct Case {
        int variant;
        bool graphics;
    } cases[] = {{3, true}, {2, false}};
    for (const Case& c : cases) {
        Start(SampleDriver(c.variant));
        HWND page = OpenWith([](DocumentSettings& s) {
            s.tonerSave = 0;
            s.useDeviceFonts = 1;
            s.dmTTOption = DMTT_SUBDEV;
            s.trueTypeAsGraphics = 0;
        });
        ASSERT_NE(nullptr, page);
        // Shown on the page (the test host never shows the sheet itself).
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, IDC_QUALITY_TONER_GROUP), GWL_STYLE) & WS_VISIBLE)
            << "variant " << c.variant;
        Click(IDC_QUALITY_TONER_ON);
        EXPECT_EQ(1, settings().tonerSave);
        EXPECT_EQ(c.graphics ? 0 : 1, settings().useDeviceFonts) << "variant " << c.variant;
        EXPECT_EQ(c.graphics ? DMTT_BITMAP : DMTT_SUBDEV, settings().dmTTOption) << "variant " << c.variant;
        EXPECT_EQ(c.graphics ? 1 : 0, settings().trueTypeAsGraphics) << "variant " << c.variant;
        sheet_.reset();
    }
}

TEST_F(QualityPage, Variant1HasNoTonerSaveAndStoresItOff)
{
    Start(SampleDriver(1));
    HWND page = OpenWith([](DocumentSettings& s) { s.tonerSave = 1; });
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(nullptr, GetDlgItem(page, IDC_QUALITY_TONER_ON));
    EXPECT_NE(nullptr, GetDlgItem(page, IDC_QUALITY_SMOOTH_CHECK)) << "the sample model smooths";
    Click(IDC_QUALITY_SMOOTH_CHECK);
    EXPECT_EQ(0, settings().tonerSave);
    EXPECT_EQ(1, settings().smoothing);
}

TEST_F(QualityPage, AModelWithoutColourShowsNoTextColourAndStoresBlackTextOff)
{
    Start(SampleDriver(3));
    HWND page = OpenWith([](DocumentSettings& s) { s.blackText = 1; });
    ASSERT_NE(nullptr, page);
    for (int control : {IDC_QUALITY_TEXT_GROUP, IDC_QUALITY_TEXT_BLACK, IDC_QUALITY_TEXT_HALFTONE})
        EXPECT_EQ(nullptr, GetDlgItem(page, control)) << "control " << control;
    EXPECT_EQ(nullptr, GetDlgItem(page, IDC_QUALITY_SMOOTH_ON)) << "the sample model does not smooth";
    Click(IDC_QUALITY_RES_300);
    EXPECT_EQ(0, settings().blackText);
}

TEST_F(QualityPage, SwitchingTextColourSwitchesTheColourCount)
{
    Start(SampleDriver(2));   // colour, with the colour switch
    ASSERT_NE(nullptr, OpenWith([](DocumentSettings& s) {
        s.blackTextChoice = 1;
        s.blackText = 1;
        s.colorCount = 2;
    }));
    Click(IDC_QUALITY_TEXT_HALFTONE);
    EXPECT_EQ(0, settings().blackTextChoice);
    EXPECT_EQ(0, settings().blackText);
    EXPECT_EQ(256, settings().colorCount);
    Click(IDC_QUALITY_TEXT_BLACK);
    EXPECT_EQ(1, settings().blackText);
    EXPECT_EQ(2, settings().colorCount);
}

TEST_F(QualityPage, RestoreDefaultsClearsTonerSaveAndSmoothingAndTakesTheModelsTextColour)
{
    Start(DriverForProfileText(
        ColourProfile(2, L"[Quality]\nSMOOTHING=1\nTONERSAVE=1\n[Marten3]\nCOLOR=1\nBLACKTEXT=0\nRESOLUTION=1\n")));
    HWND page = OpenWith([](DocumentSettings& s) {
        s.tonerSave = 1;
        s.smoothing = 1;
        s.blackTextChoice = 1;
    });
    ASSERT_NE(nullptr, page);
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_QUALITY_TONER_ON)));
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_QUALITY_SMOOTH_ON)));
    Click(IDC_RESTORE_DEFAULTS);
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_QUALITY_TONER_OFF)));
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_QUALITY_SMOOTH_OFF)));
    EXPECT_TRUE(IsChecked(GetDlgItem(page, IDC_QUALITY_TEXT_HALFTONE)));
    EXPECT_EQ(0, settings().tonerSave);
    EXPECT_EQ(0, settings().smoothing);
    EXPECT_EQ(0, settings().blackTextChoice);
}
