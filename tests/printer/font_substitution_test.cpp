// The font substitution table: its default, its stored form, lookups and
// encoding, with the resource library of an installed printer.
#include "facts/printer_call.h"
#include "printer/font_substitution.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/resource_library.h"
#include "support/guarded_memory.h"
#include "support/printer_bench.h"
#include "support/spooler_faults.h"

namespace {

const wchar_t* const kDefaultPairs[][2] = {
    {L"Arial", L"Swiss721SWM"},
    {L"Arial Bold", L"Swiss721SWM Bold"},
    {L"Arial Bold Italic", L"Swiss721SWM BoldItalic"},
    {L"Arial Italic", L"Swiss721SWM Italic"},
    {L"Courier New", L"CourierSWC"},
    {L"Courier New Bold", L"CourierSWC Bold"},
    {L"Courier New Bold Italic", L"CourierSWC Bold Italic"},
    {L"Courier New Italic", L"CourierSWC Italic"},
    {L"Times New Roman", L"Dutch801SWM"},
    {L"Times New Roman Bold", L"Dutch801SWM Bold"},
    {L"Times New Roman Bold Italic", L"Dutch801SWM BoldItalic"},
    {L"Times New Roman Italic", L"Dutch801SWM Italic"},
    {L"Symbol", L"Symbol Set SWA"},
    {L"Wingdings", L"MoreWingBatsSWM"},
};

// A stored table from strings, each with its terminator, then the end mark.
std::wstring Stored(std::initializer_list<const wchar_t*> strings, bool closed = true)
{
    std::wstring table;
    for (const wchar_t* text : strings) {
        table += text;
        table.push_back(L'\0');
    }
    if (closed)
        table.push_back(L'\0');
    return table;
}

std::wstring DefaultTable()
{
    std::wstring table;
    for (const auto& pair : kDefaultPairs) {
        for (const wchar_t* text : pair) {
            table += text;
            table.push_back(L'\0');
        }
    }
    table.push_back(L'\0');
    return table;
}

class FontSubstitutionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeResourceLibrary();
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(2));
        ASSERT_NE(nullptr, LoadResourceLibraryForPrinter(printer_->handle()));
    }
    void TearDown() override { FreeResourceLibrary(); }

    std::unique_ptr<BenchPrinter> printer_;
};

}  // namespace

TEST_F(FontSubstitutionTest, TheDefaultTableHoldsTheFourteenPairsIn934Bytes)
{
    const DWORD size = BuildDefaultFontSubs(nullptr, 0);
    EXPECT_EQ(934u, size);
    std::vector<WCHAR> table(size / 2 + 8, L'#');
    EXPECT_EQ(size, BuildDefaultFontSubs(table.data(), static_cast<DWORD>(table.size() * 2)));
    EXPECT_EQ(DefaultTable(), std::wstring(table.data(), size / 2));
    EXPECT_EQ(L'#', table[size / 2]) << "written past the size it gave";
}

TEST_F(FontSubstitutionTest, LoadingTheDefaultGivesTheSameBytes)
{
    HeapBlock table = LoadDefaultFontSubs();
    ASSERT_TRUE(table);
    EXPECT_EQ(934u, table.size());
    EXPECT_EQ(DefaultTable(), std::wstring(table.as<WCHAR>(), table.size() / 2));
}

TEST_F(FontSubstitutionTest, WithoutTheResourceLibraryTheFacesAreEmpty)
{
    FreeResourceLibrary();
    EXPECT_FALSE(LoadDefaultFontSubs());
    size_t facesBytes = 0;
    for (const auto& pair : kDefaultPairs)
        facesBytes += wcslen(pair[0]) * 2;
    EXPECT_EQ(934u - facesBytes, BuildDefaultFontSubs(nullptr, 0));
}

