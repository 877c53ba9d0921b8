// The Paper/Layout page in a real sheet: what it offers for each model and
// installed trays, how its choices depend on each other, and what it writes.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sheet/sheet_state.h"
#include "platform/driver_interface.h"
#include "profile/device_options.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/model_printers.h"
#include "support/page_checker.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"
#include "../resources/resource_ids.h"

namespace {

// A variant 2 model whose N-in-1 table comes near the ratio limit: 4 in 1
// puts A3 onto A5 at 24 % and B5 onto a postcard at 27 %, 2 in 1 puts B4
// onto a postcard at 27 %.
const wchar_t kLayoutModel[] =
    L"[Setup]\nDRIVER=2\n[Language]\nLocaleArea=0\n"
    L"[PaperSize]\nA3=1,0,1,A3\nB4=1,0,1,JISB4\nA4=1,1,1,A4\nB5=1,1,1,JISB5\nA5=1,0,0,A5\n"
    L"POSTCARD=1,1,0,JPOSTD\nLETTER=1,1,1,LETTER\nUSER=1,0,0,CUSTOM\n"
    L"[ZoomPaper0]\nA4=A3,A4,A5\n"
    L"[Nin1Paper0]\nA3=A3,A4,A5\nB4=A3,POSTCARD\nB5=A4,POSTCARD\n"
    L"[PaperSource]\nMAXSET=4\nDEFNUMBER=2\n[Marten3]\nPAPERDEF=9\nMODEL=3\nBYPASS=1\n";

using Texts = std::vector<std::wstring>;

class PaperLayoutPage : public ::testing::Test {
protected:
    // One printer per driver for the whole process; each sheet starts from
    // the model's defaults (no settings kept for the user).
    static const BenchPrinter& PrinterOf(const DriverPackage& driver)
    {
        const BenchPrinter& printer = SharedPrinter(driver);
        ForgetUserSettings(printer);
        return printer;
    }

    void Open(const BenchPrinter& printer, DWORD extraFlags = 0)
    {
        host_.reset();
        driver_ = std::make_unique<InstalledDriver>(printer.handle());
        output_.assign(kSettingsBytes, 0);
        header_ = {sizeof(header_), 0, printer.handle(), const_cast<WCHAR*>(printer.name().c_str()), nullptr,
                   reinterpret_cast<DEVMODEW*>(output_.data()), kSettingsBytes,
                   DM_IN_PROMPT | DM_OUT_BUFFER | extraFlags};
        host_ = std::make_unique<SheetHost>(*driver_);
        ASSERT_EQ(1, host_->Open(&header_));
        ASSERT_NE(nullptr, page());
    }
    void Open(const DriverPackage& driver, DWORD extraFlags = 0) { Open(PrinterOf(driver), extraFlags); }

    DocumentSettings& settings() { return *reinterpret_cast<DocumentSettings*>(output_.data()); }
    HWND page() { return host_->ShowPage(kPagePaperLayout); }
    HWND control(int id) { return host_->Control(kPagePaperLayout, id); }
    bool enabled(int id) { return IsWindowEnabled(control(id)) != FALSE; }
    bool checked(int id) { return IsDlgButtonChecked(page(), id) == BST_CHECKED; }

