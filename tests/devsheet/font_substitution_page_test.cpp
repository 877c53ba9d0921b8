// The Font Substitution page: the installed TrueType families, the printer
// font standing in for each, and the table stored at apply.
#include "sheet/sheet_state.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "devsheet/device_sheet_fixture.h"
#include "printer/font_substitution.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kPage = 1;
using Row = std::pair<std::wstring, std::wstring>;

std::wstring ItemText(HWND list, int row, int column)
{
    WCHAR text[128] = L"";
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int CALLBACK CollectTrueType(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM context)
{
    if (type & TRUETYPE_FONTTYPE)
        reinterpret_cast<std::vector<std::wstring>*>(context)->push_back(font->lfFaceName);
    return 1;
}

// What the system reports: each TrueType family, names that differ only in
// case counted once.
std::set<std::wstring> InstalledTrueTypeFamilies()
{
    std::vector<std::wstring> names;
    HDC dc = GetDC(GetDesktopWindow());
    EnumFontFamiliesW(dc, nullptr, CollectTrueType, reinterpret_cast<LPARAM>(&names));
    ReleaseDC(GetDesktopWindow(), dc);
    std::set<std::wstring> families;
    for (const std::wstring& name : names) {
        const bool seen = std::any_of(families.begin(), families.end(), [&](const std::wstring& other) {
            return CompareStringOrdinal(name.c_str(), -1, other.c_str(), -1, TRUE) == CSTR_EQUAL;
        });
        if (!seen)
            families.insert(name);
    }
    return families;
}

class FontSubstitutionPage : public ::testing::Test {
protected:
    void SetUp() override { sheet_ = std::make_unique<DeviceSheetFixture>(SampleDriver(2)); }
    void Open()
    {
        ASSERT_EQ(1, sheet_->Open());
        page_ = sheet_->host().ShowPage(kPage);
        ASSERT_NE(nullptr, page_);
        list_ = GetDlgItem(page_, IDC_FONTSUBS_TABLE);
        HINSTANCE library = sheet_->host().pageRecord(kPage).hInstance;
        WCHAR text[128] = L"";
        LoadStringW(library, IDS_DOWNLOAD_TRUETYPE, text, 128);
        download_ = text;
        ASSERT_FALSE(download_.empty());
    }
    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        const int count = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            rows.emplace_back(ItemText(list_, i, 0), ItemText(list_, i, 1));
        return rows;
    }
    std::wstring Chosen() const
    {
        HWND combo = GetDlgItem(page_, IDC_FONTSUBS_LIST);
        const LRESULT item = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (item < 0)
            return L"(none)";
        WCHAR text[128] = L"";
        SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::wstring Label() const
    {
        WCHAR text[128] = L"";
        GetDlgItemTextW(page_, IDC_FONTSUBS_FACE, text, 128);
        return text;
    }
    // The first two families listed, in list order.
    std::pair<std::wstring, std::wstring> FirstTwoFamilies() const
    {
        std::set<std::wstring> families = InstalledTrueTypeFamilies();
        std::vector<std::wstring> sorted(families.begin(), families.end());
        std::sort(sorted.begin(), sorted.end(), [](const std::wstring& a, const std::wstring& b) {
            return lstrcmpiW(a.c_str(), b.c_str()) < 0;
        });
        EXPECT_GE(sorted.size(), 2u);
        return sorted.size() >= 2 ? std::make_pair(sorted[0], sorted[1]) : std::make_pair(L"", L"");
    }

    std::unique_ptr<DeviceSheetFixture> sheet_;
    HWND page_ = nullptr;
    HWND list_ = nullptr;
    std::wstring download_;
};

}  // namespace