// Buffers that end at an unreadable page: a write past the capacity faults.
TEST_F(FontSubstitutionTest, BuildingIntoASmallBufferNeverWritesPastIt)
{
    const std::wstring whole = DefaultTable();
    for (DWORD capacity : {2u, 12u, 13u, 500u, 932u, 933u}) {
        GuardedBlock memory(capacity);
        memset(memory.data(), '#', capacity);
        EXPECT_EQ(934u, BuildDefaultFontSubs(memory.as<WCHAR>(), capacity)) << "capacity " << capacity;
        // What was written is whole strings from the table's start.
        std::wstring written(memory.as<WCHAR>(), capacity / 2);
        written.resize(written.find(L'\x2323') == std::wstring::npos ? written.size() : written.find(L'\x2323'));
        EXPECT_TRUE(written.empty() || written.back() == L'\0') << "capacity " << capacity;
        EXPECT_EQ(whole.substr(0, written.size()), written) << "capacity " << capacity;
    }
}

TEST_F(FontSubstitutionTest, FindsTheFirstPairOfAFaceCaseSensitively)
{
    const std::wstring table = DefaultTable();
    const DWORD bytes = static_cast<DWORD>(table.size() * 2);
    EXPECT_STREQ(L"Swiss721SWM Bold", FindSubstitute(table.c_str(), bytes, L"Arial Bold"));
    EXPECT_STREQ(L"Swiss721SWM", FindSubstitute(table.c_str(), bytes, L"Arial"));
    EXPECT_STREQ(L"MoreWingBatsSWM", FindSubstitute(table.c_str(), bytes, L"Wingdings"));
    EXPECT_EQ(nullptr, FindSubstitute(table.c_str(), bytes, L"arial bold"));
    EXPECT_EQ(nullptr, FindSubstitute(table.c_str(), bytes, L"Swiss721SWM"));
    // Names compare unit by unit: the user's collation ignores a soft hyphen.
    EXPECT_EQ(nullptr, FindSubstitute(table.c_str(), bytes, L"Arial\x00AD"));
    const std::wstring empty(1, L'\0');
    EXPECT_EQ(nullptr, FindSubstitute(empty.c_str(), 2, L"Arial"));
    const std::wstring twice = Stored({L"Face", L"First", L"Face", L"Second"});
    EXPECT_STREQ(L"First", FindSubstitute(twice.c_str(), static_cast<DWORD>(twice.size() * 2), L"Face"));
}

TEST_F(FontSubstitutionTest, AStoredTableIsNeverReadPastItsEnd)
{
    struct Row {
        std::wstring table;
        DWORD trim;   // bytes cut from the end
        const wchar_t* face;
        const wchar_t* expected;
    } rows[] = {
        {Stored({L"Arial", L"Swiss721SWM", L"Symbol", L"Symbol Set SWA"}, false), 0, L"Zapf", nullptr},
        {Stored({L"Arial", L"Swiss721SWM", L"Symbol", L"Symbol Set SWA"}, false), 0, L"Symbol", L"Symbol Set SWA"},
        {Stored({L"Arial", L"Swiss721SWM", L"Symbol", L"Symbol Set SWA"}, false), 2, L"Symbol", nullptr},
        {Stored({L"Arial", L"Swiss721SWM", L"Symbol"}, false), 0, L"Symbol", nullptr},
        {Stored({L"Arial", L"Swiss721SWM"}), 1, L"Arial", L"Swiss721SWM"},
        {Stored({L"Arial"}, false), 2, L"Arial", nullptr},
        // A face substituted by nothing is a pair with an empty font.
        {Stored({L"Arial", L"", L"Symbol", L"Symbol Set SWA"}), 0, L"Symbol", L"Symbol Set SWA"},
    };
    for (const Row& row : rows) {
        const DWORD bytes = static_cast<DWORD>(row.table.size() * 2) - row.trim;
        GuardedBlock memory(bytes);
        memcpy(memory.data(), row.table.data(), bytes);
        const WCHAR* found = FindSubstitute(static_cast<const WCHAR*>(memory.data()), bytes, row.face);
        if (row.expected)
            EXPECT_STREQ(row.expected, found) << "face " << Narrow(row.face) << ", " << bytes << " bytes";
        else
            EXPECT_EQ(nullptr, found) << "face " << Narrow(row.face) << ", " << bytes << " bytes";
    }
}

