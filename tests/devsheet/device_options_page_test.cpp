// The Device Options page: the installed options, their dependencies, the
// password check and the record stored at apply.
#include "sheet/sheet_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "devsheet/device_sheet_fixture.h"
#include "support/model_printers.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kPage = 0;

// A variant-2 model offering every option (the second sample profile).
class DeviceOptionsPage : public ::testing::Test {
protected:
    void Open(const DeviceOptionData* stored, const DriverPackage& driver = SampleDriver(2))
    {
        sheet_.reset();   // one host at a time
        sheet_ = std::make_unique<DeviceSheetFixture>(driver);
        if (stored)
            sheet_->StoreOptions(*stored);
        ASSERT_EQ(1, sheet_->Open());
        page_ = sheet_->host().ShowPage(kPage);
        ASSERT_NE(nullptr, page_);
    }
    // The same printer's sheet opened again.
    void Reopen()
    {
        ASSERT_EQ(1, sheet_->Open());
        page_ = sheet_->host().ShowPage(kPage);
        ASSERT_NE(nullptr, page_);
    }
    HWND Control(int id) { return GetDlgItem(page_, id); }
    bool Checked(int id) { return IsDlgButtonChecked(page_, id) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
    void Click(int id) { sheet_->host().Click(kPage, id); }
    void Type(int id, const wchar_t* text) { SetWindowTextW(Control(id), text); }
    std::wstring Text(int id)
    {
        WCHAR text[64] = L"";
        GetWindowTextW(Control(id), text, 64);
        return text;
    }
    void Press(int button) { sheet_->host().Press(button); }
    DeviceOptionData Stored() const { return sheet_->StoredOptions(); }
    const std::vector<MessageBoxCall>& Boxes() { return sheet_->host().boxes().calls(); }

    std::unique_ptr<DeviceSheetFixture> sheet_;
    HWND page_ = nullptr;
};

DeviceOptionData SecurityOn()
{
    DeviceOptionData options = {};
    options.trayCount = 2;
    options.securityPrint = 1;
    options.memoryIndex = 2;
    return options;
}

}  // namespace

