#include "docsheet/paper_layout_page.h"

#include <commctrl.h>

#include <atomic>

#include "platform/dialog_controls.h"
#include "sheet/control_lists.h"
#include "docsheet/handling_page.h"
#include "sheet/page_skeleton.h"
#include "docsheet/paper_layout_controls.h"
#include "sheet/sheet_model.h"
#include "docsheet/user_size_dialog.h"
#include "profile/paper_lookups.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kMinCopies = 1;
constexpr int kMaxCopies = 999;
constexpr int16_t kFullSize = 100;

const int kCopyControl[] = {IDC_LAYOUT_COPIES_PRINTER, IDC_LAYOUT_COPIES_DRIVER};
// The whole page, up-downs included: without them a locked page would
// still count copies and zoom.
const int kWholePage[] = {IDC_LAYOUT_PAPER_LABEL,    IDC_LAYOUT_PAPER_TEXT,     IDC_LAYOUT_PAPER_LIST,
                          IDC_LAYOUT_SOURCE_LABEL,   IDC_LAYOUT_SOURCE_LIST,    IDC_LAYOUT_COPIES_LABEL,
                          IDC_LAYOUT_COPIES_EDIT,    IDC_LAYOUT_COPIES_UPDOWN,  IDC_LAYOUT_ZOOM_LABEL,
                          IDC_LAYOUT_ZOOM_EDIT,      IDC_LAYOUT_ZOOM_UPDOWN,    IDC_LAYOUT_ORIENT_GROUP,
                          IDC_LAYOUT_ORIENT_ICON,    IDC_LAYOUT_PORTRAIT,       IDC_LAYOUT_LANDSCAPE,
                          IDC_LAYOUT_MAGNIFY_LABEL,  IDC_LAYOUT_MAGNIFY_LIST,   IDC_LAYOUT_NUP_GROUP,
                          IDC_LAYOUT_NUP_ICON,       IDC_LAYOUT_POSITION_LABEL, IDC_LAYOUT_POSITION_LIST,
                          IDC_LAYOUT_TARGET_LABEL,   IDC_LAYOUT_TARGET_LIST,    IDC_LAYOUT_NUP_1IN1,
                          IDC_LAYOUT_NUP_2IN1,       IDC_LAYOUT_NUP_4IN1,       IDC_LAYOUT_COPIES_PRINTER,
                          IDC_LAYOUT_COPIES_DRIVER,  IDC_RESTORE_DEFAULTS,      IDC_ABOUT_BUTTON};

// The choice the user changed last (paper, Magnify or Target paper): the
// duplex check puts the focus back on it. One value for the library.
std::atomic<int> lastChangedControl{IDC_LAYOUT_PAPER_LIST};


// A typed number brought into the up-down's range, shown as it is stored.
int ReadBounded(HWND page, int edit, int low, int high)
{
    const UINT typed = GetDlgItemInt(page, edit, nullptr, FALSE);
    const int value = typed < static_cast<UINT>(low) ? low : (typed > static_cast<UINT>(high) ? high : typed);
    // Spaces or letters around the digits read as the number: shown as stored.
    ShowNumberAsStored(page, edit, value);
    return value;
}

void LoadControls(HWND page, SheetState* state, const ModelProfile& profile, int mode)
{
    const DocumentSettings& s = *state->settings;
    const bool fromSettings = mode == kLoadFromSettings;
    // While the page selects the paper itself it shows the paper's text and
    // loads the layout area once, after the other controls, so the
    // selection's notification leaves them alone (loading the layout area
    // twice cost as much as the whole list of papers).
    bool& loading = MutableSheetFactsOf(state).loadingPaperControls;
    loading = true;
    LoadPaper(page, s, profile, mode);
    loading = false;
    ShowPaperText(page, s);
    LoadSources(page, *state, mode);
    const int16_t orientation = fromSettings ? s.dmOrientation : DMORIENT_PORTRAIT;
    CheckRadio(page, IDC_LAYOUT_PORTRAIT, IDC_LAYOUT_LANDSCAPE,
               orientation == DMORIENT_PORTRAIT ? IDC_LAYOUT_PORTRAIT : IDC_LAYOUT_LANDSCAPE);
    ShowOrientationPicture(page);
    SetDlgItemInt(page, IDC_LAYOUT_COPIES_EDIT, fromSettings ? s.dmCopies : 1, TRUE);
    LoadLayoutArea(page, state, profile, mode);
    CheckRadio(page, IDC_LAYOUT_COPIES_PRINTER, IDC_LAYOUT_COPIES_DRIVER,
               fromSettings && s.driverControlsSort ? IDC_LAYOUT_COPIES_DRIVER : IDC_LAYOUT_COPIES_PRINTER);
}

void LockWithoutPermission(HWND page, const SheetState* state)
{
    if (!state->canChange)
        EnableControls(page, kWholePage, FALSE);
}

