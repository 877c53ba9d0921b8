// The User Size dialog, opened as the user opens it: by activating the
// "User" paper on the Paper/Layout page of a real sheet.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sheet/sheet_state.h"
#include "platform/driver_interface.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/modal_script.h"
#include "support/model_printers.h"
#include "support/page_checker.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"
#include "../resources/resource_ids.h"

namespace {

std::wstring Text(HWND window, int control)
{
    WCHAR text[128] = L"";
    GetDlgItemTextW(window, control, text, 128);
    return text;
}

void Type(HWND dialog, int control, const wchar_t* text)
{
    SetDlgItemTextW(dialog, control, text);
}

// A printer of the variant 2 sample, whose papers end with "User", unless
// a test starts another.
class UserSizeDialog : public ::testing::Test {
protected:
    void SetUp() override { Start(SampleDriver(2)); }
    void Start(const DriverPackage& driver)
    {
        host_.reset();
        printer_ = &SharedPrinter(driver);
        ForgetUserSettings(*printer_);
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        output_.assign(kSettingsBytes, 0);
        header_ = {sizeof(header_), 0, printer_->handle(), const_cast<WCHAR*>(printer_->name().c_str()), nullptr,
                   reinterpret_cast<DEVMODEW*>(output_.data()), kSettingsBytes, DM_IN_PROMPT | DM_OUT_BUFFER};
        host_ = std::make_unique<SheetHost>(*driver_);
        ASSERT_EQ(1, host_->Open(&header_));
        ASSERT_NE(nullptr, host_->ShowPage(kPagePaperLayout));
    }

    DocumentSettings& settings() { return *reinterpret_cast<DocumentSettings*>(output_.data()); }

    // Selects the last paper ("User") and activates it with Enter; the
    // script runs inside the dialog and must close it.
    void OpenUserSize(std::function<void(HWND)> script)
    {
        HWND list = host_->Control(kPagePaperLayout, IDC_LAYOUT_PAPER_LIST);
        const int last = ListView_GetItemCount(list) - 1;
        WCHAR name[32] = L"";
        ListView_GetItemText(list, last, 0, name, 32);
        ASSERT_STREQ(L"User", name);
        host_->SelectItem(kPagePaperLayout, IDC_LAYOUT_PAPER_LIST, last);
        ModalScript watcher(list, [&](HWND dialog) {
            dialog_ = dialog;
            const auto findings = CheckDialog(dialog, "User Size");
            EXPECT_TRUE(findings.empty()) << "as it opened:\n" << JoinFindings(findings);
            script(dialog);
        });
        SendMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
        host_->Pump();
        ASSERT_EQ(1, watcher.runs()) << "no dialog opened";
    }

    std::wstring PaperText() { return Text(host_->CurrentPage(), IDC_LAYOUT_PAPER_TEXT); }