TEST_F(DeviceOptionsPage, ShowsTheStoredRecord)
{
    DeviceOptionData stored = AllOptionsOn(3);
    stored.finisher = 0;
    Open(&stored);
    EXPECT_EQ(3u, GetDlgItemInt(page_, IDC_OPTIONS_TRAYS_EDIT, nullptr, FALSE));
    EXPECT_EQ(3, SendMessageW(Control(IDC_OPTIONS_MEMORY_LIST), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(6, SendMessageW(Control(IDC_OPTIONS_MEMORY_LIST), CB_GETCOUNT, 0, 0));
    WCHAR password[16] = L"";
    GetWindowTextW(Control(IDC_OPTIONS_PASSWORD), password, 16);
    EXPECT_STREQ(L"9876", password);
    EXPECT_TRUE(Checked(IDC_OPTIONS_SECURE_CHECK) && Enabled(IDC_OPTIONS_PASSWORD));
    EXPECT_TRUE(Checked(IDC_OPTIONS_OUTER_TRAY) && Enabled(IDC_OPTIONS_OUTER_TRAY));
    EXPECT_FALSE(Enabled(IDC_OPTIONS_FINISHER));
    EXPECT_TRUE(Checked(IDC_OPTIONS_DUPLEX_UNIT));
    // The up-down offers the model's trays, 1 to MAXSET.
    int low = 0, high = 0;
    SendMessageW(Control(IDC_OPTIONS_TRAYS_UPDOWN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(1, low);
    EXPECT_EQ(4, high);
    // LOGNO 2 shows the second banner.
    EXPECT_NE(0, SendMessageW(Control(IDC_OPTIONS_BANNER), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

TEST_F(DeviceOptionsPage, APasswordInUseIsBlankOrFourCharacters)
{
    const struct {
        const wchar_t* typed;
        bool accepted;
    } cases[] = {{L"", true}, {L"1", false}, {L"12", false}, {L"123", false}, {L"1234", true}};
    for (const auto& c : cases) {
        DeviceOptionData stored = SecurityOn();
        lstrcpynW(stored.securityPassword, L"5555", 5);
        Open(&stored);
        ASSERT_TRUE(Checked(IDC_OPTIONS_SECURE_CHECK) && Enabled(IDC_OPTIONS_PASSWORD));
        Type(IDC_OPTIONS_PASSWORD, c.typed);
        Press(PSBTN_APPLYNOW);
        const DeviceOptionData after = Stored();
        if (c.accepted) {
            EXPECT_TRUE(Boxes().empty()) << "password of " << wcslen(c.typed);
            EXPECT_STREQ(c.typed, after.securityPassword);
            EXPECT_EQ(0, after.securityPassword[4]);
        } else {
            ASSERT_EQ(1u, Boxes().size()) << "password of " << wcslen(c.typed);
            HINSTANCE library = sheet_->host().pageRecord(kPage).hInstance;
            WCHAR text[128] = L"", caption[64] = L"";
            LoadStringW(library, IDS_PASSWORD_WARNING, text, 128);
            LoadStringW(library, IDS_WARNING, caption, 64);
            EXPECT_EQ(std::wstring(text), Boxes()[0].text);
            EXPECT_EQ(std::wstring(caption), Boxes()[0].caption);
            EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), Boxes()[0].style & MB_ICONMASK);
            EXPECT_EQ(Control(IDC_OPTIONS_PASSWORD), GetFocus());
            EXPECT_STREQ(L"5555", after.securityPassword) << "nothing is written";
        }
    }
}

TEST_F(DeviceOptionsPage, AnUncheckedPasswordBoxStoresWhateverWasTyped)
{
    DeviceOptionData stored = SecurityOn();
    stored.securityPrint = 0;
    Open(&stored);
    EXPECT_FALSE(Enabled(IDC_OPTIONS_PASSWORD));
    Type(IDC_OPTIONS_PASSWORD, L"12");
    Press(PSBTN_OK);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_STREQ(L"12", Stored().securityPassword);
    EXPECT_EQ(0, Stored().securityPrint);
}

TEST_F(DeviceOptionsPage, MemoryNoneDisablesTheSecurityBoxAndKeepsItsCheck)
{
    const DeviceOptionData stored = SecurityOn();
    Open(&stored);
    sheet_->host().Choose(kPage, IDC_OPTIONS_MEMORY_LIST, 0);
    EXPECT_FALSE(Enabled(IDC_OPTIONS_SECURE_CHECK));
    EXPECT_FALSE(Enabled(IDC_OPTIONS_PASSWORD));
    EXPECT_TRUE(Checked(IDC_OPTIONS_SECURE_CHECK));
    Type(IDC_OPTIONS_PASSWORD, L"12");   // refused only while the box is in use
    Press(PSBTN_OK);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(1, Stored().securityPrint);
    EXPECT_EQ(0, Stored().memoryIndex);
    EXPECT_STREQ(L"12", Stored().securityPassword);

    // Reopened: a stored record of memory None keeps the box disabled.
    Reopen();
    EXPECT_FALSE(Enabled(IDC_OPTIONS_SECURE_CHECK));
    EXPECT_TRUE(Checked(IDC_OPTIONS_SECURE_CHECK));
}

TEST_F(DeviceOptionsPage, TheFinisherAndTheOuterTrayExcludeEachOther)
{
    DeviceOptionData stored = {};
    stored.trayCount = 2;
    stored.innerTray = 1;
    Open(&stored);
    ASSERT_TRUE(Enabled(IDC_OPTIONS_OUTER_TRAY) && Enabled(IDC_OPTIONS_FINISHER));
    Click(IDC_OPTIONS_FINISHER);
    EXPECT_FALSE(Enabled(IDC_OPTIONS_OUTER_TRAY));
    Click(IDC_OPTIONS_FINISHER);
    EXPECT_TRUE(Enabled(IDC_OPTIONS_OUTER_TRAY));
    Click(IDC_OPTIONS_OUTER_TRAY);
    EXPECT_FALSE(Enabled(IDC_OPTIONS_FINISHER));
    Press(PSBTN_APPLYNOW);
    EXPECT_EQ(1, Stored().outerTray);
    Click(IDC_OPTIONS_INNER_TRAY);   // no inner tray: neither can be fitted
    EXPECT_FALSE(Enabled(IDC_OPTIONS_OUTER_TRAY));
    EXPECT_FALSE(Enabled(IDC_OPTIONS_FINISHER));
    // A tray that cannot be fitted is stored as absent, and shown so.
    EXPECT_FALSE(Checked(IDC_OPTIONS_OUTER_TRAY));
    EXPECT_FALSE(Checked(IDC_OPTIONS_FINISHER));
    Press(PSBTN_OK);
    const DeviceOptionData after = Stored();
    EXPECT_EQ(0, after.innerTray);
    EXPECT_EQ(0, after.outerTray);
    EXPECT_EQ(0, after.finisher);
}

// A record whose trays cannot all be fitted shows them as it would store them.
TEST_F(DeviceOptionsPage, TraysThatCannotBeFittedOpenUnchecked)
{
    struct Case {
        int16_t inner, outer, finisher;
    };
    const Case cases[] = {{0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    for (const Case& c : cases) {
        DeviceOptionData stored = {};
        stored.trayCount = 2;
        stored.innerTray = c.inner;
        stored.outerTray = c.outer;
        stored.finisher = c.finisher;
        Open(&stored);
        const std::string at = "inner " + std::to_string(c.inner) + ", outer " + std::to_string(c.outer) +
                               ", finisher " + std::to_string(c.finisher);
        EXPECT_FALSE(Checked(IDC_OPTIONS_OUTER_TRAY)) << at;
        EXPECT_FALSE(Checked(IDC_OPTIONS_FINISHER)) << at;
        Press(PSBTN_OK);
        EXPECT_EQ(0, Stored().outerTray) << at;
        EXPECT_EQ(0, Stored().finisher) << at;
    }
}

TEST_F(DeviceOptionsPage, TheNarrowTemplateStoresOnlyTheTrayCount)
{
    const DeviceOptionData stored = AllOptionsOn(2);
    Open(&stored, SampleDriver(1));
    EXPECT_EQ(nullptr, Control(IDC_OPTIONS_DUPLEX_UNIT));
    Press(PSBTN_OK);
    DeviceOptionData expected = {};
    expected.trayCount = 2;
    const DeviceOptionData after = Stored();
    EXPECT_EQ(0, memcmp(&expected, &after, sizeof(expected)));
}

TEST_F(DeviceOptionsPage, ATypedTrayCountIsStoredWithinTheModelsTraysAndShownAsStored)
{
    const struct {
        const wchar_t* typed;
        int16_t stored;
    } cases[] = {{L"0", 1}, {L"", 1}, {L"3", 3}, {L"4", 4}, {L"5", 4}, {L"65537", 4}, {L" 2", 2}};
    for (const auto& c : cases) {
        Open(nullptr);
        Type(IDC_OPTIONS_TRAYS_EDIT, c.typed);
        Press(PSBTN_APPLYNOW);
        EXPECT_EQ(c.stored, Stored().trayCount) << "typed \"" << std::wstring(c.typed).c_str() << "\"";
        EXPECT_EQ(std::to_wstring(c.stored), Text(IDC_OPTIONS_TRAYS_EDIT))
            << "typed \"" << std::wstring(c.typed).c_str() << "\"";
    }
}

TEST_F(DeviceOptionsPage, RestoreDefaultsShowsTheModelsDefaultsAndCancelKeepsTheRecord)
{
    const DeviceOptionData stored = AllOptionsOn(4);
    Open(&stored);
    Click(IDC_RESTORE_DEFAULTS);
    EXPECT_EQ(2u, GetDlgItemInt(page_, IDC_OPTIONS_TRAYS_EDIT, nullptr, FALSE));   // DEFNUMBER
    EXPECT_TRUE(Checked(IDC_OPTIONS_DUPLEX_UNIT));                                  // DUPLEXDEF
    EXPECT_FALSE(Checked(IDC_OPTIONS_INNER_TRAY) || Checked(IDC_OPTIONS_SECURE_CHECK));
    EXPECT_EQ(0, SendMessageW(Control(IDC_OPTIONS_MEMORY_LIST), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(Control(IDC_OPTIONS_TRAYS_EDIT), GetFocus());
    Press(PSBTN_CANCEL);
    const DeviceOptionData after = Stored();
    EXPECT_EQ(0, memcmp(&stored, &after, sizeof(stored)));
}

TEST_F(DeviceOptionsPage, WithoutTheMemoryOptionThePasswordFollowsTheSecurityBoxAlone)
{
    const DeviceOptionData stored = SecurityOn();
    Open(&stored, DriverForProfileText(L"[Setup]\nDRIVER=3\n[PaperSize]\nA4=1,1,1,A4\n[PaperSource]\nMAXSET=3\n"
                                       L"DEFNUMBER=1\n[Martenx]\nSECURITY=1\nRESERVE=0\nLOGNO=0\n"));
    EXPECT_TRUE(Enabled(IDC_OPTIONS_SECURE_CHECK) && Enabled(IDC_OPTIONS_PASSWORD));
    Click(IDC_OPTIONS_SECURE_CHECK);
    EXPECT_FALSE(Enabled(IDC_OPTIONS_PASSWORD));
}

TEST_F(DeviceOptionsPage, AModelWithoutOptionsShowsNeitherThemNorItsPicture)
{
    const DeviceOptionData stored = AllOptionsOn(2);
    Open(&stored, DriverForProfileText(L"[Setup]\nDRIVER=3\n[PaperSize]\nA4=1,1,1,A4\n"
                                                L"[PaperSource]\nMAXSET=3\nDEFNUMBER=1\n[Martenx]\nSECURITY=0\n"
                                                L"RESERVE=0\nDUPLEXUNIT=0\nINNERTRAY=0\nOUTPUTTRAYNUM=0\n"
                                                L"FINISHER=0\nLOGNO=0\n"));
    for (int id : {IDC_OPTIONS_MEMORY_LABEL, IDC_OPTIONS_MEMORY_LIST, IDC_OPTIONS_SECURE_CHECK, IDC_OPTIONS_PASSWORD,
                   IDC_OPTIONS_DUPLEX_UNIT, IDC_OPTIONS_INNER_TRAY, IDC_OPTIONS_OUTER_TRAY, IDC_OPTIONS_FINISHER,
                   IDC_OPTIONS_BANNER})
        EXPECT_EQ(nullptr, Control(id)) << "control " << id;
    Press(PSBTN_OK);
    DeviceOptionData expected = {};
    expected.trayCount = 2;
    const DeviceOptionData after = Stored();
    EXPECT_EQ(0, memcmp(&expected, &after, sizeof(expected)));
}
