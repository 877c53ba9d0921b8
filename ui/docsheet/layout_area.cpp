// The layout half of the Paper/Layout page: orientation picture, zoom box,
// Magnify and Target Paper lists, the N-in-1 radios, positions and picture.
#include "docsheet/paper_layout_controls.h"

#include <commctrl.h>
#include <stdio.h>

#include "platform/dialog_controls.h"
#include "docsheet/choice_pictures.h"
#include "sheet/control_lists.h"
#include "docsheet/handling_page.h"
#include "sheet/sheet_model.h"
#include "platform/resource_library.h"
#include "profile/paper_lookups.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kItemChars = 2 * kPaperKeywordChars + 48;
constexpr int kArrowChars = 16;
// B5 pages are never printed 4 in 1 onto a postcard.
constexpr int16_t kPaperCodeB5 = DMPAPER_B5;
constexpr int16_t kPaperCodePostcard = DMPAPER_JAPANESE_POSTCARD;

const int kMagnifyControls[] = {IDC_LAYOUT_MAGNIFY_LABEL, IDC_LAYOUT_MAGNIFY_LIST};
const int kTargetControls[] = {IDC_LAYOUT_TARGET_LABEL, IDC_LAYOUT_TARGET_LIST};
const int kPositionControls[] = {IDC_LAYOUT_POSITION_LABEL, IDC_LAYOUT_POSITION_LIST};
const int kNUpChoices[] = {IDC_LAYOUT_NUP_2IN1, IDC_LAYOUT_NUP_4IN1};

bool NUpChecked(HWND page)
{
    return Checked(page, IDC_LAYOUT_NUP_2IN1) || Checked(page, IDC_LAYOUT_NUP_4IN1);
}

bool HasItems(HWND page, int list)
{
    return SendControlMessage(page, list, CB_GETCOUNT, 0, 0) > 0;
}

int Selection(HWND page, int list)
{
    return static_cast<int>(SendControlMessage(page, list, CB_GETCURSEL, 0, 0));
}

// The availablePapers row an item of the Magnify or Target list stands for.
int ChosenPaperRow(HWND page, int list)
{
    const int item = Selection(page, list);
    if (item < 0)
        return -1;
    const auto row = static_cast<int>(SendControlMessage(page, list, CB_GETITEMDATA, item, 0));
    return row >= 0 && row < kPaperKeywordCount ? row : -1;
}

void LoadPaperName(const ModelState& model, int row, WCHAR* name, int capacity)
{
    LoadResourceString(static_cast<UINT>(model.availablePapers[row].nameStringId), name, capacity);
}

