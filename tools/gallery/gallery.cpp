// The gallery: opens every dialog template of the resource library the way
// the driver shows it (pages inside a property sheet, the About and User Size
// dialogs on their own), fills it with sample content and saves a picture of
// each screen as <id>-<name>.bmp.
//
//   gallery.exe RESOURCE_LIBRARY OUTPUT_FOLDER
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

HMODULE library = nullptr;

struct Screen {
    int id;
    const wchar_t* name;
    bool page;
    const wchar_t* sheetCaption;  // pages only
};

const Screen kScreens[] = {
    {IDD_PAPER_LAYOUT_V1, L"paper-layout-v1", true, L"Velofax Printer Printing Preferences"},
    {IDD_PAPER_LAYOUT, L"paper-layout", true, L"Velofax Printer Printing Preferences"},
    {IDD_HANDLING_V1, L"handling-v1", true, L"Velofax Printer Printing Preferences"},
    {IDD_HANDLING, L"handling", true, L"Velofax Printer Printing Preferences"},
    {IDD_QUALITY_V1, L"quality-v1", true, L"Velofax Printer Printing Preferences"},
    {IDD_QUALITY, L"quality", true, L"Velofax Printer Printing Preferences"},
    {IDD_FONTS_V1, L"fonts-v1", true, L"Velofax Printer Printing Preferences"},
    {IDD_FONTS, L"fonts", true, L"Velofax Printer Printing Preferences"},
    {IDD_DEVICE_OPTIONS_V1, L"device-options-v1", true, L"Velofax Printer Properties"},
    {IDD_DEVICE_OPTIONS, L"device-options", true, L"Velofax Printer Properties"},
    {IDD_FONT_SUBSTITUTION_V1, L"font-substitution-v1", true, L"Velofax Printer Properties"},
    {IDD_FONT_SUBSTITUTION, L"font-substitution", true, L"Velofax Printer Properties"},
    {IDD_ABOUT_V1, L"about-v1", false, nullptr},
    {IDD_ABOUT, L"about", false, nullptr},
    {IDD_USER_SIZE_V1, L"user-size-v1", false, nullptr},
    {IDD_USER_SIZE, L"user-size", false, nullptr},
};

std::wstring Text(UINT id)
{
    WCHAR buffer[256] = L"";
    LoadStringW(library, id, buffer, 256);
    return buffer;
}

void SetPicture(HWND dialog, int control, int icon)
{
    SendDlgItemMessageW(dialog, control, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconW(library, MAKEINTRESOURCEW(icon))), 0);
}

