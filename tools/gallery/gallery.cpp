// The gallery: a picture of every screen of the driver, saved as
// <name>.bmp. The Printing Preferences pages, User Size, About and the
// printer's own pages come from an installed printer of each driver
// variant, opened through the platform as an application or the printer
// folder opens them and filled by the driver itself; every template of the
// printer's own pages and of User Size is also opened alone with sample
// content (<id>-<name>.bmp).
//
//   gallery.exe DRIVER_FILES_FOLDER OUTPUT_FOLDER
#include <windows.h>
#include <winspool.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver_install.h"
#include "preferences_sheet.h"
#include "printer_properties_sheet.h"
#include "resources/resource_ids.h"
#include "window_picture.h"

namespace {

HMODULE library = nullptr;

struct Screen {
    int id;
    const wchar_t* name;
    bool page;
    const wchar_t* sheetCaption;  // pages only
};

// The templates opened alone, with sample content.
const Screen kScreens[] = {
    {IDD_DEVICE_OPTIONS_V1, L"device-options-v1", true, L"Velofax Printer Properties"},
    {IDD_DEVICE_OPTIONS, L"device-options", true, L"Velofax Printer Properties"},
    {IDD_FONT_SUBSTITUTION_V1, L"font-substitution-v1", true, L"Velofax Printer Properties"},
    {IDD_FONT_SUBSTITUTION, L"font-substitution", true, L"Velofax Printer Properties"},
    {IDD_USER_SIZE_V1, L"user-size-v1", false, nullptr},
    {IDD_USER_SIZE, L"user-size", false, nullptr},
};

std::wstring Text(UINT id)
{
    WCHAR buffer[256] = L"";
    LoadStringW(library, id, buffer, 256);
    return buffer;
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
    case IDD_DEVICE_OPTIONS_V1: case IDD_DEVICE_OPTIONS: FillDeviceOptions(dialog); break;
    case IDD_FONT_SUBSTITUTION_V1: case IDD_FONT_SUBSTITUTION: FillFontSubstitution(dialog); break;
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


// The Printing Preferences pages, User Size (where the model offers the
// "User" paper), About and the printer's own pages of a printer of
// `variant`, as the driver fills them: v<variant>-<page>.bmp.
int PictureDriverScreens(const std::wstring& filesDir, const std::wstring& outDir, int variant)
{
    DriverPackage package;
    package.name = L"Velofax Gallery Driver V" + std::to_wstring(variant);
    package.profilePath = filesDir + L"\\Kolb6v" + std::to_wstring(variant) + L".ini";
    const std::wstring printerName = L"Velofax Gallery " + std::to_wstring(variant);
    std::wstring error;
    HANDLE printer = InstallDriverPackage(package, filesDir, &error) ? AddPrinterForDriver(printerName, package.name, &error)
                                                                      : nullptr;
    if (!printer) {
        fwprintf(stderr, L"gallery: %ls\n", error.c_str());
        return 1;
    }
    // Initialised as the spooler does, so that the printer caches its profile.
    using PrinterEvent = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    HMODULE driver = nullptr;
    if (needed && GetPrinterDriverW(printer, nullptr, 3, info.data(), needed, &needed))
        driver = LoadLibraryW(reinterpret_cast<DRIVER_INFO_3W*>(info.data())->pConfigFile);
    auto event = driver ? reinterpret_cast<PrinterEvent>(reinterpret_cast<void*>(GetProcAddress(driver, "DrvPrinterEvent")))
                        : nullptr;
    if (event)
        event(const_cast<LPWSTR>(printerName.c_str()), 3 /* PRINTER_EVENT_INITIALIZE */, 0, 0);

    std::vector<BYTE> settings(8192);
    DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(printerName.c_str()),
                        reinterpret_cast<DEVMODEW*>(settings.data()), nullptr, DM_OUT_BUFFER);
    const SheetPictureRun run = OpenPreferencesSheet(printer, printerName, reinterpret_cast<DEVMODEW*>(settings.data()),
                                                     false, outDir, L"v" + std::to_wstring(variant),
                                                     kPictureAbout | kPictureUserSize);
    const SheetPictureRun device =
        OpenPrinterPropertiesSheet(driver, printer, printerName, outDir, L"v" + std::to_wstring(variant) + L"-printer");
    DeletePrinter(printer);
    ClosePrinter(printer);
    if (driver)
        FreeLibrary(driver);
    int failures = 0;
    if (run.files.size() != 5u + run.userPaperOffered) {
        fwprintf(stderr, L"gallery: the variant %d printer showed %d of its four pages, About%ls\n", variant,
                 static_cast<int>(run.files.size()), run.userPaperOffered ? L" and User Size" : L"");
        ++failures;
    }
    if (device.files.size() != 2) {
        fwprintf(stderr, L"gallery: the variant %d printer's own sheet showed %d of its two pages\n", variant,
                 static_cast<int>(device.files.size()));
        ++failures;
    }
    return failures;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        fwprintf(stderr, L"usage: gallery DRIVER_FILES_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring filesDir = argv[1];
    const std::wstring libraryPath = filesDir + L"\\Kol6gi1.dll";
    int failures = 0;
    for (int variant = 1; variant <= 3; ++variant)
        failures += PictureDriverScreens(filesDir, argv[2], variant);

    library = LoadLibraryW(libraryPath.c_str());
    if (!library) {
        fwprintf(stderr, L"gallery: cannot load %ls\n", libraryPath.c_str());
        return 1;
    }
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
        if (!SaveWindowPicture(window, path)) {
            fwprintf(stderr, L"gallery: cannot write %ls\n", path.c_str());
            ++failures;
        }
        DestroyWindow(window);
        Settle(100);
    }
    return failures ? 1 : 0;
}
