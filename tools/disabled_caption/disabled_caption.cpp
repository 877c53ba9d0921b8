// Where a disabled check box loses the last column of its caption: a bare
// dialog in the templates' font holding the Device Options page's security
// check box, at several widths, enabled and disabled, with and without a
// trailing space. For each it prints the caption's measured width and the
// last column its dark ink reaches (counted from where the caption starts),
// and saves all of them, one row each, as <folder>\disabled-caption.bmp.
//
//   disabled-caption.exe OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "window_picture.h"

namespace {

constexpr int kControl = 1084;

// An extended template of one automatic check box `width` dialog units wide.
std::vector<WORD> BareDialog(const std::wstring& caption, short width, bool disabled)
{
    std::vector<WORD> words;
    auto word = [&](DWORD value) { words.push_back(static_cast<WORD>(value)); };
    auto dword = [&](DWORD value) { word(value & 0xFFFF); word(value >> 16); };
    auto text = [&](const std::wstring& value) {
        for (wchar_t c : value)
            word(c);
        word(0);
    };
    word(1); word(0xFFFF); dword(0); dword(0);
    dword(DS_SETFONT | WS_POPUP | WS_CAPTION);
    word(1); word(0); word(0); word(width + 14); word(30);
    word(0); word(0); text(L"Bare");
    word(8); word(0); word(0);   // 8 points, weight, italic and character set
    text(L"MS Sans Serif");
    if (words.size() % 2)
        word(0);   // items start on a 4-byte boundary
    dword(0); dword(0);
    dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | (disabled ? WS_DISABLED : 0));
    word(7); word(10); word(width); word(10);
    dword(kControl);
    word(0xFFFF); word(0x0080);   // "Button"
    text(caption);
    word(0);
    return words;
}

struct Drawn {
    int clientWidth;
    int textWidth;      // the caption as it measures in the control's font
    int captionLeft;    // the caption's first column in the control
    int lastInk;        // the last column of dark ink, from the caption's first
    std::vector<DWORD> pixels;
    int height;
};

// The control drawn by itself into a picture, its caption measured.
Drawn Draw(HWND control)
{
    Drawn drawn = {};
    RECT client;
    GetClientRect(control, &client);
    drawn.clientWidth = client.right;
    drawn.height = client.bottom;
    HDC screen = GetDC(control);
    HGDIOBJ old = SelectObject(screen, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    WCHAR caption[128] = L"";
    GetWindowTextW(control, caption, 128);
    RECT measured = {0, 0, 0, 0};
    DrawTextW(screen, caption, -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    drawn.textWidth = measured.right;
    INT zero = 0;
    GetCharWidth32W(screen, L'0', L'0', &zero);
    SelectObject(screen, old);
    // The box, the gap of half a "0" and the caption's margin of one column.
    drawn.captionLeft = GetSystemMetrics(SM_CXMENUCHECK) + zero / 2 + 1;

    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = drawn.clientWidth;
    info.bmiHeader.biHeight = -drawn.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    RECT all = {0, 0, drawn.clientWidth, drawn.height};
    FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    drawn.pixels.assign(pixels, pixels + static_cast<size_t>(drawn.clientWidth) * drawn.height);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(control, screen);

    // Dark ink: the caption's own colour, or the shadow of a raised one.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int faceSum = GetRValue(face) + GetGValue(face) + GetBValue(face);
    drawn.lastInk = -1;
    for (int y = 0; y < drawn.height; ++y) {
        for (int x = drawn.captionLeft; x < drawn.clientWidth; ++x) {
            const DWORD pixel = drawn.pixels[static_cast<size_t>(y) * drawn.clientWidth + x];
            const int sum = static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
            if (sum < faceSum - 96)
                drawn.lastInk = std::max(drawn.lastInk, x - drawn.captionLeft);
        }
    }
    return drawn;
}

bool SaveRows(const std::vector<Drawn>& rows, const std::wstring& path)
{
    int width = 0, height = 0;
    for (const Drawn& row : rows) {
        width = std::max(width, row.clientWidth);
        height += row.height + 2;
    }
    std::vector<DWORD> sheet(static_cast<size_t>(width) * height, 0xFFFFFF);
    int top = 0;
    for (const Drawn& row : rows) {
        for (int y = 0; y < row.height; ++y) {
            for (int x = 0; x < row.clientWidth; ++x)
                sheet[static_cast<size_t>(top + y) * width + x] =
                    row.pixels[static_cast<size_t>(y) * row.clientWidth + x] | 0xFF000000;   // opaque
        }
        top += row.height + 2;
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(sheet.size() * sizeof(DWORD));
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out)
        return false;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info, sizeof(info), 1, out);
    fwrite(sheet.data(), sizeof(DWORD), sheet.size(), out);
    fclose(out);
    return true;
}

// Leaves the focus alone, so that no focus frame is drawn round a caption.
INT_PTR CALLBACK NoFocus(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        fwprintf(stderr, L"usage: disabled-caption OUTPUT_FOLDER\n");
        return 2;
    }
    HDC screen = GetDC(nullptr);
    printf("screen at %d dpi\n", GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    printf("%-28s %5s %9s %7s %6s %9s\n", "caption", "DLU", "state", "client", "text", "last ink");
    std::vector<Drawn> rows;
    int lost = 0;
    for (const wchar_t* caption : {L"&Security Print Password", L"&Security Print Password "}) {
        for (short width : {110, 130, 200}) {
            for (bool disabled : {false, true}) {
                const std::vector<WORD> bare = BareDialog(caption, width, disabled);
                HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                                         reinterpret_cast<const DLGTEMPLATE*>(bare.data()), nullptr,
                                                         NoFocus, 0);
                if (!dialog) {
                    fprintf(stderr, "disabled-caption: the bare dialog did not open\n");
                    return 1;
                }
                rows.push_back(Draw(GetDlgItem(dialog, kControl)));
                const Drawn& drawn = rows.back();
                        printf("\"%ls\"%*s %5d %9s %7d %6d %9d\n", caption, static_cast<int>(26 - wcslen(caption)), "", width,
                       disabled ? "disabled" : "enabled", drawn.clientWidth, drawn.textWidth, drawn.lastInk);
                DestroyWindow(dialog);
            }
        }
    }
    // Rows: without the space, then with it; per width enabled, then disabled.
    for (size_t i = 1; i < 6; i += 2) {
        if (rows[i].lastInk < rows[i + 6].lastInk)
            ++lost;
    }
    printf("widths at which the disabled caption lacks ink that it has with a trailing space: %d of 3\n", lost);
    const std::wstring path = std::wstring(argv[1]) + L"\\disabled-caption.bmp";
    if (!SaveRows(rows, path)) {
        fwprintf(stderr, L"disabled-caption: cannot write %ls\n", path.c_str());
        return 1;
    }
    return 0;
}
