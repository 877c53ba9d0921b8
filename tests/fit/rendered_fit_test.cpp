// Every caption of the driver's pages and dialogs as the user's screen shows
// them: the sheets opened through the driver's own entries on a printer of
// each sample model, User Size and About opened from their pages. Each
// caption, measured in the control's own font with the flags its kind draws
// with, must fit the room its control leaves the text. CTest runs this at 96
// and at 144 dots per inch.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sheet/sheet_state.h"
#include "platform/driver_interface.h"
#include "support/installed_driver.h"
#include "support/modal_script.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"
#include "support/window_facts.h"
#include "../resources/resource_ids.h"

namespace {

// The caption's size as the control draws it: in its own font, with the
// DrawText flags of its kind, wrapped (when it wraps) at `wrapWidth`.
SIZE Measure(HWND control, const std::wstring& text, UINT flags, int wrapWidth)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect = {0, 0, wrapWidth, 0};
    DrawTextW(dc, text.c_str(), -1, &rect, flags | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Half the width of "0" in the control's font: the gap the check box and
// radio button leave between their box and their caption.
int BoxGap(HWND control)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    INT zero = 0;
    GetCharWidth32W(dc, L'0', L'0', &zero);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return zero / 2;
}

// The last column, counted from the caption's left, that the caption's ink
// reaches when drawn in one colour. The platform draws the caption of a
// disabled button so: into a one-bit picture exactly as wide as the caption
// measures, raised; whatever reaches past that width is lost.
int MonochromeInkRight(HWND control, const std::wstring& text, UINT flags, SIZE size)
{
    const int margin = 16;
    const int width = size.cx + 2 * margin;
    const int height = size.cy;
    HDC screen = GetDC(control);
    HDC mono = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ oldBitmap = SelectObject(mono, bitmap);
    HGDIOBJ oldFont = SelectObject(mono, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT all = {0, 0, width, height};
    FillRect(mono, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(mono, RGB(0, 0, 0));
    SetBkMode(mono, TRANSPARENT);
    RECT place = {margin, 0, margin + size.cx, height};
    DrawTextW(mono, text.c_str(), -1, &place, flags | DT_NOCLIP);
    SelectObject(mono, oldFont);
    SelectObject(mono, oldBitmap);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    GetDIBits(mono, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(mono);
    ReleaseDC(control, screen);
    int right = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) == 0 && x - margin > right)
                right = x - margin;
        }
    }
    return right;
}

struct Room {
    bool measured = false;
    bool raised = false;  // drawn raised when disabled
    UINT flags = 0;       // DrawText flags of the control's kind
    int width = 0;        // what the caption may take
    int height = 0;
};

// The room a control's kind leaves its caption inside its client area, as
// the platform's buttons and labels lay them out.
Room RoomOf(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const std::wstring name = ClassOf(control);
    Room room;
    room.width = client.right;
    room.height = client.bottom;
    if (name == L"Static") {
        const DWORD type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT)
            return room;
        room.flags = DT_WORDBREAK | DT_EXPANDTABS | (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
        room.measured = true;
        return room;
    }
    if (name != L"Button")
        return room;
    room.measured = true;
    room.raised = true;
    room.flags = style & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
    case BS_3STATE: case BS_AUTO3STATE:
        // The box, the gap and the caption's one-pixel margin; a disabled
        // caption is drawn raised, its light copy one pixel right of the
        // dark one, and any of these may be disabled.
        room.width -= GetSystemMetrics(SM_CXMENUCHECK) + BoxGap(control) + 1 + 1;
        break;
    case BS_GROUPBOX:
        room.width -= 2 * (7 + 1);   // the frame's inset and the caption's margin on each side
        break;
    case BS_DEFPUSHBUTTON:
        room.width -= 2 * (1 + 2 + 1);   // the default frame, the edge and the margin
        room.height -= 2 * (1 + 2 + 1);
        break;
    default:
        room.width -= 2 * (2 + 1);
        room.height -= 2 * (2 + 1);
        break;
    }
    return room;
}