void FillList(HWND dialog, int control, const std::vector<std::wstring>& items, int selected)
{
    for (const std::wstring& item : items)
        SendDlgItemMessageW(dialog, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendDlgItemMessageW(dialog, control, CB_SETCURSEL, selected, 0);
}

void SetNumber(HWND dialog, int upDown, int low, int high, int value)
{
    SendDlgItemMessageW(dialog, upDown, UDM_SETRANGE32, low, high);
    SendDlgItemMessageW(dialog, upDown, UDM_SETPOS32, 0, value);
}

void Check(HWND dialog, int control)
{
    CheckDlgButton(dialog, control, BST_CHECKED);
}

void Enable(HWND dialog, std::initializer_list<int> controls, bool enable)
{
    for (int control : controls) {
        if (HWND window = GetDlgItem(dialog, control))
            EnableWindow(window, enable);
    }
}

void FillPaperLayout(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_LAYOUT_PAPER_LIST);
    struct Paper {
        int name;
        int icon;
    } papers[] = {
        {IDS_PAPER_A3, IDI_PAPER_A3}, {IDS_PAPER_B4, IDI_PAPER_B4}, {IDS_PAPER_A4, IDI_PAPER_A4},
        {IDS_PAPER_B5, IDI_PAPER_B5}, {IDS_PAPER_A5, IDI_PAPER_A5}, {IDS_PAPER_LETTER, IDI_PAPER_LETTER},
        {IDS_PAPER_LEGAL, IDI_PAPER_LEGAL}, {IDS_PAPER_POSTCARD, IDI_PAPER_POSTCARD},
        {IDS_PAPER_USER, IDI_PAPER_USER},
    };
    HIMAGELIST images = ImageList_Create(32, 32, ILC_COLOR4 | ILC_MASK, 10, 1);
    for (const Paper& paper : papers)
        ImageList_AddIcon(images, LoadIconW(library, MAKEINTRESOURCEW(paper.icon)));
    ListView_SetImageList(list, images, LVSIL_NORMAL);
    for (int i = 0; i < static_cast<int>(std::size(papers)); ++i) {
        std::wstring name = Text(papers[i].name);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = name.data();
        item.iImage = i;
        ListView_InsertItem(list, &item);
    }
    ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetDlgItemTextW(dialog, IDC_LAYOUT_PAPER_TEXT, L"< A4 : 210.0 x 297.0 mm >");

    FillList(dialog, IDC_LAYOUT_SOURCE_LIST,
             {Text(IDS_BIN_AUTO), Text(IDS_BIN_BYPASS), Text(IDS_BIN_TRAY1), Text(IDS_BIN_TRAY2)}, 0);
    Check(dialog, IDC_LAYOUT_PORTRAIT);
    SetPicture(dialog, IDC_LAYOUT_ORIENT_ICON, IDI_ORIENT_PORTRAIT);
    SetNumber(dialog, IDC_LAYOUT_COPIES_UPDOWN, 1, 999, 1);
    Check(dialog, IDC_LAYOUT_COPIES_PRINTER);
    SetNumber(dialog, IDC_LAYOUT_ZOOM_UPDOWN, 25, 400, 100);
    const std::wstring arrow = Text(IDS_PAPER_A4) + Text(IDS_MAGNIFY_ARROW);
    FillList(dialog, IDC_LAYOUT_MAGNIFY_LIST,
             {Text(IDS_MAGNIFY_NONE), arrow + Text(IDS_PAPER_A3), arrow + Text(IDS_PAPER_B5)}, 0);
    Check(dialog, IDC_LAYOUT_NUP_1IN1);
    SetPicture(dialog, IDC_LAYOUT_NUP_ICON, IDI_NUP1_PORTRAIT);
    WCHAR pattern[32];
    swprintf(pattern, 32, Text(IDS_PATTERN_FORMAT).c_str(), 1);
    FillList(dialog, IDC_LAYOUT_POSITION_LIST, {pattern}, 0);
    FillList(dialog, IDC_LAYOUT_TARGET_LIST, {Text(IDS_PAPER_A4), Text(IDS_PAPER_A3)}, 0);
    // One in one: the page offers no position and no target paper.
    Enable(dialog, {IDC_LAYOUT_POSITION_LABEL, IDC_LAYOUT_POSITION_LIST, IDC_LAYOUT_TARGET_LABEL,
                    IDC_LAYOUT_TARGET_LIST}, false);
}

void FillHandling(HWND dialog)
{
    Check(dialog, IDC_HANDLING_STACK);
    SetPicture(dialog, IDC_HANDLING_SORTER_ICON, IDI_SORTER_STACK);
    Check(dialog, IDC_HANDLING_ORDER_NORMAL);
    SetPicture(dialog, IDC_HANDLING_ORDER_ICON, IDI_ORDER_REVERSE);
    SetPicture(dialog, IDC_HANDLING_ROTATE_ICON, IDI_ROTATE);
    SetPicture(dialog, IDC_HANDLING_SHIFT_ICON, IDI_SHIFT);
    Check(dialog, IDC_HANDLING_DUPLEX);
    Check(dialog, IDC_HANDLING_LONG_EDGE);
    SetPicture(dialog, IDC_HANDLING_FLIP_ICON, IDI_FLIP_LONG_PORTRAIT);
    Check(dialog, IDC_HANDLING_MARGIN_NO);
    SetPicture(dialog, IDC_HANDLING_MARGIN_ICON, IDI_MARGIN_OFF);
    FillList(dialog, IDC_HANDLING_OUTBIN_LIST,
             {Text(IDS_OUTBIN_AUTO), Text(IDS_OUTBIN_INNER1), Text(IDS_OUTBIN_INNER2), Text(IDS_OUTBIN_FINISHER)}, 3);
    FillList(dialog, IDC_HANDLING_STAPLE_LIST, {Text(IDS_STAPLE_OFF), Text(IDS_STAPLE_ON)}, 0);
    WCHAR image[32];
    swprintf(image, 32, Text(IDS_OVERLAY_IMAGE_FORMAT).c_str(), 1);
    FillList(dialog, IDC_HANDLING_OVERLAY_LIST, {Text(IDS_OVERLAY_NONE), image}, 0);
    Check(dialog, IDC_HANDLING_SECURE_OFF);
}

