// Icons and banners: each loads at its size, in 16 colours with a
// transparency mask, and no two pictures are the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "installed_library.h"
#include "resources/resource_ids.h"

namespace {

const int kIcons[] = {
    IDI_FLIP_SHORT_LANDSCAPE, IDI_FLIP_SHORT_PORTRAIT, IDI_FLIP_LONG_LANDSCAPE, IDI_FLIP_LONG_PORTRAIT,
    IDI_SHIFT, IDI_MARGIN_OFF, IDI_MARGIN_ON,
    IDI_PAPER_A3, IDI_PAPER_B4, IDI_PAPER_A4, IDI_PAPER_B5, IDI_PAPER_A5, IDI_PAPER_LETTER, IDI_PAPER_LEGAL,
    IDI_PAPER_POSTCARD, IDI_PAPER_USER, IDI_PAPER_INVOICE, IDI_PAPER_LEDGER,
    IDI_ORIENT_PORTRAIT, IDI_ORIENT_LANDSCAPE, IDI_NUP1_PORTRAIT, IDI_NUP1_LANDSCAPE,
    2314, 2315, 2316, 2317, 2318, 2319, 2320, 2321, 2322, 2323, 2324, 2325,
    IDI_SORTER_STACK, IDI_SORTER_SORT, IDI_ROTATE, IDI_ORDER_REVERSE, IDI_ORDER_FORWARD,
};

const int kBanners[] = {IDB_BANNER, IDB_BANNER_IMAGE2, IDB_BANNER_IMAGE3};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD iconId;
};
struct GroupIconHeader {
    WORD reserved, type, count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

const void* Data(HMODULE library, int id, int type, DWORD* size = nullptr)
{
    HRSRC found = FindResourceExW(library, MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(id), kResourceLanguage);
    if (!found)
        return nullptr;
    if (size)
        *size = SizeofResource(library, found);
    return LockResource(LoadResource(library, found));
}

// The picture as 32-bit pixels, drawn on `background`.
std::vector<DWORD> Pixels(HDC dc, int width, int height, void (*draw)(HDC, const void*), const void* what,
                          COLORREF background = RGB(255, 255, 255))
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    draw(memory, what);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixels;
}

std::vector<DWORD> IconPixels(HICON icon, COLORREF background = RGB(255, 255, 255))
{
    HDC screen = GetDC(nullptr);
    auto pixels = Pixels(screen, 32, 32, [](HDC dc, const void* icon) {
        DrawIconEx(dc, 0, 0, static_cast<HICON>(const_cast<void*>(icon)), 32, 32, 0, nullptr, DI_NORMAL);
    }, icon, background);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Which pixels of the icon let the background through.
std::vector<bool> Transparent(HICON icon)
{
    const std::vector<DWORD> onWhite = IconPixels(icon, RGB(255, 255, 255));
    const std::vector<DWORD> onBlack = IconPixels(icon, RGB(0, 0, 0));
    std::vector<bool> transparent(onWhite.size());
    for (size_t i = 0; i < onWhite.size(); ++i)
        transparent[i] = (onWhite[i] & 0xFFFFFF) != (onBlack[i] & 0xFFFFFF);
    return transparent;
}

// Height of the drawn (not transparent) part of an icon.
int DrawnHeight(HICON icon)
{
    const std::vector<bool> transparent = Transparent(icon);
    int top = 32, bottom = -1;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (!transparent[y * 32 + x]) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return bottom - top + 1;
}

HICON Icon(int id)
{
    return LoadIconW(InstalledResourceLibrary(), MAKEINTRESOURCEW(id));
}

}  // namespace

TEST(Icons, EachIsOne32By32ImageIn16Colours)
{
    HMODULE library = InstalledResourceLibrary();
    ASSERT_NE(library, nullptr);
    for (int id : kIcons) {
        const auto* group = static_cast<const GroupIconHeader*>(Data(library, id, 14 /* RT_GROUP_ICON */));
        ASSERT_NE(group, nullptr) << "icon group " << id;
        ASSERT_EQ(1, group->count) << "icon group " << id;
        const GroupIconEntry& entry = group->entries[0];
        EXPECT_EQ(32, entry.width) << "icon group " << id;
        EXPECT_EQ(32, entry.height) << "icon group " << id;
        EXPECT_EQ(16, entry.colourCount) << "icon group " << id;
        EXPECT_EQ(4, entry.bitCount) << "icon group " << id;

        DWORD size = 0;
        const auto* image = static_cast<const BITMAPINFOHEADER*>(Data(library, entry.iconId, 3 /* RT_ICON */, &size));
        ASSERT_NE(image, nullptr) << "icon image of group " << id;
        EXPECT_EQ(4, image->biBitCount) << "icon group " << id;
        EXPECT_EQ(64, image->biHeight) << "icon group " << id << ": colours and mask";
        // Header, 16 palette entries, 4-bit colour rows, 1-bit mask rows.
        EXPECT_EQ(40u + 16 * 4 + 32 * 16 + 32 * 4, size) << "icon group " << id;
    }
}

