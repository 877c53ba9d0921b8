// The paper half of the Paper/Layout page: the list of papers with their
// icons, the text naming the selected paper and its size, and the sources.
#include "docsheet/paper_layout_controls.h"

#include <commctrl.h>
#include <stdio.h>

#include "platform/dialog_controls.h"
#include "sheet/sheet_model.h"
#include "docsheet/user_size_dialog.h"
#include "platform/holders.h"
#include "platform/resource_library.h"
#include "profile/device_options.h"
#include "profile/paper_lookups.h"
#include "settings/paper_name_list.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kIconSize = 32;
constexpr int kPaperTextChars = 96;
constexpr int kSizeTextChars = 48;
constexpr int16_t kPaperCodeA4 = DMPAPER_A4;

HWND PaperList(HWND page)
{
    return DialogControl(page, IDC_LAYOUT_PAPER_LIST);
}

int16_t Clamp(int16_t value, int16_t low, int16_t high)
{
    return value < low ? low : (value > high ? high : value);
}

void SelectItem(HWND list, int item)
{
    ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, item, FALSE);
    InvalidateRect(list, nullptr, TRUE);
}

int FindItem(HWND list, UINT flags, LPARAM param, const WCHAR* text)
{
    LVFINDINFOW find = {};
    find.flags = flags;
    find.lParam = param;
    find.psz = text;
    return static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
}

// Draws `icon` at `x` into the strip selected in `dc`, or leaves its place
// as it is (blank) when the icon could not be loaded.
void DrawIconPart(HDC dc, int x, HICON icon, UINT part)
{
    if (icon)
        DrawIconEx(dc, x, 0, icon, kIconSize, kIconSize, 0, nullptr, part);
}

// The papers' icons, image i that of availablePapers row i. They are drawn
// side by side into one strip and its mask and handed over in one call:
// adding them one by one makes the image list load each icon again from
// its resource, which cost a page as much as the rest of it. A paper whose
// icon is missing keeps its place, blank, so the later images keep theirs.
HIMAGELIST PaperImages(const ModelState& model, int papers)
{
    HIMAGELIST images = ImageList_Create(kIconSize, kIconSize, ILC_MASK | ILC_COLOR32, 2 * papers, 1);
    if (!images || papers == 0)
        return images;
    const int width = kIconSize * papers;
    UniqueGdiObject colour;
    {
        UniqueScreenDc screen(GetDC(nullptr));
        colour.reset(CreateCompatibleBitmap(screen.get(), width, kIconSize));
    }
    UniqueGdiObject mask(CreateBitmap(width, kIconSize, 1, 1, nullptr));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!colour || !mask || !dc)
        return images;
    HICON icons[kPaperKeywordCount] = {};
    for (int row = 0; row < papers; ++row)
        icons[row] = LoadResourceIcon(model.availablePapers[row].iconId, kIconSize);
    const HGDIOBJ original = SelectObject(dc.get(), mask.get());
    PatBlt(dc.get(), 0, 0, width, kIconSize, WHITENESS);
    for (int row = 0; row < papers; ++row)
        DrawIconPart(dc.get(), row * kIconSize, icons[row], DI_MASK);
    SelectObject(dc.get(), colour.get());
    PatBlt(dc.get(), 0, 0, width, kIconSize, BLACKNESS);
    for (int row = 0; row < papers; ++row)
        DrawIconPart(dc.get(), row * kIconSize, icons[row], DI_IMAGE);
    // The image list takes the strips into its own device context.
    SelectObject(dc.get(), original);
    ImageList_Add(images, static_cast<HBITMAP>(colour.get()), static_cast<HBITMAP>(mask.get()));
    return images;
}

}  // namespace