void StoreCopyControl(HWND page, DocumentSettings& s)
{
    // Removed radios read as unchecked: the driver makes the copies.
    s.driverControlsSort = Checked(page, IDC_LAYOUT_COPIES_PRINTER) ? 0 : 1;
}

void WritePaper(HWND page, DocumentSettings& s)
{
    PaperChoice paper;
    if (SelectedPaper(page, &paper))
        StoreLayoutPaper(PageModel(page), paper.code, &s);
}

// The Magnify and Target choices, whichever layout is in use: the list the
// layout leaves disabled still shows its choice, which comes back when the
// layout changes, and the page opens on the record with the same choice.
void WriteListedPapers(HWND page, DocumentSettings& s)
{
    ChosenPaperCode(page, IDC_LAYOUT_MAGNIFY_LIST, &s.magnifyPaper);
    ChosenPaperCode(page, IDC_LAYOUT_TARGET_LIST, &s.nUpPaper);
}

// The controls as the page's choices; removed radios read as unchecked.
void WriteControls(HWND page, DocumentSettings& s)
{
    LayoutChoices c = {};
    c.driverControlsSort = Checked(page, IDC_LAYOUT_COPIES_PRINTER) ? 0 : 1;
    PaperChoice paper;
    c.paperChosen = SelectedPaper(page, &paper);
    c.paperCode = paper.code;
    c.sourceChosen = ChosenSourceCode(page, &c.sourceCode);
    c.orientation = Checked(page, IDC_LAYOUT_PORTRAIT) ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE;
    c.copies = static_cast<int16_t>(ReadBounded(page, IDC_LAYOUT_COPIES_EDIT, kMinCopies, kMaxCopies));
    c.layout = LayoutOfControls(page);
    // A read-only zoom box shows a ratio of offered targets, always in range.
    c.zoom = static_cast<int16_t>(ReadBounded(page, IDC_LAYOUT_ZOOM_EDIT, kMinimumRatio, kMaximumRatio));
    c.magnifyChosen = ChosenPaperCode(page, IDC_LAYOUT_MAGNIFY_LIST, &c.magnifyPaper);
    c.targetChosen = ChosenPaperCode(page, IDC_LAYOUT_TARGET_LIST, &c.targetPaper);
    c.position = static_cast<int16_t>(SendControlMessage(page, IDC_LAYOUT_POSITION_LIST, CB_GETCURSEL, 0, 0));
    c.nUpCode = NUpCode(page);
    StoreLayoutChoices(PageModel(page), c, &s);
}

void Initialize(HWND page, SheetState* state)
{
    if (!state->settings)
        return;
    const SheetFacts& facts = SheetFactsOf(state);
    const ModelProfile& profile = facts.profile;
    DestroyControls(page, kCopyControl, profile.model == 3 && profile.control != 0);
    FillPaperList(page, facts);
    LoadControls(page, state, profile, kLoadFromSettings);
    SendControlMessage(page, IDC_LAYOUT_COPIES_UPDOWN, UDM_SETRANGE32, kMinCopies, kMaxCopies);
    SendControlMessage(page, IDC_LAYOUT_ZOOM_UPDOWN, UDM_SETRANGE32, kMinimumRatio, kMaximumRatio);
    LockWithoutPermission(page, state);
}

void RestoreDefaults(HWND page, SheetState* state, const ModelProfile& profile)
{
    LoadControls(page, state, profile, kLoadDefaults);
    state->settings->zoomPercent = kFullSize;
    if (profile.driverVariant == 2) {
        // The layout choices are written as they change: their defaults too.
        state->settings->dmOrientation = DMORIENT_PORTRAIT;
        state->settings->layoutMode = static_cast<int16_t>(LayoutOfControls(page));
        WriteListedPapers(page, *state->settings);
    }
    SetFocus(DialogControl(page, IDC_LAYOUT_PAPER_LIST));
}