    const BenchPrinter* printer_ = nullptr;
    std::unique_ptr<InstalledDriver> driver_;
    std::vector<BYTE> output_;
    DOCUMENTPROPERTYHEADER header_ = {};
    std::unique_ptr<SheetHost> host_;
    HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(UserSizeDialog, ShowsMillimetresWithTheirRangesAndSwitchesUnitsWithoutLosingThem)
{
    ASSERT_EQ(1, settings().userSizeUnit);
    OpenUserSize([&](HWND dialog) {
        WCHAR title[64] = L"";
        GetWindowTextW(dialog, title, 64);
        EXPECT_STREQ(L"User Size", title);
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_USERSIZE_MM));
        EXPECT_EQ(L"2100", Text(dialog, IDC_USERSIZE_WIDTH_EDIT));
        EXPECT_EQ(L"2970", Text(dialog, IDC_USERSIZE_HEIGHT_EDIT));
        EXPECT_EQ(L"Range < 1000 - 2970 >", Text(dialog, IDC_USERSIZE_WIDTH_RANGE));
        EXPECT_EQ(L"Range < 1480 - 4200 >", Text(dialog, IDC_USERSIZE_HEIGHT_RANGE));

        ClickButton(dialog, IDC_USERSIZE_INCH);
        EXPECT_EQ(L"826", Text(dialog, IDC_USERSIZE_WIDTH_EDIT));
        EXPECT_EQ(L"1169", Text(dialog, IDC_USERSIZE_HEIGHT_EDIT));
        EXPECT_EQ(L"Range < 393 - 1169 >", Text(dialog, IDC_USERSIZE_WIDTH_RANGE));
        EXPECT_EQ(L"Range < 582 - 1653 >", Text(dialog, IDC_USERSIZE_HEIGHT_RANGE));
        EXPECT_EQ(0, settings().userSizeUnit) << "a unit click stores at once";
        EXPECT_EQ(0, settings().userPaperMetric);

        ClickButton(dialog, IDC_USERSIZE_MM);
        EXPECT_EQ(L"2100", Text(dialog, IDC_USERSIZE_WIDTH_EDIT)) << "untouched values keep their millimetres";
        EXPECT_EQ(L"2970", Text(dialog, IDC_USERSIZE_HEIGHT_EDIT));
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(2100, settings().userPaperWidth);
    EXPECT_EQ(2970, settings().userPaperLength);
    EXPECT_EQ(1, settings().userSizeUnit);
    EXPECT_EQ(1, settings().userPaperMetric);
    EXPECT_EQ(L"< User : 210.0 x 297.0 mm >", PaperText());
}

TEST_F(UserSizeDialog, OpeningInInchStoresTheRoundTripOfTheInchValuesAtOk)
{
    settings().userSizeUnit = 0;
    OpenUserSize([&](HWND dialog) {
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_USERSIZE_INCH));
        EXPECT_EQ(L"826", Text(dialog, IDC_USERSIZE_WIDTH_EDIT));
        EXPECT_EQ(L"1169", Text(dialog, IDC_USERSIZE_HEIGHT_EDIT));
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(2098, settings().userPaperWidth);
    EXPECT_EQ(2969, settings().userPaperLength);
    EXPECT_EQ(0, settings().userPaperMetric);
    EXPECT_EQ(L"< User : 8.2 x 11.6 inch >", PaperText()) << "the paper text follows the dialog";
}

TEST_F(UserSizeDialog, TypedValuesBeyondTheLimitsBecomeTheNearestLimitInBothUnits)
{
    struct Case {
        int32_t unit;          // userSizeUnit at opening: 1 mm, 0 inch
        const wchar_t* width;
        const wchar_t* height;
        int16_t storedWidth;   // 0.1 mm
        int16_t storedLength;
        const wchar_t* shownWidth;
    };
    const Case cases[] = {
        {1, L"3000", L"5000", 2970, 4200, L"2970"},
        {1, L"500", L"1000", 1000, 1480, L"1000"},
        // Cut to 16 bits: 70000 reads as 4464, 65535 as -1.
        {1, L"70000", L"65535", 2970, 1480, L"2970"},
        // The inch limit keeps the exact metric limit, not 2969.
        {0, L"1200", L"300", 2970, 1480, L"1169"},
        // Exactly at the inch limits the typed values stand: their round trip.
        {0, L"393", L"582", 998, 1478, L"393"},
        {1, L"2500", L"3000", 2500, 3000, L"2500"},
    };
    for (const Case& c : cases) {
        settings().userSizeUnit = c.unit;
        OpenUserSize([&](HWND dialog) {
            Type(dialog, IDC_USERSIZE_WIDTH_EDIT, c.width);
            Type(dialog, IDC_USERSIZE_HEIGHT_EDIT, c.height);
            ClickButton(dialog, IDOK);
            EXPECT_EQ(c.shownWidth, Text(dialog, IDC_USERSIZE_WIDTH_EDIT)) << c.width;
        });
        EXPECT_EQ(c.storedWidth, settings().userPaperWidth) << c.width;
        EXPECT_EQ(c.storedLength, settings().userPaperLength) << c.height;
    }
}

TEST_F(UserSizeDialog, CancelKeepsWhatAUnitClickStored)
{
    OpenUserSize([&](HWND dialog) {
        Type(dialog, IDC_USERSIZE_WIDTH_EDIT, L"2500");
        ClickButton(dialog, IDC_USERSIZE_INCH);
        Type(dialog, IDC_USERSIZE_WIDTH_EDIT, L"900");
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_EQ(2500, settings().userPaperWidth) << "the click stored the typed width; Cancel drops only 900";
    EXPECT_EQ(2970, settings().userPaperLength);
    EXPECT_EQ(0, settings().userSizeUnit);
    EXPECT_EQ(0, settings().userPaperMetric);
}

TEST_F(UserSizeDialog, OpensWhenUserIsTheModelsOnlyPaper)
{
    Start(DriverForProfileText(L"[Setup]\nDRIVER=2\n[PaperSize]\nUSER=1,0,0,CUSTOM\n"));
    OpenUserSize([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
}
