// The string table: every text MARTENUI loads, exactly, and nothing else.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/resource_library.h"
#include "installed_library.h"
#include "resources/resource_ids.h"
#include "support/printer_bench.h"

namespace {

struct StringRow {
    UINT id;
    const wchar_t* text;
};

const StringRow kStrings[] = {
    {52, L"Arial"}, {53, L"Arial Bold"}, {54, L"Arial Bold Italic"}, {55, L"Arial Italic"},
    {56, L"Courier New"}, {57, L"Courier New Bold"}, {58, L"Courier New Bold Italic"},
    {59, L"Courier New Italic"}, {60, L"Times New Roman"}, {61, L"Times New Roman Bold"},
    {62, L"Times New Roman Bold Italic"}, {63, L"Times New Roman Italic"}, {64, L"Symbol"},
    {65, L"Wingdings"},
    {651, L"Download TrueType Fonts"}, {670, L"TrueType Fonts"}, {671, L"Printer Fonts"},
    {680, L"Warning"}, {681, L"The Fonts Substitution Table will be cleard. OK ?"},
    {2101, L"A3"}, {2102, L"B4"}, {2103, L"A4"}, {2104, L"B5"}, {2105, L"A5"}, {2106, L"Letter"},
    {2107, L"Legal"}, {2108, L"Postcard"}, {2109, L"User"},
    {2110, L"Auto Tray Selection"}, {2111, L"Tray-1"}, {2112, L"Tray-2"}, {2113, L"Tray-3"},
    {2114, L"Tray-4"}, {2115, L"Bypass Tray"},
    {2116, L"Paper/Layout"}, {2117, L"Handling"}, {2118, L"Quality"}, {2119, L"Fonts"},
    {2120, L"Device Options"}, {2121, L"Font Substitution"},
    {2128, L"Ledger"}, {2129, L"Invoice"}, {2130, L"FLS1"}, {2131, L"FLS2"}, {2132, L"Envelope DL"},
    {2133, L"Envelope C5"}, {2134, L"Envelope #10"}, {2135, L"Monarch"}, {2136, L"Envelope B5"},
    {2137, L"Envelope C4"}, {2138, L"Japanese Envelope Chou #1"}, {2139, L"Japanese Envelope Chou #2"},
    {2140, L"Japanese Envelope Chou #3"}, {2141, L"Japanese Envelope Chou #4"},
    {2142, L"Japanese Envelope Kaku #1"}, {2143, L"Japanese Envelope Kaku #2"},
    {2144, L"Japanese Envelope Kaku #3"},
    {2149, L"None"}, {2150, L"Image %d"}, {2152, L"None"}, {2153, L" --> "},
    {2154, L" : %d.%d x %d.%d mm >"}, {2155, L" : %d.%d x %d.%d inch >"}, {2156, L"Pattern %d"},
    {2160, L"Auto Selection "}, {2161, L"Inner Tray 1 (Lower)"}, {2162, L"Inner Tray 2 (Upper)"},
    {2163, L"Outer Tray"},
    {2169, L"All rights reserved."}, {2170, L"Release Date : 20/05/2002"}, {2171, L"1.8"},
    {2174, L"Range < %d - %d >"}, {2175, L"Off"}, {2176, L"On"}, {2177, L"About printer driver"},
    {2178, L"User Size"}, {2179, L"Input a 4-digit password or leave it blank."},
    {2180, L"Duplex printing cannot be done on the selected Paper Size."}, {2182, L"Finisher"},
    {2184, L"None"}, {2185, L"2 MB"}, {2186, L"4 MB"}, {2187, L"6 MB"}, {2188, L"8 MB"},
    {2189, L"10 MB"}, {2191, L"4.11"},
    {2192, L"The installed options stored for this printer could not be read. The page shows the defaults; they are "
           L"saved only if you change something on this page."},
    {2193, L"The installed options could not be saved. Your choices are still on the page."},
    {2194, L"The font substitution table stored for this printer could not be read. The page shows the default "
           L"table; it is saved only if you change something on this page."},
    {2195, L"The font substitution table could not be saved. Your choices are still on the page."},
    {2196, L"Your document settings could not be saved as your own for this printer. The document is still printed with them."},
};

// The product title and the notice lines are this project's own words.
const UINT kOwnTexts[] = {IDS_PRODUCT_TITLE, IDS_NOTICE_LINE1, IDS_NOTICE_LINE2, IDS_NOTICE_LINE3};

std::wstring Load(UINT id)
{
    WCHAR text[256];
    LoadResourceString(id, text, 256);
    return text;
}

// Every string the library holds, by number, read from its string blocks.
std::set<UINT> StoredStringIds(HMODULE library)
{
    std::set<UINT> ids;
    EnumResourceNamesW(
        library, MAKEINTRESOURCEW(6) /* RT_STRING */,
        [](HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR found) CALLBACK -> BOOL {
            const UINT block = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
            HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(6));
            const WCHAR* entry = static_cast<const WCHAR*>(LockResource(LoadResource(module, resource)));
            for (UINT i = 0; i < 16; ++i) {
                const WORD length = *entry++;
                if (length)
                    reinterpret_cast<std::set<UINT>*>(found)->insert((block - 1) * 16 + i);
                entry += length;
            }
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

}  // namespace

TEST(StringTable, HoldsEveryTextExactly)
{
    ASSERT_NE(InstalledResourceLibrary(), nullptr);
    for (const StringRow& row : kStrings)
        EXPECT_EQ(std::wstring(row.text), Load(row.id)) << "string " << row.id;
}

TEST(StringTable, HoldsTheProductTitleAndNoticeLinesOfItsOwn)
{
    ASSERT_NE(InstalledResourceLibrary(), nullptr);
    std::set<std::wstring> seen;
    for (UINT id : kOwnTexts) {
        const std::wstring text = Load(id);
        EXPECT_FALSE(text.empty()) << "string " << id;
        EXPECT_LE(text.size(), 79u) << "string " << id << " must fit the About dialog's 80-character buffers";
        EXPECT_TRUE(seen.insert(text).second) << "string " << id << " repeats " << Narrow(text);
    }
}

TEST(StringTable, HoldsNoStringBeyondTheTable)
{
    HMODULE library = InstalledResourceLibrary();
    ASSERT_NE(library, nullptr);
    std::set<UINT> expected(std::begin(kOwnTexts), std::end(kOwnTexts));
    expected.insert(IDS_ALL_RIGHTS_RESERVED);
    for (const StringRow& row : kStrings)
        expected.insert(row.id);
    const std::set<UINT> stored = StoredStringIds(library);
    for (UINT id : stored)
        EXPECT_TRUE(expected.count(id)) << "unexpected string " << id << ": " << Narrow(Load(id));
    for (UINT id : expected)
        EXPECT_TRUE(stored.count(id)) << "missing string " << id;
}

TEST(StringTable, AMissingIdentifierGivesTheEmptyText)
{
    ASSERT_NE(InstalledResourceLibrary(), nullptr);
    // Gaps inside filled blocks, a block of its own, and the far end.
    for (UINT id : {51u, 66u, 650u, 2122u, 2151u, 2164u, 2172u, 2181u, 2183u, 2190u, 1u, 9000u, 65535u}) {
        WCHAR text[16] = L"unchanged";
        EXPECT_EQ(0, LoadResourceString(id, text, 16)) << "string " << id;
        EXPECT_STREQ(L"", text) << "string " << id;
    }
}