TEST_F(FontSubstitutionPage, ListsEachInstalledTrueTypeFamilyOnceInOrder)
{
    Open();
    const std::vector<Row> rows = Rows();
    std::set<std::wstring> listed;
    for (size_t i = 0; i < rows.size(); ++i) {
        listed.insert(rows[i].first);
        if (i > 0) {
            EXPECT_LE(lstrcmpiW(rows[i - 1].first.c_str(), rows[i].first.c_str()), 0)
                << "row " << i << " follows " << i - 1;
        }
    }
    EXPECT_EQ(rows.size(), listed.size()) << "a family listed twice";
    EXPECT_EQ(InstalledTrueTypeFamilies(), listed);
    // The top row is selected and shown below the list.
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(0, SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    EXPECT_EQ(rows[0].first, Label());
}

TEST_F(FontSubstitutionPage, WithoutABinaryTableShowsTheDefaultOne)
{
    const WCHAR text[] = L"not a table";
    sheet_->printer().SetData(kFontSubsValue, REG_SZ, text, sizeof(text));
    Open();
    HINSTANCE library = sheet_->host().pageRecord(kPage).hInstance;
    // The bench installs the three families every document names; a row of
    // any other face downloads.
    std::set<UINT> substituted;
    for (const Row& row : Rows()) {
        std::wstring expected = download_;
        for (const DefaultSubstitute& pair : kDefaultFontSubstitutes) {
            WCHAR face[80] = L"";
            LoadStringW(library, pair.faceStringId, face, 80);
            if (row.first == face) {
                expected = pair.printerFont;
                substituted.insert(pair.faceStringId);
            }
        }
        EXPECT_EQ(expected, row.second) << "row " << std::string(row.first.begin(), row.first.end());
    }
    for (UINT face : {IDS_FACE_ARIAL, IDS_FACE_COURIER_NEW, IDS_FACE_TIMES})
        EXPECT_EQ(1u, substituted.count(face)) << "no row for the face of string " << face;
}

TEST_F(FontSubstitutionPage, SelectingARowShowsItsFaceAndTheSubstituteThatBeginsWithItsText)
{
    const auto [first, second] = FirstTwoFamilies();
    sheet_->StoreFontSubs({first, L"Swiss721SWM Bold", second, L"CourierSWC"});
    Open();
    EXPECT_EQ(first, Label());
    EXPECT_EQ(L"Swiss721SWM Bold", Rows()[0].second);
    EXPECT_EQ(L"(none)", Chosen()) << "no entry begins with the stored name";
    sheet_->host().SelectItem(kPage, IDC_FONTSUBS_TABLE, 1);
    EXPECT_EQ(second, Label());
    EXPECT_EQ(L"CourierSWC", Chosen());
}

TEST_F(FontSubstitutionPage, ApplyStoresTheListedRowsThatSubstituteInListOrder)
{
    const auto [first, second] = FirstTwoFamilies();
    sheet_->StoreFontSubs({second, L"Dutch801SWM", L"Not Installed Face", L"CourierSWC"});
    Open();
    HWND combo = GetDlgItem(page_, IDC_FONTSUBS_LIST);
    // The substitutes: "Download TrueType Fonts" and each resident family once.
    std::set<std::wstring> families;
    for (const ResidentFont& font : kResidentFonts)
        families.insert(font.family);
    EXPECT_EQ(static_cast<LRESULT>(families.size() + 1), SendMessageW(combo, CB_GETCOUNT, 0, 0));
    const LRESULT audrey = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(L"AudreyTwoSWC"));
    ASSERT_GE(audrey, 0);
    sheet_->host().Choose(kPage, IDC_FONTSUBS_LIST, static_cast<int>(audrey));
    EXPECT_EQ(L"AudreyTwoSWC", Rows()[0].second);
    sheet_->host().Press(PSBTN_OK);
    ASSERT_TRUE(sheet_->host().closed());
    EXPECT_EQ((std::vector<std::wstring>{first, L"AudreyTwoSWC", second, L"Dutch801SWM"}), sheet_->StoredFontSubs());
}

TEST_F(FontSubstitutionPage, RestoreDefaultsAsksAndNoChangesNothing)
{
    const auto [first, second] = FirstTwoFamilies();
    sheet_->StoreFontSubs({first, L"CourierSWC"});
    Open();
    sheet_->host().SelectItem(kPage, IDC_FONTSUBS_TABLE, 1);
    const std::vector<Row> before = Rows();
    sheet_->host().boxes().SetAnswer(IDNO);
    sheet_->host().Click(kPage, IDC_RESTORE_DEFAULTS);
    ASSERT_EQ(1u, sheet_->host().boxes().calls().size());
    const MessageBoxCall& box = sheet_->host().boxes().calls()[0];
    HINSTANCE library = sheet_->host().pageRecord(kPage).hInstance;
    WCHAR question[256] = L"", caption[64] = L"";
    LoadStringW(library, IDS_CONFIRM_CLEAR_FONT_SUBS, question, 256);
    LoadStringW(library, IDS_WARNING, caption, 64);
    EXPECT_EQ(std::wstring(question), box.text);
    EXPECT_EQ(std::wstring(caption), box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONWARNING), box.style);
    EXPECT_EQ(before, Rows());
    EXPECT_EQ(second, Label());
    EXPECT_EQ(list_, GetFocus());

    sheet_->host().boxes().SetAnswer(IDYES);
    sheet_->host().Click(kPage, IDC_RESTORE_DEFAULTS);
    EXPECT_NE(L"CourierSWC", Rows()[0].second);
    EXPECT_EQ(first, Label());
    EXPECT_EQ(list_, GetFocus());
    sheet_->host().Press(PSBTN_CANCEL);
    EXPECT_EQ((std::vector<std::wstring>{first, L"CourierSWC"}), sheet_->StoredFontSubs());
}