    Texts Items(int id)
    {
        Texts items;
        HWND combo = control(id);
        const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            WCHAR text[128] = L"";
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    std::wstring Chosen(int id)
    {
        const LRESULT item = SendMessageW(control(id), CB_GETCURSEL, 0, 0);
        return item < 0 ? L"(none)" : Items(id)[item];
    }
    std::wstring Text(int id)
    {
        WCHAR text[128] = L"";
        GetWindowTextW(control(id), text, 128);
        return text;
    }
    void Type(int id, const wchar_t* text) { SetWindowTextW(control(id), text); }
    void Choose(int id, int item) { host_->Choose(kPagePaperLayout, id, item); }
    void Click(int id) { host_->Click(kPagePaperLayout, id); }

    void SelectPaper(const wchar_t* name)
    {
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = name;
        const int item = static_cast<int>(SendMessageW(control(IDC_LAYOUT_PAPER_LIST), LVM_FINDITEMW,
                                                       static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
        ASSERT_GE(item, 0) << "no paper " << name;
        host_->SelectItem(kPagePaperLayout, IDC_LAYOUT_PAPER_LIST, item);
    }
    std::wstring SelectedPaper()
    {
        HWND list = control(IDC_LAYOUT_PAPER_LIST);
        const int item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        WCHAR name[64] = L"(none)";
        if (item >= 0)
            ListView_GetItemText(list, item, 0, name, 64);
        return name;
    }

    std::unique_ptr<InstalledDriver> driver_;
    std::vector<BYTE> output_;
    DOCUMENTPROPERTYHEADER header_ = {};
    std::unique_ptr<SheetHost> host_;
};

void InstallTrays(const BenchPrinter& printer, int16_t trays)
{
    DeviceOptionData options = {};
    options.trayCount = trays;
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(printer.handle(), options));
}

}  // namespace

TEST_F(PaperLayoutPage, OffersTheSourcesOfTheInstalledTraysForEachVariant)
{
    const Texts expected[3] = {
        {L"Auto Tray Selection", L"Tray-1", L"Tray-2"},
        {L"Auto Tray Selection", L"Bypass Tray", L"Tray-1", L"Tray-2"},
        {L"Auto Tray Selection", L"Bypass Tray", L"Tray-1", L"Tray-2"},
    };
    for (int variant = 1; variant <= 3; ++variant) {
        const BenchPrinter& printer = SharedPrinter(SampleDriver(variant), "2 trays",
                                                    [](const BenchPrinter& added) { InstallTrays(added, 2); });
        ForgetUserSettings(printer);
        Open(printer);
        EXPECT_EQ(expected[variant - 1], Items(IDC_LAYOUT_SOURCE_LIST)) << "variant " << variant;
        EXPECT_EQ(L"Auto Tray Selection", Chosen(IDC_LAYOUT_SOURCE_LIST)) << "variant " << variant;
        host_.reset();
    }
}

TEST_F(PaperLayoutPage, AStoredSourceNoLongerInstalledGivesTheFirstSource)
{
    BenchPrinter printer(SampleDriver(2), L"Trays");
    InstallTrays(printer, 3);
    Open(printer);
    Choose(IDC_LAYOUT_SOURCE_LIST, 4);
    ASSERT_EQ(L"Tray-3", Chosen(IDC_LAYOUT_SOURCE_LIST));
    host_->Press(PSBTN_OK);
    ASSERT_EQ(1036, settings().dmDefaultSource) << "Tray-3 stored for the user";

    InstallTrays(printer, 1);
    Open(printer);
    EXPECT_EQ(1036, settings().dmDefaultSource);
    EXPECT_EQ((Texts{L"Auto Tray Selection", L"Bypass Tray", L"Tray-1"}), Items(IDC_LAYOUT_SOURCE_LIST));
    EXPECT_EQ(L"Auto Tray Selection", Chosen(IDC_LAYOUT_SOURCE_LIST));
}

TEST_F(PaperLayoutPage, NamesThePaperWithItsSizeInTheModelsUnit)
{
    Open(SampleDriver(2));
    EXPECT_EQ(L"A4", SelectedPaper());
    EXPECT_EQ(L"< A4 : 210.0 x 297.0 mm >", Text(IDC_LAYOUT_PAPER_TEXT));
    Open(SampleDriver(1));
    EXPECT_EQ(L"Letter", SelectedPaper());
    EXPECT_EQ(L"< Letter : 8.5 x 11.0 inch >", Text(IDC_LAYOUT_PAPER_TEXT));
}

TEST_F(PaperLayoutPage, OffersMagnifyAndTargetPapersOnlyInsideTheRatioLimits)
{
    Open(DriverForProfileText(kLayoutModel));
    EXPECT_EQ((Texts{L"None", L"A4 --> A3", L"A4 --> A5"}), Items(IDC_LAYOUT_MAGNIFY_LIST)) << "never A4 itself";

    SelectPaper(L"A3");
    EXPECT_EQ((Texts{L"None"}), Items(IDC_LAYOUT_MAGNIFY_LIST)) << "A3 has no zoom targets";
    Click(IDC_LAYOUT_NUP_2IN1);
    EXPECT_EQ((Texts{L"A3", L"A4", L"A5"}), Items(IDC_LAYOUT_TARGET_LIST));
    Click(IDC_LAYOUT_NUP_4IN1);
    EXPECT_EQ((Texts{L"A3", L"A4"}), Items(IDC_LAYOUT_TARGET_LIST)) << "A5 would be 24 %";

    SelectPaper(L"B4");
    EXPECT_TRUE(checked(IDC_LAYOUT_NUP_4IN1)) << "a paper change keeps the layout";
    EXPECT_EQ((Texts{L"A3"}), Items(IDC_LAYOUT_TARGET_LIST)) << "a postcard would be 19 %";
    Click(IDC_LAYOUT_NUP_2IN1);
    EXPECT_EQ((Texts{L"A3", L"Postcard"}), Items(IDC_LAYOUT_TARGET_LIST)) << "27 % is offered";
    Click(IDC_LAYOUT_NUP_4IN1);
    EXPECT_EQ((Texts{L"Pattern 1", L"Pattern 2", L"Pattern 3", L"Pattern 4"}), Items(IDC_LAYOUT_POSITION_LIST));

    SelectPaper(L"B5");
    EXPECT_EQ((Texts{L"A4"}), Items(IDC_LAYOUT_TARGET_LIST)) << "B5 is never put 4 in 1 on a postcard";
    Click(IDC_LAYOUT_NUP_2IN1);
    EXPECT_EQ((Texts{L"A4", L"Postcard"}), Items(IDC_LAYOUT_TARGET_LIST));
    EXPECT_EQ((Texts{L"Pattern 1", L"Pattern 2"}), Items(IDC_LAYOUT_POSITION_LIST));
    EXPECT_TRUE(enabled(IDC_LAYOUT_TARGET_LIST));
    EXPECT_FALSE(enabled(IDC_LAYOUT_MAGNIFY_LIST));
}

TEST_F(PaperLayoutPage, APaperWithoutNUpTargetsOffersOnlyOneInOne)
{
    Open(DriverForProfileText(kLayoutModel));
    SelectPaper(L"A3");
    Click(IDC_LAYOUT_NUP_4IN1);
    SelectPaper(L"Letter");
    EXPECT_TRUE(checked(IDC_LAYOUT_NUP_1IN1));
    EXPECT_FALSE(enabled(IDC_LAYOUT_NUP_2IN1));
    EXPECT_FALSE(enabled(IDC_LAYOUT_NUP_4IN1));
    EXPECT_EQ((Texts{L"A4"}), Items(IDC_LAYOUT_TARGET_LIST)) << "only the model's default paper";
    EXPECT_FALSE(enabled(IDC_LAYOUT_TARGET_LIST));
    EXPECT_FALSE(enabled(IDC_LAYOUT_POSITION_LIST));
    EXPECT_TRUE(enabled(IDC_LAYOUT_MAGNIFY_LIST));
}

TEST_F(PaperLayoutPage, TheHandlingPageOffersRotateOnlyForAPaperThatMayBeRotated)
{
    // A4 may be rotated, A3 may not.
    Open(DriverForProfileText(std::wstring(kLayoutModel) + L"[Martenx]\nROTATE=1\n"));
    HWND rotate = host_->Control(kPageHandling, IDC_HANDLING_ROTATE);
    ASSERT_NE(nullptr, rotate);
    EXPECT_TRUE(IsWindowEnabled(rotate)) << "A4";
    Choose(IDC_LAYOUT_MAGNIFY_LIST, 1);
    EXPECT_FALSE(IsWindowEnabled(rotate)) << "A4 magnified onto A3";
    Choose(IDC_LAYOUT_MAGNIFY_LIST, 0);
    EXPECT_TRUE(IsWindowEnabled(rotate)) << "A4 again";
}

TEST_F(PaperLayoutPage, TheZoomBoxShowsTheMagnifyRatioReadOnlyAndTheStoredZoomAgainAtNone)
{
    Open(DriverForProfileText(kLayoutModel));
    Type(IDC_LAYOUT_ZOOM_EDIT, L"150");
    host_->Press(PSBTN_APPLYNOW);
    ASSERT_EQ(150, settings().zoomPercent);

    Choose(IDC_LAYOUT_MAGNIFY_LIST, 1);
    EXPECT_TRUE(GetWindowLongW(control(IDC_LAYOUT_ZOOM_EDIT), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(enabled(IDC_LAYOUT_ZOOM_UPDOWN));
    EXPECT_EQ(L"141", Text(IDC_LAYOUT_ZOOM_EDIT)) << "A4 onto A3";

    Choose(IDC_LAYOUT_MAGNIFY_LIST, 0);
    EXPECT_FALSE(GetWindowLongW(control(IDC_LAYOUT_ZOOM_EDIT), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(enabled(IDC_LAYOUT_ZOOM_UPDOWN));
    EXPECT_EQ(L"150", Text(IDC_LAYOUT_ZOOM_EDIT));
}

TEST_F(PaperLayoutPage, ApplyWritesEveryFieldOfEachLayout)
{
    struct Case {
        const wchar_t* paper;
        int nUp;        // radio, or 0 for 1 in 1
        int magnify;    // Magnify item, or -1
        int target;     // Target item, or -1
        int position;   // Position item, or -1
        const wchar_t* zoom;
        int16_t layoutMode, scalingMode, scalingValue, width, length;
        int32_t pagesPerSheet;
        int16_t nUpPosition, zoomEntry;
    };
    const Case cases[] = {
        {L"A4", 0, -1, -1, -1, L"150", 0, 2, 150, 0, 0, 0, 0, 150},
        {L"A4", 0, -1, -1, -1, L"100", 0, 0, 100, 0, 0, 0, 0, 100},
        {L"A4", 0, 1, -1, -1, nullptr, 1, 1, DMPAPER_A3, 2970, 4200, 1, 0, 141},
        {L"A3", IDC_LAYOUT_NUP_2IN1, -1, 1, 1, nullptr, 2, 1, DMPAPER_A4, 2100, 2970, -2, 1, 50},
        {L"A3", IDC_LAYOUT_NUP_4IN1, -1, 0, 2, nullptr, 3, 1, DMPAPER_A3, 2970, 4200, 5, 2, 50},
        {L"A3", IDC_LAYOUT_NUP_4IN1, -1, 0, 3, nullptr, 3, 1, DMPAPER_A3, 2970, 4200, -5, 3, 50},
    };
    for (const Case& c : cases) {
        Open(DriverForProfileText(kLayoutModel));
        DocumentSettings& s = settings();
        s.scalingMode = s.scalingValue = s.nUpPosition = s.zoomEntry = -7;
        s.pagesPerSheetCode = -7;
        host_->CheckPagesAfterActions(false);   // until apply writes over the marks
        SelectPaper(c.paper);
        if (c.nUp)
            Click(c.nUp);
        if (c.magnify >= 0)
            Choose(IDC_LAYOUT_MAGNIFY_LIST, c.magnify);
        if (c.target >= 0)
            Choose(IDC_LAYOUT_TARGET_LIST, c.target);
        if (c.position >= 0)
            Choose(IDC_LAYOUT_POSITION_LIST, c.position);
        if (c.zoom)
            Type(IDC_LAYOUT_ZOOM_EDIT, c.zoom);
        host_->Press(PSBTN_APPLYNOW);
        host_->CheckPagesAfterActions(true);
        host_->CheckPages("apply");
        const std::string at = "layout " + std::to_string(c.layoutMode) + " on " + std::to_string(c.scalingValue);
        EXPECT_EQ(c.layoutMode, s.layoutMode) << at;
        EXPECT_EQ(c.scalingMode, s.scalingMode) << at;
        EXPECT_EQ(c.scalingValue, s.scalingValue) << at;
        EXPECT_EQ(c.pagesPerSheet, s.pagesPerSheetCode) << at;
        EXPECT_EQ(c.nUpPosition, s.nUpPosition) << at;
        EXPECT_EQ(c.zoomEntry, s.zoomEntry) << at;
        if (c.layoutMode == 0) {
            EXPECT_EQ(c.scalingValue, s.zoomPercent) << at;
        } else {
            EXPECT_EQ(c.width, s.dmPaperWidth) << at;
            EXPECT_EQ(c.length, s.dmPaperLength) << at;
            EXPECT_EQ(c.scalingValue, c.layoutMode == 1 ? s.magnifyPaper : s.nUpPaper) << at;
        }
    }
}

TEST_F(PaperLayoutPage, TheNInOnePictureFollowsOrientationLayoutAndPosition)
{
    struct Case {
        int orientation, nUp, position, icon;
    };
    const Case cases[] = {
        {IDC_LAYOUT_PORTRAIT, IDC_LAYOUT_NUP_1IN1, -1, IDI_NUP1_PORTRAIT},
        {IDC_LAYOUT_LANDSCAPE, IDC_LAYOUT_NUP_1IN1, -1, IDI_NUP1_LANDSCAPE},
        {IDC_LAYOUT_PORTRAIT, IDC_LAYOUT_NUP_2IN1, 1, IDI_NUP2_21_LANDSCAPE},
        {IDC_LAYOUT_LANDSCAPE, IDC_LAYOUT_NUP_2IN1, 1, IDI_NUP2_21_PORTRAIT},
        {IDC_LAYOUT_PORTRAIT, IDC_LAYOUT_NUP_4IN1, 3, IDI_NUP4_3142_PORTRAIT},
        {IDC_LAYOUT_LANDSCAPE, IDC_LAYOUT_NUP_4IN1, 0, IDI_NUP4_1234_LANDSCAPE},
        {IDC_LAYOUT_LANDSCAPE, IDC_LAYOUT_NUP_4IN1, 3, IDI_NUP4_3142_LANDSCAPE},
    };
    Open(DriverForProfileText(kLayoutModel));
    SelectPaper(L"A3");
    for (const Case& c : cases) {
        Click(c.orientation);
        Click(c.nUp);
        if (c.position >= 0)
            Choose(IDC_LAYOUT_POSITION_LIST, c.position);
        HICON expected = LoadIconW(host_->pageRecord(kPagePaperLayout).hInstance, MAKEINTRESOURCEW(c.icon));
        EXPECT_EQ(expected, reinterpret_cast<HICON>(SendMessageW(control(IDC_LAYOUT_NUP_ICON), STM_GETICON, 0, 0)))
            << "icon " << c.icon << " expected";
    }
}

TEST_F(PaperLayoutPage, ApplyBringsTypedCopiesAndZoomIntoRangeAndShowsWhatItStored)
{
    struct Case {
        const wchar_t* copies;
        const wchar_t* zoom;
        int16_t storedCopies;
        int16_t storedZoom;
    };
    const Case cases[] = {{L"0", L"24", 1, 25}, {L"1000", L"401", 999, 400}, {L"", L"70000", 1, 400},
                          {L"999", L"25", 999, 25}, {L" 7", L"150", 7, 150}};
    Open(SampleDriver(3));
    for (const Case& c : cases) {
        Type(IDC_LAYOUT_COPIES_EDIT, c.copies);
        Type(IDC_LAYOUT_ZOOM_EDIT, c.zoom);
        host_->Press(PSBTN_APPLYNOW);
        EXPECT_EQ(c.storedCopies, settings().dmCopies) << c.copies;
        EXPECT_EQ(std::to_wstring(c.storedCopies), Text(IDC_LAYOUT_COPIES_EDIT));
        EXPECT_EQ(c.storedZoom, settings().zoomPercent) << c.zoom;
        EXPECT_EQ(std::to_wstring(c.storedZoom), Text(IDC_LAYOUT_ZOOM_EDIT));
    }
}

TEST_F(PaperLayoutPage, RestoreDefaultsSelectsTheModelsDefaultPaperAndPlainSettings)
{
    // The variant 2 sample's default paper is A4, the variant 3 sample's Letter.
    const std::pair<int, const wchar_t*> models[] = {{2, L"A4"}, {3, L"Letter"}};
    for (const auto& [variant, paper] : models) {
        Open(SampleDriver(variant));
        SelectPaper(L"A5");
        Choose(IDC_LAYOUT_SOURCE_LIST, 1);
        Click(IDC_LAYOUT_LANDSCAPE);
        Type(IDC_LAYOUT_COPIES_EDIT, L"5");
        Type(IDC_LAYOUT_ZOOM_EDIT, L"150");
        settings().zoomPercent = 150;
        Click(IDC_RESTORE_DEFAULTS);
        EXPECT_EQ(paper, SelectedPaper()) << "variant " << variant;
        EXPECT_EQ(L"Auto Tray Selection", Chosen(IDC_LAYOUT_SOURCE_LIST));
        EXPECT_TRUE(checked(IDC_LAYOUT_PORTRAIT));
        EXPECT_EQ(L"1", Text(IDC_LAYOUT_COPIES_EDIT));
        EXPECT_TRUE(checked(IDC_LAYOUT_NUP_1IN1));
        // Variant 3 has no Magnify papers at all.
        EXPECT_EQ(variant == 2 ? L"None" : L"(none)", Chosen(IDC_LAYOUT_MAGNIFY_LIST));
        EXPECT_EQ(L"100", Text(IDC_LAYOUT_ZOOM_EDIT));
        EXPECT_EQ(100, settings().zoomPercent);
        EXPECT_EQ(GetDlgItem(page(), IDC_LAYOUT_PAPER_LIST), GetFocus());
    }
}

TEST_F(PaperLayoutPage, VariantTwoWritesPaperChoicesAtOnceOthersAtApply)
{
    Open(SampleDriver(2));
    SelectPaper(L"Letter");
    EXPECT_EQ(DMPAPER_LETTER, settings().dmPaperSize);
    Click(IDC_LAYOUT_LANDSCAPE);
    EXPECT_EQ(DMORIENT_LANDSCAPE, settings().dmOrientation);
    SelectPaper(L"A4");
    host_->Press(PSBTN_APPLYNOW);   // the code is there already; its sizes come with it
    EXPECT_EQ(2100, settings().dmPaperWidth);
    EXPECT_EQ(2970, settings().dmPaperLength);
    Click(IDC_LAYOUT_NUP_2IN1);
    EXPECT_EQ(2, settings().layoutMode);

    Open(SampleDriver(3));
    const int16_t stored = settings().dmPaperSize;
    SelectPaper(L"A4");
    Click(IDC_LAYOUT_LANDSCAPE);
    EXPECT_EQ(stored, settings().dmPaperSize);
    EXPECT_EQ(DMORIENT_PORTRAIT, settings().dmOrientation);
    host_->Press(PSBTN_APPLYNOW);
    EXPECT_EQ(DMPAPER_A4, settings().dmPaperSize);
    EXPECT_EQ(2100, settings().dmPaperWidth);
    EXPECT_EQ(2970, settings().dmPaperLength);
    EXPECT_TRUE(settings().dmFields & DM_PAPERSIZE);
    EXPECT_EQ(DMORIENT_LANDSCAPE, settings().dmOrientation);
}

// An N-in-1 layout keeps an earlier Magnify paper in the record; opening
// again must not show it in place of the "None" the user left.
TEST_F(PaperLayoutPage, AnNInOneLayoutOpensWithMagnifyAtNone)
{
    Open(SampleDriver(1));
    ASSERT_GT(SendMessageW(control(IDC_LAYOUT_MAGNIFY_LIST), CB_GETCOUNT, 0, 0), 1);
    Choose(IDC_LAYOUT_MAGNIFY_LIST, 1);
    host_->Press(PSBTN_APPLYNOW);
    ASSERT_EQ(1, settings().layoutMode);
    Choose(IDC_LAYOUT_MAGNIFY_LIST, 0);
    ASSERT_TRUE(enabled(IDC_LAYOUT_NUP_2IN1));
    Click(IDC_LAYOUT_NUP_2IN1);
    host_->Press(PSBTN_OK);   // stored for the user
    ASSERT_EQ(2, settings().layoutMode);

    Open(SampleDriver(1));
    EXPECT_EQ(L"None", Chosen(IDC_LAYOUT_MAGNIFY_LIST));
}

// The disabled Magnify or Target list still shows a choice, which comes
// back with its layout: OK keeps it, and the sheet opens again on it.
TEST_F(PaperLayoutPage, TheChoiceOfTheListALayoutLeavesDisabledComesBackAfterOk)
{
    // The layout model, where A4 is also printed 2 in 1 onto A3, A4 and A5.
    std::wstring text = kLayoutModel;
    text.insert(text.find(L"A3=A3,A4,A5"), L"A4=A3,A4,A5\n");
    const DriverPackage& driver = DriverForProfileText(text);
    struct Case {
        const char* what;
        int magnify;     // Magnify item chosen first, or -1
        bool restore;    // Restore Defaults at the end
    };
    // A Magnify paper, then 2 in 1; or a Target paper 2 in 1, then Restore
    // Defaults (which variant 2 writes at once, like the choices it resets).
    const Case cases[] = {{"magnify, then 2 in 1", 1, false}, {"target, then restore defaults", -1, true}};
    for (const Case& c : cases) {
        Open(driver);
        SelectPaper(L"A4");
        if (c.magnify >= 0)
            Choose(IDC_LAYOUT_MAGNIFY_LIST, c.magnify);
        Click(IDC_LAYOUT_NUP_2IN1);
        Choose(IDC_LAYOUT_TARGET_LIST, 0);
        ASSERT_EQ(DMPAPER_A3, settings().nUpPaper) << c.what;
        if (c.restore) {
            Click(IDC_RESTORE_DEFAULTS);
            EXPECT_EQ(0, settings().layoutMode) << c.what;
            EXPECT_EQ(DMPAPER_A4, settings().nUpPaper) << c.what;
        }
        const std::wstring magnify = Chosen(IDC_LAYOUT_MAGNIFY_LIST);
        const std::wstring target = Chosen(IDC_LAYOUT_TARGET_LIST);
        const bool twoInOne = checked(IDC_LAYOUT_NUP_2IN1);
        host_->Press(PSBTN_OK);   // stored for the user
        Open(SharedPrinter(driver));
        EXPECT_EQ(magnify, Chosen(IDC_LAYOUT_MAGNIFY_LIST)) << c.what;
        EXPECT_EQ(target, Chosen(IDC_LAYOUT_TARGET_LIST)) << c.what;
        EXPECT_EQ(twoInOne, checked(IDC_LAYOUT_NUP_2IN1)) << c.what;
    }
}

// The driver's own paper codes lie above the platform's; the record check
// knows them from the model, and still refuses a code no paper has.
TEST_F(PaperLayoutPage, EveryPaperOfTheModelMakesAValidRecord)
{
    for (int variant : {2}) {
        const BenchPrinter& printer = PrinterOf(SampleDriver(variant));
        Open(printer);
        HWND list = control(IDC_LAYOUT_PAPER_LIST);
        bool driverPaper = false;
        for (int item = 0; item < ListView_GetItemCount(list); ++item) {
            host_->SelectItem(kPagePaperLayout, IDC_LAYOUT_PAPER_LIST, item);
            host_->Press(PSBTN_APPLYNOW);
            driverPaper = driverPaper || settings().dmPaperSize > DMPAPER_USER;
            const auto findings = CheckSettingsRecord(settings(), printer.handle());
            EXPECT_TRUE(findings.empty()) << "variant " << variant << ", paper " << settings().dmPaperSize << ": "
                                          << JoinFindings(findings);
        }
        EXPECT_TRUE(driverPaper) << "variant " << variant << " offers no paper of the driver's own";
        DocumentSettings unknown = settings();
        unknown.dmPaperSize = 5000;
        const auto findings = CheckSettingsRecord(unknown, printer.handle());
        ASSERT_EQ(1u, findings.size()) << JoinFindings(findings);
        EXPECT_NE(std::string::npos, findings[0].find("dmPaperSize 5000")) << findings[0];
    }
}

TEST_F(PaperLayoutPage, BookletChosenElsewhereTurnsTheLayoutBackToOneInOne)
{
    Open(SampleDriver(2));
    Click(IDC_LAYOUT_NUP_2IN1);
    ASSERT_EQ(2, settings().layoutMode);
    ASSERT_NE(nullptr, host_->ShowPage(kPageHandling));
    settings().booklet = 1;
    settings().nUpPaper = DMPAPER_A3;
    ASSERT_NE(nullptr, page());
    EXPECT_TRUE(checked(IDC_LAYOUT_NUP_1IN1));
    EXPECT_EQ(0, settings().layoutMode);
    EXPECT_EQ(DMPAPER_A4, settings().nUpPaper) << "the model's default paper";
}

TEST_F(PaperLayoutPage, OnlyAModelThreeWithControlLetsTheUserChooseWhoMakesCopies)
{
    Open(SampleDriver(2));
    Click(IDC_LAYOUT_COPIES_DRIVER);
    EXPECT_EQ(1, settings().driverControlsSort);
    Click(IDC_LAYOUT_COPIES_PRINTER);
    EXPECT_EQ(0, settings().driverControlsSort);

    Open(SampleDriver(3));
    EXPECT_EQ(nullptr, control(IDC_LAYOUT_COPIES_PRINTER));
    EXPECT_EQ(nullptr, control(IDC_LAYOUT_COPIES_DRIVER));
    host_->Press(PSBTN_APPLYNOW);
    EXPECT_EQ(1, settings().driverControlsSort);
}

TEST_F(PaperLayoutPage, WithoutPermissionEveryControlIsDisabled)
{
    for (int variant = 1; variant <= 2; ++variant) {
        Open(SampleDriver(variant), DM_NOPERMISSION);
        int controls = 0;
        for (HWND child = GetWindow(page(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            ++controls;
            EXPECT_FALSE(IsWindowEnabled(child)) << "variant " << variant << ": control " << GetDlgCtrlID(child);
        }
        EXPECT_GE(controls, 28);
    }
}