void FillQuality(HWND dialog)
{
    // The page shows these frames for the models that offer their choices.
    for (int frame : {IDC_QUALITY_SMOOTH_GROUP, IDC_QUALITY_TONER_GROUP}) {
        if (HWND window = GetDlgItem(dialog, frame))
            ShowWindow(window, SW_SHOW);
    }
    Check(dialog, IDC_QUALITY_RES_600);
    Check(dialog, IDC_QUALITY_SMOOTH_ON);
    Check(dialog, IDC_QUALITY_TONER_OFF);
    Check(dialog, IDC_QUALITY_TEXT_BLACK);
}

void FillFonts(HWND dialog)
{
    Check(dialog, IDC_FONTS_USE_PRINTER);
}

void FillDeviceOptions(HWND dialog)
{
    SetNumber(dialog, IDC_OPTIONS_TRAYS_UPDOWN, 1, 4, 2);
    FillList(dialog, IDC_OPTIONS_MEMORY_LIST,
             {Text(IDS_MEMORY_NONE), Text(IDS_MEMORY_2MB), Text(IDS_MEMORY_4MB), Text(IDS_MEMORY_6MB),
              Text(IDS_MEMORY_8MB), Text(IDS_MEMORY_10MB)}, 2);
    Check(dialog, IDC_OPTIONS_SECURE_CHECK);
    SetDlgItemTextW(dialog, IDC_OPTIONS_PASSWORD, L"1234");
    Check(dialog, IDC_OPTIONS_DUPLEX_UNIT);
    Check(dialog, IDC_OPTIONS_INNER_TRAY);
    Check(dialog, IDC_OPTIONS_FINISHER);
    Enable(dialog, {IDC_OPTIONS_OUTER_TRAY}, false);
}

void FillFontSubstitution(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_FONTSUBS_TABLE);
    RECT client;
    GetClientRect(list, &client);
    const int width = client.right - GetSystemMetrics(SM_CYHSCROLL);
    std::wstring columns[2] = {Text(IDS_COLUMN_TRUETYPE_FONTS), Text(IDS_COLUMN_PRINTER_FONTS)};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = i == 0 ? width / 2 : width - width / 2;
        column.pszText = columns[i].data();
        ListView_InsertColumn(list, i, &column);
    }
    const std::wstring download = Text(IDS_DOWNLOAD_TRUETYPE);
    const wchar_t* rows[][2] = {
        {L"Arial", L"Sans"}, {L"Courier New", L"Courier"}, {L"Symbol", download.c_str()},
        {L"Times New Roman", L"Roman"}, {L"Wingdings", download.c_str()},
    };
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(rows[i][0]);
        const int index = ListView_InsertItem(list, &item);
        ListView_SetItemText(list, index, 1, const_cast<wchar_t*>(rows[i][1]));
    }
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetDlgItemTextW(dialog, IDC_FONTSUBS_FACE, L"Arial");
    FillList(dialog, IDC_FONTSUBS_LIST, {download, L"Courier", L"Roman", L"Sans"}, 3);
}

void FillAbout(HWND dialog)
{
    SetWindowTextW(dialog, Text(IDS_ABOUT_CAPTION).c_str());
    SetDlgItemTextW(dialog, IDC_ABOUT_TITLE, Text(IDS_PRODUCT_TITLE).c_str());
    std::wstring notice;
    for (int id = IDS_NOTICE_LINE1; id <= IDS_ALL_RIGHTS_RESERVED; ++id)
        notice += (notice.empty() ? L"" : L"\n") + Text(id);
    SetDlgItemTextW(dialog, IDC_ABOUT_NOTICE, notice.c_str());
    const wchar_t* directory = L"C:\\windows\\system32\\spool\\drivers\\x64\\3\\";
    const wchar_t* files[][2] = {
        {L"MARTENUI.dll", L"4.11"}, {L"Kol6gi.dll", L"4.11"}, {L"Kol6umpd.dll", L"4.11"},
        {L"Kol6g.hlp", nullptr}, {L"Kolb6v2.ini", nullptr},
    };
    for (const auto& file : files) {
        std::wstring row = std::wstring(directory) + file[0];
        if (file[1])
            row += std::wstring(L" : ") + file[1];
        SendDlgItemMessageW(dialog, IDC_ABOUT_FILES, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(row.c_str()));
    }
    SetDlgItemTextW(dialog, IDC_ABOUT_RELEASE, Text(IDS_RELEASE_DATE_V1).c_str());
}

