#include "devsheet/font_substitution_page.h"

#include <commctrl.h>
#include <winspool.h>

#include "platform/dialog_controls.h"
#include "sheet/control_lists.h"
#include "sheet/page_skeleton.h"
#include "sheet/page_warning.h"
#include "sheet/sheet_model.h"
#include "platform/holders.h"
#include "platform/resource_library.h"
#include "printer/font_substitution.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kColumnFace = 0;
constexpr int kColumnSubstitute = 1;
// Room a row's text is read back with, terminator included.
constexpr int kRowTextChars = kFontNameChars + 1;
constexpr int kCaptionChars = 63;
constexpr int kQuestionChars = 255;

// One list row read back.
struct RowTexts {
    WCHAR face[kRowTextChars];
    WCHAR substitute[kRowTextChars];
};

const int kWholePage[] = {IDC_FONTSUBS_TABLE, IDC_FONTSUBS_LABEL, IDC_FONTSUBS_FACE,
                          IDC_FONTSUBS_LIST,  IDC_RESTORE_DEFAULTS, IDC_ABOUT_BUTTON};

// Face names are compared ordinally: the user's collation may call names
// equal that differ in ignorable characters.
bool SameNameIgnoringCase(const WCHAR* a, const WCHAR* b)
{
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

void DownloadText(WCHAR (&text)[kRowTextChars])
{
    text[0] = 0;
    LoadResourceString(IDS_DOWNLOAD_TRUETYPE, text, kRowTextChars);
}

void RowText(HWND list, int row, int column, WCHAR (&text)[kRowTextChars])
{
    text[0] = 0;
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = kRowTextChars;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void SetRowText(HWND list, int row, int column, const WCHAR* text)
{
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<WCHAR*>(text);
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

bool Listed(HWND list, const WCHAR* face)
{
    const int rows = RowCount(list);
    for (int row = 0; row < rows; ++row) {
        WCHAR text[kRowTextChars];
        RowText(list, row, kColumnFace, text);
        if (SameNameIgnoringCase(text, face))
            return true;
    }
    return false;
}

void AddColumns(HWND list)
{
    RECT client = {};
    GetClientRect(list, &client);
    const int width = client.right - client.left - GetSystemMetrics(SM_CYHSCROLL);
    const UINT titles[] = {IDS_COLUMN_TRUETYPE_FONTS, IDS_COLUMN_PRINTER_FONTS};
    const int widths[] = {width / 2, width - width / 2};
    for (int i = 0; i < 2; ++i) {
        WCHAR title[kRowTextChars] = L"";
        LoadResourceString(titles[i], title, kRowTextChars);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths[i];
        column.pszText = title;
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

int CALLBACK AddTrueTypeFamily(const LOGFONTW* font, const TEXTMETRICW* /*metrics*/, DWORD type, LPARAM context)
{
    HWND list = reinterpret_cast<HWND>(context);
    if ((type & TRUETYPE_FONTTYPE) && !Listed(list, font->lfFaceName)) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = RowCount(list);
        item.pszText = const_cast<WCHAR*>(font->lfFaceName);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    return 1;
}

void ListTrueTypeFamilies(HWND list)
{
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    if (!dc)
        return;
    EnumFontFamiliesW(dc, nullptr, AddTrueTypeFamily, reinterpret_cast<LPARAM>(list));
    ReleaseDC(desktop, dc);
}

// "Download TrueType Fonts", then each resident family once.
void FillSubstituteList(HWND page)
{
    HWND combo = DialogControl(page, IDC_FONTSUBS_LIST);
    if (!combo)
        return;
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    WCHAR download[kRowTextChars];
    DownloadText(download);
    const LRESULT first = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(download));
    SendMessageW(combo, CB_SETITEMDATA, first, -1);
    for (int i = 0; i < kResidentFontCount; ++i) {
        bool seen = false;
        for (int j = 0; j < i && !seen; ++j)
            seen = SameNameIgnoringCase(kResidentFonts[j].family, kResidentFonts[i].family);
        if (seen)
            continue;
        const LRESULT item =
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kResidentFonts[i].family));
        SendMessageW(combo, CB_SETITEMDATA, item, -1);
    }
}

// Column 1 of every row from `table`, or from the default table when
// `table` is empty; without either the column is left as it is.
void ShowTable(HWND list, const HeapBlock& stored)
{
    HeapBlock fallback;
    if (!stored)
        fallback = LoadDefaultFontSubs();
    const HeapBlock& table = stored ? stored : fallback;
    if (!table)
        return;
    WCHAR download[kRowTextChars];
    DownloadText(download);
    const int rows = RowCount(list);
    for (int row = 0; row < rows; ++row) {
        WCHAR face[kRowTextChars];
        RowText(list, row, kColumnFace, face);
        const WCHAR* substitute =
            FindSubstitute(table.as<WCHAR>(), static_cast<DWORD>(table.size()), face);
        // The stored name may run long: the row holds what fits.
        WCHAR shown[kRowTextChars];
        const WCHAR* source = (substitute && *substitute) ? substitute : download;
        int i = 0;
        for (; i < kFontNameChars && source[i]; ++i)
            shown[i] = source[i];
        shown[i] = 0;
        SetRowText(list, row, kColumnSubstitute, shown);
    }
}

void SelectRow(HWND list, int row)
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// Label 1002 and list 1003 follow the row: its face, and the first
// substitute that begins with the row's (none when nothing does).
void ShowRow(HWND page, int row)
{
    HWND list = DialogControl(page, IDC_FONTSUBS_TABLE);
    WCHAR face[kRowTextChars];
    WCHAR substitute[kRowTextChars];
    RowText(list, row, kColumnFace, face);
    RowText(list, row, kColumnSubstitute, substitute);
    SetDlgItemTextW(page, IDC_FONTSUBS_FACE, face);
    const LRESULT found =
        SendControlMessage(page, IDC_FONTSUBS_LIST, CB_FINDSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(substitute));
    SendControlMessage(page, IDC_FONTSUBS_LIST, CB_SETCURSEL, found, 0);
}

void Initialize(HWND page, SheetState* state)
{
    HWND list = DialogControl(page, IDC_FONTSUBS_TABLE);
    if (list && RowCount(list) == 0) {
        AddColumns(list);
        ListTrueTypeFamilies(list);
        FillSubstituteList(page);
        ShowTable(list, SheetFactsOf(state).fontSubs);
        SelectRow(list, 0);
    }
    if (!state->canChange)
        EnableControls(page, kWholePage, FALSE);
}

// A stored table that could not be read is told once, when the page shows.
void Activate(HWND page, SheetState* state)
{
    SheetFacts& facts = MutableSheetFactsOf(state);
    TellFailureOnce(page, IDS_FONT_SUBS_READ_FAILED, facts.fontSubsFailure, &facts.fontSubsFailureTold);
}

void RestoreDefaults(HWND page, SheetState* state)
{
    HWND list = DialogControl(page, IDC_FONTSUBS_TABLE);
    WCHAR question[kQuestionChars + 1] = L"";
    WCHAR caption[kCaptionChars + 1] = L"";
    LoadResourceString(IDS_CONFIRM_CLEAR_FONT_SUBS, question, kQuestionChars + 1);
    LoadResourceString(IDS_WARNING, caption, kCaptionChars + 1);
    if (MessageBoxW(page, question, caption, MB_YESNO | MB_ICONWARNING) == IDYES && list) {
        MutableSheetFactsOf(state).fontSubsEdited = true;
        ShowTable(list, HeapBlock());
        SelectRow(list, 0);
        if (RowCount(list) > 0)
            ShowRow(page, 0);
    }
    SetFocus(list);
}

void Command(HWND page, SheetState* state, int control, int code)
{
    if (control == IDC_RESTORE_DEFAULTS) {
        RestoreDefaults(page, state);
        return;
    }
    if (control != IDC_FONTSUBS_LIST)
        return;
    HWND combo = DialogControl(page, IDC_FONTSUBS_LIST);
    const LRESULT choice = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (choice < 0 || SendMessageW(combo, CB_GETLBTEXTLEN, choice, 0) > kFontNameChars)
        return;
    WCHAR text[kRowTextChars] = L"";
    SendMessageW(combo, CB_GETLBTEXT, choice, reinterpret_cast<LPARAM>(text));
    HWND list = DialogControl(page, IDC_FONTSUBS_TABLE);
    const int row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return;
    SetRowText(list, row, kColumnSubstitute, text);
    if (code == CBN_SELCHANGE)
        MutableSheetFactsOf(state).fontSubsEdited = true;
}

// The rows top to bottom in stored form. A table that cannot be built or
// stored is told, and the sheet stays open with the user's choices.
bool Apply(HWND page, SheetState* state)
{
    HWND list = DialogControl(page, IDC_FONTSUBS_TABLE);
    if (!list || !state->canChange || !state->printer)
        return true;
    // A table that could not be read is not replaced by defaults the user
    // never chose.
    if (SheetFactsOf(state).fontSubsFailure && !SheetFactsOf(state).fontSubsEdited)
        return true;
    const int count = RowCount(list);
    HeapBlock texts(static_cast<SIZE_T>(count) * sizeof(RowTexts));
    HeapBlock rows(static_cast<SIZE_T>(count) * sizeof(FontSubstitutionRow));
    if (count > 0 && (!texts || !rows)) {
        TellFailure(page, IDS_FONT_SUBS_WRITE_FAILED, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    auto* text = texts.as<RowTexts>();
    auto* row = rows.as<FontSubstitutionRow>();
    for (int i = 0; i < count; ++i) {
        RowText(list, i, kColumnFace, text[i].face);
        RowText(list, i, kColumnSubstitute, text[i].substitute);
        row[i] = {text[i].face, text[i].substitute};
    }
    WCHAR download[kRowTextChars];
    DownloadText(download);
    const DWORD bytes = EncodeFontSubs(row, count, download, nullptr);
    HeapBlock table(bytes);
    if (!table) {
        TellFailure(page, IDS_FONT_SUBS_WRITE_FAILED, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    // Both passes read the same rows: they agree.
    EncodeFontSubs(row, count, download, table.as<WCHAR>());
    const DWORD written =
        SetPrinterDataW(state->printer, const_cast<WCHAR*>(kFontSubsValue), REG_BINARY, table.as<BYTE>(), bytes);
    if (written != ERROR_SUCCESS) {
        TellFailure(page, IDS_FONT_SUBS_WRITE_FAILED, written);
        return false;
    }
    MutableSheetFactsOf(state).fontSubsFailure = 0;
    return true;
}

INT_PTR Other(HWND page, SheetState* /*state*/, UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return 0;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_FONTSUBS_TABLE || header->code != LVN_ITEMCHANGED)
        return 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    // A move of the selection names the row left too; the row taken follows.
    if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) && change->iItem >= 0)
        ShowRow(page, change->iItem);
    return 0;
}

const PageHandlers kFontSubstitutionPage = {
    .pageIndex = kPageFontSubstitution,
    .initialize = Initialize,
    .command = Command,
    .activate = Activate,
    .apply = Apply,
    .other = Other,
};

}  // namespace

INT_PTR CALLBACK FontSubstitutionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kFontSubstitutionPage);
}