void FillPaperList(HWND page, const SheetFacts& facts)
{
    const ModelState& model = facts.model;
    HWND list = PaperList(page);
    int papers = model.enabledPaperCount;
    papers = papers < 0 ? 0 : (papers > kPaperKeywordCount ? kPaperKeywordCount : papers);

    // The list view owns the images. It is not redrawn until it is full:
    // every item inserted into an arranged icon view while it draws lays
    // out the whole view again, so filling it grew with the square of the
    // papers.
    HIMAGELIST images = PaperImages(model, papers);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    if (HIMAGELIST old = ListView_SetImageList(list, images, LVSIL_NORMAL))
        ImageList_Destroy(old);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = kIconSize;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    ListView_SetItemCount(list, papers + 1);

    PaperNameList names;
    BuildPaperNameList(model, facts.userPaperWidth, facts.userPaperLength, &names);
    for (int i = 0; i < names.count; ++i) {
        PaperNameRow& entry = names.rows[i];
        entry.name[kPaperNameChars - 1] = 0;
        if (FindItem(list, LVFI_STRING, 0, entry.name) >= 0)
            continue;
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = ListView_GetItemCount(list);
        item.pszText = entry.name;
        item.iImage = entry.paperIndex;
        item.lParam = entry.paperCode;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ListView_SetExtendedListViewStyle(list, LVS_EX_ONECLICKACTIVATE);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

bool SelectedPaper(HWND page, PaperChoice* paper)
{
    HWND list = PaperList(page);
    LVITEMW item = {};
    item.iItem = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (item.iItem < 0)
        return false;
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return false;
    if (item.iImage < 0 || item.iImage >= kPaperKeywordCount)
        return false;
    paper->row = item.iImage;
    paper->code = static_cast<int16_t>(item.lParam);
    return true;
}

void LoadPaper(HWND page, const DocumentSettings& settings, const ModelProfile& profile, int mode)
{
    HWND list = PaperList(page);
    int item = -1;
    if (mode == kLoadFromSettings) {
        item = FindItem(list, LVFI_PARAM, settings.dmPaperSize, nullptr);
    } else {
        WCHAR name[kPaperNameChars] = L"";
        LoadResourceString(profile.paperDefault == kPaperCodeA4 ? IDS_PAPER_A4 : IDS_PAPER_LETTER, name,
                           kPaperNameChars);
        item = FindItem(list, LVFI_STRING, 0, name);
    }
    // The page always has a paper: the first when none matches.
    if (item < 0 && ListView_GetItemCount(list) > 0)
        item = 0;
    if (item >= 0)
        SelectItem(list, item);
}

void ShowPaperText(HWND page, const DocumentSettings& settings)
{
    PaperChoice paper;
    if (!SelectedPaper(page, &paper)) {
        SetDlgItemTextW(page, IDC_LAYOUT_PAPER_TEXT, L"");
        return;
    }
    const PaperRow& row = PageModel(page).availablePapers[paper.row];
    int width = row.width;
    int length = row.length;
    int32_t metric = row.metric;
    if (paper.code == kUserPaperCode) {
        width = Clamp(settings.userPaperWidth, kUserPaperMinWidth, kUserPaperMaxWidth);
        length = Clamp(settings.userPaperLength, kUserPaperMinLength, kUserPaperMaxLength);
        metric = settings.userPaperMetric;
    }
    if (!metric) {
        // Tenths of an inch, through hundredths as the papers are listed.
        width = width * 100 / 254 / 10;
        length = length * 100 / 254 / 10;
    }
    WCHAR name[kPaperNameChars + 1] = L"";
    LoadResourceString(static_cast<UINT>(row.nameStringId), name, kPaperNameChars + 1);
    WCHAR format[kSizeTextChars] = L"";
    LoadResourceString(metric ? IDS_SIZE_FORMAT_MM : IDS_SIZE_FORMAT_INCH, format, kSizeTextChars);
    WCHAR text[kPaperTextChars] = L"";
    const int used = _snwprintf(text, kPaperTextChars - 1, L"< %ls", name);
    if (used > 0 && used < kPaperTextChars - 1)
        _snwprintf(text + used, kPaperTextChars - 1 - used, format, width / 10, width % 10, length / 10, length % 10);
    text[kPaperTextChars - 1] = 0;
    SetDlgItemTextW(page, IDC_LAYOUT_PAPER_TEXT, text);
}

void LoadSources(HWND page, const SheetState& state, int mode)
{
    if (mode == kLoadRefresh)
        return;
    HWND combo = DialogControl(page, IDC_LAYOUT_SOURCE_LIST);
    const SheetFacts& facts = SheetFactsOf(&state);
    int rows = 0;
    const BinRow* bins = BinListOfModel(facts.model, &rows);
    const int16_t wanted = mode == kLoadFromSettings ? state.settings->dmDefaultSource : kBinCodeAuto;
    int position = 0;
    for (int row = 0, enabled = 0; row < rows; ++row) {
        if (!bins[row].enabled)
            continue;
        if (bins[row].binCode == wanted) {
            position = enabled;
            break;
        }
        ++enabled;
    }

    const int offered =
        BinRowsInUse(facts.model, InstalledTrayCountOf(facts.model, facts.optionsRead ? &facts.options : nullptr));
    int listed = 0;
    for (int row = 0; row < offered; ++row)
        listed += bins[row].enabled ? 1 : 0;
    if (SendMessageW(combo, CB_GETCOUNT, 0, 0) != listed) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (int row = 0; row < offered; ++row) {
            if (!bins[row].enabled)
                continue;
            WCHAR name[kPaperNameChars] = L"";
            LoadResourceString(static_cast<UINT>(bins[row].nameStringId), name, kPaperNameChars);
            const LRESULT item = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
            if (item >= 0)
                SendMessageW(combo, CB_SETITEMDATA, item, row);
        }
    }
    // A source no longer installed (or a bypass tray the model lacks) gives
    // the first source.
    if (position >= listed)
        position = 0;
    SendMessageW(combo, CB_SETCURSEL, position, 0);
}

bool ChosenSourceCode(HWND page, int16_t* code)
{
    HWND combo = DialogControl(page, IDC_LAYOUT_SOURCE_LIST);
    const LRESULT item = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (item < 0)
        return false;
    *code = SourceCodeOfRow(PageModel(page), static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, item, 0)));
    return true;
}