void FillUserSize(HWND dialog)
{
    WCHAR range[64];
    swprintf(range, 64, Text(IDS_RANGE_FORMAT).c_str(), 1000, 2970);
    SetDlgItemTextW(dialog, IDC_USERSIZE_WIDTH_RANGE, range);
    swprintf(range, 64, Text(IDS_RANGE_FORMAT).c_str(), 1480, 4200);
    SetDlgItemTextW(dialog, IDC_USERSIZE_HEIGHT_RANGE, range);
    SetNumber(dialog, IDC_USERSIZE_WIDTH_UPDOWN, 1000, 2970, 2100);
    SetNumber(dialog, IDC_USERSIZE_HEIGHT_UPDOWN, 1480, 4200, 2970);
    Check(dialog, IDC_USERSIZE_MM);
}

void Fill(HWND dialog, int id)
{
    switch (id) {
    case IDD_PAPER_LAYOUT_V1: case IDD_PAPER_LAYOUT: FillPaperLayout(dialog); break;
    case IDD_HANDLING_V1: case IDD_HANDLING: FillHandling(dialog); break;
    case IDD_QUALITY_V1: case IDD_QUALITY: FillQuality(dialog); break;
    case IDD_FONTS_V1: case IDD_FONTS: FillFonts(dialog); break;
    case IDD_DEVICE_OPTIONS_V1: case IDD_DEVICE_OPTIONS: FillDeviceOptions(dialog); break;
    case IDD_FONT_SUBSTITUTION_V1: case IDD_FONT_SUBSTITUTION: FillFontSubstitution(dialog); break;
    case IDD_ABOUT_V1: case IDD_ABOUT: FillAbout(dialog); break;
    case IDD_USER_SIZE_V1: case IDD_USER_SIZE: FillUserSize(dialog); break;
    }
}

INT_PTR CALLBACK PageProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        Fill(dialog, static_cast<int>(page->lParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        Fill(dialog, static_cast<int>(lParam));
        return TRUE;
    }
    return FALSE;
}

// Lets the windows paint for a while.
void Settle(int milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

// Copies the window as it appears on the screen into a 24-bit bitmap file.
bool SaveWindow(HWND window, const std::wstring& path)
{
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out)
        return false;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info, sizeof(info), 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    fclose(out);
    return true;
}

HWND Open(const Screen& screen)
{
    if (!screen.page) {
        return CreateDialogParamW(library, MAKEINTRESOURCEW(screen.id), nullptr, DialogProc, screen.id);
    }
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_HASHELP;
    page.hInstance = library;
    page.pszTemplate = MAKEINTRESOURCEW(screen.id);
    page.pfnDlgProc = PageProc;
    page.lParam = screen.id;
    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_HASHELP;
    sheet.hInstance = library;
    sheet.pszCaption = screen.sheetCaption;
    sheet.nPages = 1;
    sheet.ppsp = &page;
    return reinterpret_cast<HWND>(PropertySheetW(&sheet));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        fwprintf(stderr, L"usage: gallery RESOURCE_LIBRARY OUTPUT_FOLDER\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    library = LoadLibraryW(argv[1]);
    if (!library) {
        fwprintf(stderr, L"gallery: cannot load %ls\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const Screen& screen : kScreens) {
        HWND window = Open(screen);
        if (!window) {
            fwprintf(stderr, L"gallery: template %d did not open\n", screen.id);
            ++failures;
            continue;
        }
        SetWindowPos(window, HWND_TOPMOST, 16, 16, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Settle(400);
        const std::wstring path = std::wstring(argv[2]) + L"\\" + std::to_wstring(screen.id) + L"-" + screen.name + L".bmp";
        if (!SaveWindow(window, path)) {
            fwprintf(stderr, L"gallery: cannot write %ls\n", path.c_str());
            ++failures;
        }
        DestroyWindow(window);
        Settle(100);
    }
    return failures ? 1 : 0;
}