// The captions of `dialog`'s controls that do not fit, shown or not (the
// pages show and hide some of them as choices change), described.
std::vector<std::string> CaptionFaults(HWND dialog, const std::string& where)
{
    if (!dialog)
        return {where + " did not open"};
    std::vector<std::string> faults;
    int captions = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(control);
        const Room room = RoomOf(control);
        if (text.empty() || !room.measured)
            continue;
        ++captions;
        const SIZE size = Measure(control, text, room.flags, room.width);
        const std::string what = where + ": control " + std::to_string(static_cast<short>(GetDlgCtrlID(control))) +
                                 " \"" + Narrow(text) + "\"";
        if (size.cx > room.width)
            faults.push_back(what + " is cut: its text is " + std::to_string(size.cx) +
                             " px wide, the control leaves it " + std::to_string(room.width) + " px");
        const int ink = room.raised ? MonochromeInkRight(control, text, room.flags, size) : 0;
        if (ink >= size.cx)
            faults.push_back(what + " is cut when disabled: its ink reaches column " + std::to_string(ink) +
                             ", the platform keeps columns 0 to " + std::to_string(size.cx - 1));
        if (size.cy > room.height)
            faults.push_back(what + " loses lines: its text is " + std::to_string(size.cy) +
                             " px high, the control leaves it " + std::to_string(room.height) + " px");
    }
    if (!captions)
        faults.push_back(where + " has no caption");
    return faults;
}

void ExpectCaptionsFit(HWND dialog, const std::string& where)
{
    for (const std::string& fault : CaptionFaults(dialog, where))
        ADD_FAILURE() << fault;
}

std::string Dpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return std::to_string(dpi) + " dpi";
}

// One printer of each sample model, installed once for the whole program.
BenchPrinter& PrinterOf(int variant)
{
    static std::unique_ptr<BenchPrinter> printers[4];
    if (!printers[variant])
        printers[variant] = std::make_unique<BenchPrinter>(SampleDriver(variant), L"Fit");
    return *printers[variant];
}

class RenderedFit : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        printer = &PrinterOf(GetParam());
        driver = std::make_unique<InstalledDriver>(printer->handle());
        where = "variant " + std::to_string(GetParam()) + " at " + Dpi();
    }

    BenchPrinter* printer = nullptr;
    std::unique_ptr<InstalledDriver> driver;
    std::string where;
};

}  // namespace

TEST_P(RenderedFit, TheDocumentSheetPagesUserSizeAndAbout)
{
    std::vector<BYTE> output(kSettingsBytes, 0);
    DOCUMENTPROPERTYHEADER header = {sizeof(header), 0, printer->handle(), const_cast<WCHAR*>(printer->name().c_str()),
                                     nullptr, reinterpret_cast<DEVMODEW*>(output.data()), kSettingsBytes,
                                     DM_IN_PROMPT | DM_OUT_BUFFER};
    SheetHost host(*driver);
    ASSERT_EQ(1, host.Open(&header));
    for (int page = 0; page < host.pageCount(); ++page)
        ExpectCaptionsFit(host.ShowPage(page), where + ", page " + Narrow(host.pageTitle(page)));

    // User Size, where the model offers the "User" paper: activated in the list.
    HWND list = host.Control(kPagePaperLayout, IDC_LAYOUT_PAPER_LIST);
    const int last = ListView_GetItemCount(list) - 1;
    WCHAR name[32] = L"";
    ListView_GetItemText(list, last, 0, name, 32);
    if (lstrcmpW(name, L"User") == 0) {
        host.SelectItem(kPagePaperLayout, IDC_LAYOUT_PAPER_LIST, last);
        ModalScript script(list, [&](HWND dialog) {
            ExpectCaptionsFit(dialog, where + ", User Size");
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
        host.Pump();
        EXPECT_EQ(1, script.runs()) << where << ": User Size did not open";
    }

    // About, from the button every page carries. The dialog lives on the
    // sheet's thread, which waits in its modal loop while it is read here.
    std::vector<std::string> faults;
    host.ClickIntoDialog(kPagePaperLayout, IDC_ABOUT_BUTTON, [&](HWND dialog) {
        faults = CaptionFaults(dialog, where + ", About");
        PostMessageW(GetDlgItem(dialog, IDC_ABOUT_OK), BM_CLICK, 0, 0);
    });
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
    host.Press(PSBTN_CANCEL);
}

TEST_P(RenderedFit, ThePrintersOwnSheetPages)
{
    DEVICEPROPERTYHEADER header = {sizeof(header), 0, printer->handle(), const_cast<WCHAR*>(printer->name().c_str())};
    SheetHost host(*driver, "DrvDevicePropertySheets");
    ASSERT_EQ(1, host.Open(&header));
    ASSERT_EQ(2, host.pageCount()) << where;
    for (int page = 0; page < host.pageCount(); ++page)
        ExpectCaptionsFit(host.ShowPage(page), where + ", printer's page " + Narrow(host.pageTitle(page)));
    host.Press(PSBTN_CANCEL);
}

INSTANTIATE_TEST_SUITE_P(EachSampleModel, RenderedFit, ::testing::Values(1, 2, 3));