TEST_F(FontSubstitutionTest, EncodingLeavesOutRowsThatDownloadTrueType)
{
    const wchar_t download[] = L"Download TrueType Fonts";
    const FontSubstitutionRow rows[] = {
        {L"Arial", L"Swiss721SWM"},
        {L"Comic", download},
        {L"Times New Roman", L"Dutch801SWM"},
    };
    const DWORD size = EncodeFontSubs(rows, 3, download, nullptr);
    const std::wstring expected = Stored({L"Arial", L"Swiss721SWM", L"Times New Roman", L"Dutch801SWM"});
    EXPECT_EQ(expected.size() * 2, size);
    std::vector<WCHAR> out(size / 2 + 4, L'#');
    EXPECT_EQ(size, EncodeFontSubs(rows, 3, download, out.data()));
    EXPECT_EQ(expected, std::wstring(out.data(), size / 2));
    EXPECT_EQ(L'#', out[size / 2]);

    const FontSubstitutionRow none[] = {{L"Arial", download}, {L"Courier New", download}};
    std::vector<WCHAR> empty(4, L'#');
    EXPECT_EQ(2u, EncodeFontSubs(none, 2, download, empty.data()));
    EXPECT_EQ(0, empty[0]);
}

TEST_F(FontSubstitutionTest, ReadsOnlyABinaryStoredTable)
{
    EXPECT_FALSE(ReadFontSubs(printer_->handle()));
    const std::wstring text = L"Arial";
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), printer_->SetData(kFontSubsValue, REG_SZ, text.c_str(), 12));
    EXPECT_FALSE(ReadFontSubs(printer_->handle())) << "a REG_SZ value is ignored";

    const std::wstring table = Stored({L"Arial", L"Swiss742SWC"});
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              printer_->SetData(kFontSubsValue, REG_BINARY, table.data(), static_cast<DWORD>(table.size() * 2)));
    HeapBlock read = ReadFontSubs(printer_->handle());
    ASSERT_TRUE(read);
    EXPECT_EQ(table, std::wstring(read.as<WCHAR>(), read.size() / 2));
    EXPECT_STREQ(L"Swiss742SWC", FindSubstitute(read.as<WCHAR>(), static_cast<DWORD>(read.size()), L"Arial"));
}

// Either query refused: no table and the spooler's reason. Gone between or
// before the queries is absent, no failure.
TEST_F(FontSubstitutionTest, ReadTellsARefusalFromAnAbsentTable)
{
    const std::wstring table = Stored({L"Arial", L"Swiss742SWC"});
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              printer_->SetData(kFontSubsValue, REG_BINARY, table.data(), static_cast<DWORD>(table.size() * 2)));
    const struct {
        int nth;       // the query refused: 1 sizes, 2 reads
        DWORD error;
        DWORD failure;
    } rows[] = {
        {1, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
        {2, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
        {2, RPC_S_SERVER_UNAVAILABLE, RPC_S_SERVER_UNAVAILABLE},
        {1, ERROR_FILE_NOT_FOUND, 0},
        {2, ERROR_FILE_NOT_FOUND, 0},
    };
    for (const auto& row : rows) {
        InjectedFault injected(GetModuleHandleW(nullptr), Faulted::GetPrinterData, row.error,
                               {kFontSubsValue, 0, row.nth});
        DWORD failure = 0xDEAD;
        EXPECT_FALSE(ReadFontSubs(printer_->handle(), &failure));
        EXPECT_EQ(1, injected.failed());
        EXPECT_EQ(row.failure, failure) << "query " << row.nth << " refused with " << ErrorName(row.error);
    }
}

TEST(ResidentFonts, OfferSeventeenFamilies)
{
    std::vector<std::wstring> families;
    for (const ResidentFont& font : kResidentFonts) {
        if (families.empty() || families.back() != font.family)
            families.push_back(font.family);
    }
    EXPECT_EQ(17u, families.size());
    EXPECT_STREQ(L"Swiss721SWM Bold Italic", kResidentFonts[30].faceName);
}
