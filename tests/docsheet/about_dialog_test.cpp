// The About dialog every page opens: the driver's files and versions from
// the model profile, and a sheet that stays usable from other threads.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "docsheet/sheet_fixture.h"
#include "sheet/about_dialog.h"
#include "profile/model_profile.h"
#include "sheet/sheet_state.h"
#include "platform/holders.h"
#include "support/model_printers.h"
#include "../resources/resource_ids.h"

namespace {

struct AboutContents {
    std::wstring caption;
    std::wstring model;
    std::wstring release;
    std::vector<std::wstring> rows;
    RECT page;   // the page it was opened from, and itself: screen coordinates
    RECT own;
};

// Read from the dialog's thread's windows by a second thread.
AboutContents Read(HWND dialog)
{
    AboutContents about;
    WCHAR text[512] = L"";
    GetWindowTextW(dialog, text, 512);
    about.caption = text;
    GetDlgItemTextW(dialog, IDC_ABOUT_MODEL, text, 512);
    about.model = text;
    GetDlgItemTextW(dialog, IDC_ABOUT_RELEASE, text, 512);
    about.release = text;
    const LRESULT count = SendDlgItemMessageW(dialog, IDC_ABOUT_FILES, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        text[0] = 0;
        SendDlgItemMessageW(dialog, IDC_ABOUT_FILES, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        about.rows.push_back(text);
    }
    GetWindowRect(GetParent(dialog), &about.page);
    GetWindowRect(dialog, &about.own);
    return about;
}

void PressOk(HWND dialog)
{
    PostMessageW(GetDlgItem(dialog, IDC_ABOUT_OK), BM_CLICK, 0, 0);
}

class AboutDialog : public ::testing::Test {
protected:
    // The suite's own printers: initialising one stores the model's profile
    // with it, which the other suites' printers do not have.
    void Start(const DriverPackage& driver) { sheet_ = std::make_unique<SheetFixture>(driver, "about"); }

    // Opens About from page `index` and reads it; `close` ends it.
    AboutContents Show(int index, void (*close)(HWND) = PressOk)
    {
        AboutContents about;
        EXPECT_EQ(1, sheet_->Open());
        sheet_->host().ClickIntoDialog(index, IDC_ABOUT_BUTTON, [&](HWND dialog) {
            about = Read(dialog);
            close(dialog);
        });
        return about;
    }

    // The driver's folder with its last backslash, and the driver's name.
    std::wstring Directory() const { return Info(true); }
    std::wstring DriverName() const { return Info(false); }
    std::wstring Info(bool directory) const
    {
        DWORD needed = 0;
        GetPrinterDriverW(sheet_->printer().handle(), nullptr, 3, nullptr, 0, &needed);
        std::vector<BYTE> block(needed);
        EXPECT_TRUE(GetPrinterDriverW(sheet_->printer().handle(), nullptr, 3, block.data(), needed, &needed));
        const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(block.data());
        if (!directory)
            return info->pName;
        const std::wstring path = info->pDriverPath;
        return path.substr(0, path.rfind(L'\\') + 1);
    }

    std::unique_ptr<SheetFixture> sheet_;
};

}  // namespace

TEST_F(AboutDialog, ListsTheProfilesFilesWithTheirVersions)
{
    Start(DriverForProfileText(L"[Setup]\nDRIVER=2\n[PaperSize]\nA4=1,1,1,A4\n"
                               L"[About]\nTIMESTAMP=Built on a Tuesday\nDEPENDENCY1=ONLY.DLL\nVERSION1=9.9\n"));
    sheet_->Initialise();
    const AboutContents about = Show(kPageFonts);
    ASSERT_EQ(9u, about.rows.size());
    EXPECT_EQ(Directory() + L"ONLY.DLL : 9.9", about.rows[0]);
    for (size_t row = 1; row < about.rows.size(); ++row)
        EXPECT_EQ(Directory(), about.rows[row]) << "row " << row;
    EXPECT_EQ(L"Built on a Tuesday", about.release);
    EXPECT_EQ(DriverName(), about.model);
    WCHAR caption[64] = L"";
    LoadStringW(sheet_->host().pageRecord(0).hInstance, IDS_ABOUT_CAPTION, caption, 64);
    EXPECT_EQ(std::wstring(caption), about.caption);
    // Centred over the page, 25 pixels below its top edge.
    EXPECT_LE(std::abs((about.own.left - about.page.left) - (about.page.right - about.own.right)), 1)
        << "left gap " << about.own.left - about.page.left << ", right gap " << about.page.right - about.own.right;
    EXPECT_EQ(about.page.top + 25, about.own.top);

    // Texts of the cached record that fill their fields are cut before their last unit.
    ModelProfile cached = {};
    const long stored = sheet_->printer().GetData(kDriverProfileValue, &cached, sizeof(cached));
    ASSERT_EQ(static_cast<long>(sizeof(cached)), stored);
    std::fill(std::begin(cached.timestamp), std::end(cached.timestamp), L'x');
    std::fill(std::begin(cached.versions[0]), std::end(cached.versions[0]), L'9');
    ASSERT_EQ(0u, sheet_->printer().SetData(kDriverProfileValue, REG_BINARY, &cached, sizeof(cached)));
    const AboutContents full = Show(kPageFonts);
    EXPECT_EQ(std::wstring(79, L'x'), full.release);
    ASSERT_EQ(9u, full.rows.size());
    EXPECT_EQ(Directory() + L"ONLY.DLL : " + std::wstring(15, L'9'), full.rows[0]);
}

TEST_F(AboutDialog, WithoutTheCachedProfileListsTheBuiltInFiles)
{
    Start(SampleDriver(2));   // not initialised: no "DriverProfile"
    const AboutContents about = Show(kPageQuality, [](HWND dialog) {
        // Escape closes it like OK.
        PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    ASSERT_EQ(9u, about.rows.size());
    for (size_t row = 0; row < about.rows.size(); ++row) {
        const std::wstring& text = about.rows[row];
        EXPECT_EQ(0u, text.find(Directory())) << text;
        EXPECT_GT(text.size(), Directory().size()) << "row " << row << " names a file";
        EXPECT_EQ(row < 4, text.find(L" : ") != std::wstring::npos) << text;
    }
}

TEST_F(AboutDialog, Variant1ShowsItsOwnReleaseText)
{
    Start(SampleDriver(1));
    sheet_->Initialise();
    const AboutContents about = Show(kPageFonts);
    WCHAR release[80] = L"";
    LoadStringW(sheet_->host().pageRecord(0).hInstance, IDS_RELEASE_DATE_V1, release, 80);
    EXPECT_STRNE(L"", release);
    EXPECT_EQ(std::wstring(release), about.release);
}

TEST_F(AboutDialog, CapabilityQueriesFromAnotherThreadAnswerWhileItIsOpen)
{
    Start(SampleDriver(2));
    auto capabilities = sheet_->driver().Entry<DWORD(WINAPI*)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW)>(
        "DrvDeviceCapabilities");
    ASSERT_NE(nullptr, capabilities);
    const DWORD expected = capabilities(sheet_->printer().handle(), nullptr, DC_PAPERS, nullptr, nullptr);
    ASSERT_EQ(1, sheet_->Open());

    DWORD answer = 0;
    bool answered = false;
    sheet_->host().ClickIntoDialog(kPageQuality, IDC_ABOUT_BUTTON, [&](HWND dialog) {
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread query([&] {
            answer = capabilities(sheet_->printer().handle(), nullptr, DC_PAPERS, nullptr, nullptr);
            SetEvent(done);
        });
        // A guard against a deadlock, not a measure of speed.
        answered = WaitForSingleObject(done, 30000) == WAIT_OBJECT_0;
        PressOk(dialog);
        query.join();
        CloseHandle(done);
    });
    EXPECT_TRUE(answered) << "the query waited for the dialog";
    EXPECT_EQ(expected, answer);
}

TEST(AboutFileRow, GivesTheLastRowAndNothingPastIt)
{
    AboutData data = {};
    lstrcpyW(data.directory, L"C:\\d\\");
    lstrcpyW(data.fileNames[kAboutEntryCount - 1], L"LAST.DLL");
    WCHAR text[64] = L"x";
    AboutFileRow(data, kAboutEntryCount - 1, text, 64);
    EXPECT_STREQ(L"C:\\d\\LAST.DLL", text);
    AboutFileRow(data, kAboutEntryCount, text, 64);
    EXPECT_STREQ(L"", text);
}