// Driver variant 2 writes the paper choices at once, so that the Handling
// page sees them before the sheet is applied.
void Command(HWND page, SheetState* state, int control, int /*code*/)
{
    if (!state->settings)
        return;
    DocumentSettings& s = *state->settings;
    const SheetFacts& facts = SheetFactsOf(state);
    const ModelProfile& profile = facts.profile;
    const bool writesAtOnce = profile.driverVariant == 2;
    switch (control) {
    case IDC_LAYOUT_COPIES_PRINTER:
    case IDC_LAYOUT_COPIES_DRIVER:
        StoreCopyControl(page, s);
        break;
    case IDC_LAYOUT_PORTRAIT:
    case IDC_LAYOUT_LANDSCAPE:
        if (writesAtOnce)
            s.dmOrientation = Checked(page, IDC_LAYOUT_LANDSCAPE) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        ShowOrientationPicture(page);
        ShowLayoutPicture(page);
        break;
    case IDC_LAYOUT_POSITION_LIST:
        ShowLayoutPicture(page);
        break;
    case IDC_LAYOUT_NUP_1IN1:
    case IDC_LAYOUT_NUP_2IN1:
    case IDC_LAYOUT_NUP_4IN1:
        RefreshTargetLists(page, state, profile, kLoadRefresh);
        RefreshPositions(page, s, kLoadRefresh);
        ShowLayoutPicture(page);
        if (writesAtOnce)
            s.layoutMode = static_cast<int16_t>(LayoutOfControls(page));
        break;
    case IDC_LAYOUT_MAGNIFY_LIST:
        RefreshZoomBox(page, state, kLoadRefresh);
        RefreshRotate(state->handlingPage, state, kLoadRefresh);
        if (writesAtOnce) {
            s.layoutMode = static_cast<int16_t>(LayoutOfControls(page));
            ChosenPaperCode(page, IDC_LAYOUT_MAGNIFY_LIST, &s.magnifyPaper);
        }
        lastChangedControl = IDC_LAYOUT_MAGNIFY_LIST;
        break;
    case IDC_LAYOUT_TARGET_LIST:
        RefreshZoomBox(page, state, kLoadRefresh);
        RefreshRotate(state->handlingPage, state, kLoadRefresh);
        if (writesAtOnce)
            ChosenPaperCode(page, IDC_LAYOUT_TARGET_LIST, &s.nUpPaper);
        lastChangedControl = IDC_LAYOUT_TARGET_LIST;
        break;
    case IDC_RESTORE_DEFAULTS:
        RestoreDefaults(page, state, profile);
        break;
    default:
        break;
    }
}

// Booklet printing (set on the Handling page) prints one page per side.
void Activate(HWND page, SheetState* state)
{
    if (!state->settings)
        return;
    const SheetFacts& facts = SheetFactsOf(state);
    const ModelProfile& profile = facts.profile;
    DocumentSettings& s = *state->settings;
    if (profile.driverVariant == 2 && s.booklet) {
        s.layoutMode = kLayoutZoom;
        s.nUpPaper = profile.paperDefault;
        LoadLayoutArea(page, state, profile, kLoadFromSettings);
    }
    LockWithoutPermission(page, state);
}

bool Validate(HWND page, SheetState* /*state*/)
{
    return CheckDuplexPaper(page, lastChangedControl) == 0;
}

bool Apply(HWND page, SheetState* state)
{
    if (!state->settings)
        return true;
    WriteControls(page, *state->settings);
    return true;
}

void PaperChanged(HWND page, SheetState* state, const NMLISTVIEW& change)
{
    const bool selected = (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
                          !(change.uOldState & LVIS_SELECTED);
    if (!selected || change.iItem < 0)
        return;
    const SheetFacts& facts = SheetFactsOf(state);
    if (!facts.loadingPaperControls) {
        ShowPaperText(page, *state->settings);
        LoadLayoutArea(page, state, facts.profile, kLoadRefresh);
    }
    HWND list = DialogControl(page, IDC_LAYOUT_PAPER_LIST);
    ListView_EnsureVisible(list, change.iItem, FALSE);
    InvalidateRect(list, nullptr, TRUE);
    // The code comes with its sizes and field bits: a user paper must never
    // stand in the record without them.
    if (facts.profile.driverVariant == 2)
        WritePaper(page, *state->settings);
    lastChangedControl = IDC_LAYOUT_PAPER_LIST;
}

// The user-defined paper is the last item; activating it opens its size.
// The item is the focused one: a click focuses what it activates, and the
// keyboard's activation comes without an item of its own.
void PaperActivated(HWND page, SheetState* state)
{
    HWND list = DialogControl(page, IDC_LAYOUT_PAPER_LIST);
    LVITEMW item = {};
    item.iItem = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (item.iItem < 0 || item.iItem != ListView_GetItemCount(list) - 1)
        return;
    item.mask = LVIF_PARAM;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) || item.lParam != kUserPaperCode)
        return;
    OpenUserSizeDialog(page);
    ShowPaperText(page, *state->settings);
}

INT_PTR Other(HWND page, SheetState* state, UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    if (message != WM_NOTIFY || !state->settings)
        return FALSE;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != IDC_LAYOUT_PAPER_LIST)
        return FALSE;
    if (header->code == LVN_ITEMCHANGED)
        PaperChanged(page, state, *reinterpret_cast<const NMLISTVIEW*>(lParam));
    else if (header->code == LVN_ITEMACTIVATE)
        PaperActivated(page, state);
    else
        return FALSE;
    return AnswerNotification(page, 0);
}

const PageHandlers kPaperLayoutPage = {
    .pageIndex = kPagePaperLayout,
    .initialize = Initialize,
    .command = Command,
    .activate = Activate,
    .validate = Validate,
    .apply = Apply,
    .other = Other,
};

}  // namespace

INT_PTR CALLBACK PaperLayoutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kPaperLayoutPage);
}