TEST(Icons, EachLoadsWithAColourImageAndATransparencyMask)
{
    ASSERT_NE(InstalledResourceLibrary(), nullptr);
    for (int id : kIcons) {
        HICON icon = Icon(id);
        ASSERT_NE(icon, nullptr) << "icon " << id;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << "icon " << id;
        ASSERT_NE(info.hbmColor, nullptr) << "icon " << id;
        ASSERT_NE(info.hbmMask, nullptr) << "icon " << id;
        BITMAP colour = {}, mask = {};
        GetObjectW(info.hbmColor, sizeof(colour), &colour);
        GetObjectW(info.hbmMask, sizeof(mask), &mask);
        EXPECT_EQ(32, colour.bmWidth) << "icon " << id;
        EXPECT_EQ(32, colour.bmHeight) << "icon " << id;
        EXPECT_EQ(32, mask.bmWidth) << "icon " << id;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);

        // Transparent around the picture: the page shows through.
        const std::vector<bool> transparent = Transparent(icon);
        const long clear = std::count(transparent.begin(), transparent.end(), true);
        EXPECT_GT(clear, 32) << "icon " << id << " covers its whole square";
        EXPECT_LT(clear, 32 * 32 - 32) << "icon " << id << " is nearly empty";
    }
}

TEST(Icons, NoTwoPicturesAreTheSame)
{
    ASSERT_NE(InstalledResourceLibrary(), nullptr);
    std::map<std::vector<DWORD>, int> seen;
    for (int id : kIcons) {
        const auto [other, added] = seen.emplace(IconPixels(Icon(id)), id);
        EXPECT_TRUE(added) << "icons " << other->second << " and " << id << " look the same";
    }
}

TEST(Icons, PaperSheetsShrinkFromA3DownToThePostcard)
{
    ASSERT_NE(InstalledResourceLibrary(), nullptr);
    const int sheets[] = {IDI_PAPER_A3, IDI_PAPER_B4, IDI_PAPER_A4, IDI_PAPER_B5, IDI_PAPER_A5, IDI_PAPER_POSTCARD};
    for (size_t i = 1; i < std::size(sheets); ++i) {
        EXPECT_LT(DrawnHeight(Icon(sheets[i])), DrawnHeight(Icon(sheets[i - 1])))
            << "icon " << sheets[i] << " against " << sheets[i - 1];
    }
    EXPECT_LT(DrawnHeight(Icon(IDI_PAPER_LETTER)), DrawnHeight(Icon(IDI_PAPER_LEGAL)));
    EXPECT_LT(DrawnHeight(Icon(IDI_PAPER_INVOICE)), DrawnHeight(Icon(IDI_PAPER_LEDGER)));
}

TEST(Banners, EachLoadsAt325By87AndNoTwoAreTheSame)
{
    HMODULE library = InstalledResourceLibrary();
    ASSERT_NE(library, nullptr);
    std::map<std::vector<DWORD>, int> seen;
    for (int id : kBanners) {
        HBITMAP bitmap = LoadBitmapW(library, MAKEINTRESOURCEW(id));
        ASSERT_NE(bitmap, nullptr) << "bitmap " << id;
        BITMAP size = {};
        GetObjectW(bitmap, sizeof(size), &size);
        EXPECT_EQ(325, size.bmWidth) << "bitmap " << id;
        EXPECT_EQ(87, size.bmHeight) << "bitmap " << id;

        HDC screen = GetDC(nullptr);
        auto pixels = Pixels(screen, 325, 87, [](HDC dc, const void* bitmap) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, static_cast<HBITMAP>(const_cast<void*>(bitmap)));
            BitBlt(dc, 0, 0, 325, 87, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }, bitmap);
        ReleaseDC(nullptr, screen);
        const auto [other, added] = seen.emplace(pixels, id);
        EXPECT_TRUE(added) << "bitmaps " << other->second << " and " << id << " look the same";
        DeleteObject(bitmap);
    }
}