void AddPaperItem(HWND page, int list, const WCHAR* text, int row, bool select)
{
    const LRESULT item = SendControlMessage(page, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (item < 0)
        return;
    SendControlMessage(page, list, CB_SETITEMDATA, item, row);
    if (select)
        SendControlMessage(page, list, CB_SETCURSEL, item, 0);
}

// The row of each paper in use whose keyword bit is set, in keyword order.
// A keyword whose paper the model does not offer is no target.
template <typename Visit>
void ForEachTarget(const ModelState& model, uint32_t mask, Visit visit)
{
    const int last = model.lastPaperIndex < kPaperKeywordCount ? model.lastPaperIndex : kPaperKeywordCount - 1;
    for (int i = 0; i <= last && i < 32; ++i) {
        if (!(mask & (1u << i)))
            continue;
        if (const PaperRow* row = AvailablePaperRowOfCode(model, model.paperTable[i].paperCode))
            visit(static_cast<int>(row - model.availablePapers));
    }
}

bool Offered(int ratio)
{
    return ratio >= kMinimumRatio && ratio <= kMaximumRatio;
}

void FillMagnifyList(HWND page, const DocumentSettings& s, const PaperChoice& paper, int mode)
{
    const ModelState& model = PageModel(page);
    WCHAR prefix[kItemChars] = L"";
    LoadPaperName(model, paper.row, prefix, kPaperKeywordChars * 2);
    WCHAR arrow[kArrowChars] = L"";
    LoadResourceString(IDS_MAGNIFY_ARROW, arrow, kArrowChars);
    wcsncat(prefix, arrow, kItemChars - 1 - wcslen(prefix));

    int16_t preselected = paper.code;
    const int current = ChosenPaperRow(page, IDC_LAYOUT_MAGNIFY_LIST);
    if (mode == kLoadRefresh && Selection(page, IDC_LAYOUT_MAGNIFY_LIST) > 0 && current >= 0)
        preselected = model.availablePapers[current].paperCode;
    else if (mode == kLoadFromSettings && s.layoutMode != kLayoutZoom)
        preselected = s.magnifyPaper;   // "None" is stored as the paper itself, never listed

    SendControlMessage(page, IDC_LAYOUT_MAGNIFY_LIST, CB_RESETCONTENT, 0, 0);
    WCHAR none[kItemChars] = L"";
    LoadResourceString(IDS_MAGNIFY_NONE, none, kItemChars);
    AddPaperItem(page, IDC_LAYOUT_MAGNIFY_LIST, none, paper.row, false);
    const uint32_t mask = ZoomTargetMask(model, KeywordIndexOfCode(model, paper.code), model.localeArea);
    ForEachTarget(model, mask, [&](int row) {
        const PaperRow& target = model.availablePapers[row];
        if (row == paper.row || !Offered(PaperRatio(model, kRatioMagnify, paper.code, target.paperCode)))
            return;
        WCHAR text[kItemChars];
        wcsncpy(text, prefix, kItemChars);
        const int used = static_cast<int>(wcslen(text));
        LoadPaperName(model, row, text + used, kItemChars - used);
        AddPaperItem(page, IDC_LAYOUT_MAGNIFY_LIST, text, row, target.paperCode == preselected);
    });
}

void FillTargetList(HWND page, const DocumentSettings& s, const ModelProfile& profile, const PaperChoice& paper,
                    int mode)
{
    const ModelState& model = PageModel(page);
    int16_t preselected = mode == kLoadDefaults ? profile.paperDefault : s.nUpPaper;
    const int current = ChosenPaperRow(page, IDC_LAYOUT_TARGET_LIST);
    if (mode == kLoadRefresh && NUpChecked(page) && current >= 0)
        preselected = model.availablePapers[current].paperCode;

    SendControlMessage(page, IDC_LAYOUT_TARGET_LIST, CB_RESETCONTENT, 0, 0);
    const int kind = Checked(page, IDC_LAYOUT_NUP_4IN1) ? kRatioFourInOne : kRatioTwoInOne;
    const uint32_t mask = NUpTargetMask(model, KeywordIndexOfCode(model, paper.code), model.localeArea);
    ForEachTarget(model, mask, [&](int row) {
        const PaperRow& target = model.availablePapers[row];
        if (!Offered(PaperRatio(model, kind, paper.code, target.paperCode)))
            return;
        if (kind == kRatioFourInOne && paper.code == kPaperCodeB5 && target.paperCode == kPaperCodePostcard)
            return;
        WCHAR name[kItemChars] = L"";
        LoadPaperName(model, row, name, kItemChars);
        AddPaperItem(page, IDC_LAYOUT_TARGET_LIST, name, row, target.paperCode == preselected);
    });
    if (mask == 0) {
        const int row = AvailablePaperOfCode(model, profile.paperDefault);
        WCHAR name[kItemChars] = L"";
        LoadPaperName(model, row, name, kItemChars);
        AddPaperItem(page, IDC_LAYOUT_TARGET_LIST, name, row, false);
    }
}

void SelectFirstIfNone(HWND page, int list)
{
    if (Selection(page, list) < 0)
        SendControlMessage(page, list, CB_SETCURSEL, 0, 0);
}

}  // namespace

void ShowOrientationPicture(HWND page)
{
    ShowChoicePicture(page, IDC_LAYOUT_ORIENT_ICON);
}

int LayoutOfControls(HWND page)
{
    if (Checked(page, IDC_LAYOUT_NUP_2IN1))
        return kLayoutTwoInOne;
    if (Checked(page, IDC_LAYOUT_NUP_4IN1))
        return kLayoutFourInOne;
    return Selection(page, IDC_LAYOUT_MAGNIFY_LIST) > 0 ? kLayoutMagnify : kLayoutZoom;
}

bool ChosenPaperCode(HWND page, int list, int16_t* code)
{
    const int row = ChosenPaperRow(page, list);
    if (row < 0)
        return false;
    *code = PageModel(page).availablePapers[row].paperCode;
    return true;
}

void LoadLayoutArea(HWND page, SheetState* state, const ModelProfile& profile, int mode)
{
    PaperChoice paper = {};
    const bool hasPaper = SelectedPaper(page, &paper);
    const ModelState& model = SheetFactsOf(state).model;
    const bool offered = hasPaper && (profile.driverVariant == 1 || profile.driverVariant == 2) &&
                         NUpTargetMask(model, KeywordIndexOfCode(model, paper.code), model.localeArea) != 0;
    int radio = IDC_LAYOUT_NUP_1IN1;
    if (offered && mode != kLoadRefresh) {
        const int16_t layout = mode == kLoadFromSettings ? state->settings->layoutMode : kLayoutZoom;
        radio = layout == kLayoutTwoInOne    ? IDC_LAYOUT_NUP_2IN1
                : layout == kLayoutFourInOne ? IDC_LAYOUT_NUP_4IN1
                                             : IDC_LAYOUT_NUP_1IN1;
    }
    if (!offered || mode != kLoadRefresh)
        CheckRadio(page, IDC_LAYOUT_NUP_1IN1, IDC_LAYOUT_NUP_4IN1, radio);
    EnableControls(page, kNUpChoices, offered);
    RefreshTargetLists(page, state, profile, mode);
    RefreshPositions(page, *state->settings, mode);
    ShowLayoutPicture(page);
}

void RefreshTargetLists(HWND page, SheetState* state, const ModelProfile& profile, int mode)
{
    PaperChoice paper = {};
    if ((profile.driverVariant == 1 || profile.driverVariant == 2) && SelectedPaper(page, &paper)) {
        FillMagnifyList(page, *state->settings, paper, mode);
        FillTargetList(page, *state->settings, profile, paper, mode);
    }
    SelectFirstIfNone(page, IDC_LAYOUT_MAGNIFY_LIST);
    SelectFirstIfNone(page, IDC_LAYOUT_TARGET_LIST);
    // The lists stay empty on the variants without these layouts: an empty
    // list offers nothing to choose, so it stays disabled.
    const bool nUp = NUpChecked(page);
    EnableControls(page, kMagnifyControls, !nUp && HasItems(page, IDC_LAYOUT_MAGNIFY_LIST));
    EnableControls(page, kTargetControls, nUp && HasItems(page, IDC_LAYOUT_TARGET_LIST));
    RefreshZoomBox(page, state, mode);
    RefreshRotate(state->handlingPage, state, kLoadRefresh);
}

void RefreshZoomBox(HWND page, SheetState* state, int mode)
{
    const int layout = LayoutOfControls(page);
    HWND edit = DialogControl(page, IDC_LAYOUT_ZOOM_EDIT);
    SendMessageW(edit, EM_SETREADONLY, layout != kLayoutZoom, 0);
    EnableControl(page, IDC_LAYOUT_ZOOM_UPDOWN, layout == kLayoutZoom);
    if (layout == kLayoutZoom) {
        const int zoom = mode == kLoadDefaults ? 100 : state->settings->zoomPercent;
        SetDlgItemInt(page, IDC_LAYOUT_ZOOM_EDIT, static_cast<UINT>(zoom), TRUE);
        return;
    }
    PaperChoice paper = {};
    int16_t target = 0;
    const int list = layout == kLayoutMagnify ? IDC_LAYOUT_MAGNIFY_LIST : IDC_LAYOUT_TARGET_LIST;
    const int kind = layout == kLayoutMagnify   ? kRatioMagnify
                     : layout == kLayoutTwoInOne ? kRatioTwoInOne
                                                 : kRatioFourInOne;
    int ratio = 0;
    if (SelectedPaper(page, &paper) && ChosenPaperCode(page, list, &target))
        ratio = PaperRatio(PageModel(page), kind, paper.code, target);
    SetDlgItemInt(page, IDC_LAYOUT_ZOOM_EDIT, static_cast<UINT>(ratio), FALSE);
}

void RefreshPositions(HWND page, const DocumentSettings& settings, int mode)
{
    const bool nUp = NUpChecked(page);
    const int patterns = Checked(page, IDC_LAYOUT_NUP_2IN1) ? 2 : 4;
    int selected = 0;
    if (mode == kLoadRefresh && nUp)
        selected = Selection(page, IDC_LAYOUT_POSITION_LIST);
    else if (mode == kLoadFromSettings)
        selected = settings.nUpPosition;
    SendControlMessage(page, IDC_LAYOUT_POSITION_LIST, CB_RESETCONTENT, 0, 0);
    WCHAR format[kItemChars] = L"";
    LoadResourceString(IDS_PATTERN_FORMAT, format, kItemChars);
    for (int number = 1; number <= patterns; ++number) {
        WCHAR text[kItemChars] = L"";
        _snwprintf(text, kItemChars - 1, format, number);
        SendControlMessage(page, IDC_LAYOUT_POSITION_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    if (selected < 0 || selected >= patterns)
        selected = 0;
    SendControlMessage(page, IDC_LAYOUT_POSITION_LIST, CB_SETCURSEL, selected, 0);
    EnableControls(page, kPositionControls, nUp);
}

void ShowLayoutPicture(HWND page)
{
    const bool portrait = Checked(page, IDC_LAYOUT_PORTRAIT);
    int pattern = Selection(page, IDC_LAYOUT_POSITION_LIST);
    int offset = portrait ? 0 : 1;
    if (Checked(page, IDC_LAYOUT_NUP_2IN1)) {
        pattern = pattern >= 0 && pattern < 2 ? pattern : 0;
        offset = (portrait ? 0 : 2) + pattern;
    } else if (Checked(page, IDC_LAYOUT_NUP_4IN1)) {
        pattern = pattern >= 0 && pattern < 4 ? pattern : 0;
        offset = (portrait ? 0 : 4) + pattern;
    }
    ShowChoicePicture(page, IDC_LAYOUT_NUP_ICON, offset);
}

int32_t NUpCode(HWND page)
{
    const int pattern = Selection(page, IDC_LAYOUT_POSITION_LIST);
    if (Checked(page, IDC_LAYOUT_NUP_2IN1))
        return NUpCodeOf(2, pattern);
    if (Checked(page, IDC_LAYOUT_NUP_4IN1))
        return NUpCodeOf(4, pattern);
    return 1;
}
