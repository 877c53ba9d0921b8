#include "docsheet/handling_page.h"

#include <winspool.h>

#include <stdio.h>

#include "platform/dialog_controls.h"
#include "docsheet/choice_pictures.h"
#include "sheet/control_lists.h"
#include "docsheet/handling_controls.h"
#include "sheet/page_skeleton.h"
#include "sheet/sheet_model.h"
#include "platform/resource_library.h"
#include "profile/model_state.h"
#include "../resources/resource_ids.h"

namespace {

const int kRotationControls[] = {IDC_HANDLING_ROTATE_ICON, IDC_HANDLING_ROTATE};
const int kShiftControls[] = {IDC_HANDLING_SHIFT_ICON, IDC_HANDLING_SHIFT};
const int kOutputTrayControls[] = {IDC_HANDLING_OUTBIN_LABEL, IDC_HANDLING_OUTBIN_LIST};
const int kStapleControls[] = {IDC_HANDLING_STAPLE_LABEL, IDC_HANDLING_STAPLE_LIST};
const int kDuplexControls[] = {IDC_HANDLING_FLIP_GROUP,   IDC_HANDLING_FLIP_ICON,   IDC_HANDLING_DUPLEX,
                               IDC_HANDLING_LONG_EDGE,    IDC_HANDLING_SHORT_EDGE,  IDC_HANDLING_MARGIN_GROUP,
                               IDC_HANDLING_MARGIN_ICON,  IDC_HANDLING_MARGIN_YES,  IDC_HANDLING_MARGIN_NO};
const int kSecurityControls[] = {IDC_HANDLING_SECURE_GROUP, IDC_HANDLING_SECURE_OFF, IDC_HANDLING_SECURE_ON};
const int kOrderControls[] = {IDC_HANDLING_ORDER_GROUP, IDC_HANDLING_ORDER_ICON, IDC_HANDLING_ORDER_NORMAL,
                              IDC_HANDLING_ORDER_REVERSE};
const int kWholePage[] = {
    IDC_HANDLING_ORDER_GROUP,   IDC_HANDLING_ORDER_ICON,   IDC_HANDLING_ORDER_NORMAL, IDC_HANDLING_ORDER_REVERSE,
    IDC_HANDLING_SORTER_GROUP,  IDC_HANDLING_SORTER_ICON,  IDC_HANDLING_STACK,        IDC_HANDLING_SORT,
    IDC_HANDLING_ROTATE_ICON,   IDC_HANDLING_ROTATE,       IDC_HANDLING_OVERLAY_LABEL, IDC_HANDLING_OVERLAY_LIST,
    IDC_HANDLING_STAPLE_LABEL,  IDC_HANDLING_STAPLE_LIST,  IDC_HANDLING_FLIP_GROUP,   IDC_HANDLING_DUPLEX,
    IDC_HANDLING_LONG_EDGE,     IDC_HANDLING_SHORT_EDGE,   IDC_HANDLING_MARGIN_GROUP, IDC_HANDLING_MARGIN_YES,
    IDC_HANDLING_MARGIN_NO,     IDC_HANDLING_SECURE_GROUP, IDC_HANDLING_SECURE_OFF,   IDC_HANDLING_SECURE_ON,
    IDC_HANDLING_OUTBIN_LABEL,  IDC_HANDLING_OUTBIN_LIST,  IDC_HANDLING_SHIFT,        IDC_RESTORE_DEFAULTS,
    IDC_ABOUT_BUTTON};

// The overlay names the sheet read from the printer data "Overlay": ten
// slots of 17 UTF-16 units, each name ended by a zero inside its slot.
void FillOverlayList(HWND window, const SheetFacts& facts)
{
    HWND list = DialogControl(window, IDC_HANDLING_OVERLAY_LIST);
    if (!list)
        return;
    const bool stored = facts.overlaysStored;
    const WCHAR (&names)[kOverlayCount][kOverlayNameChars] = facts.overlayNames;
    WCHAR text[64] = L"";
    LoadResourceString(IDS_OVERLAY_NONE, text, ARRAYSIZE(text));
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    WCHAR format[32] = L"";
    LoadResourceString(IDS_OVERLAY_IMAGE_FORMAT, format, ARRAYSIZE(format));
    for (int i = 0; i < kOverlayCount; ++i) {
        if (stored) {
            // A name that fills its slot without a zero ends with the slot.
            lstrcpynW(text, names[i], kOverlayNameChars + 1);
        } else {
            swprintf(text, ARRAYSIZE(text), format, i + 1);
        }
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

// Removes what the model lacks. Output tray, security print and shift work
// only with variant 2, whose settings the job header reads them from.
void RemoveMissingControls(const HandlingPage& page)
{
    const ModelProfile& profile = page.profile;
    const bool variant2 = profile.driverVariant == 2;
    DestroyControls(page.window, kRotationControls, profile.rotate != 0);
    DestroyControls(page.window, kShiftControls, variant2 && profile.shift != 0);
    DestroyControls(page.window, kOutputTrayControls, variant2 && profile.outputTray != 0);
    if (variant2) {
        DestroyControls(page.window, kStapleControls, profile.staple != 0);
        DestroyControls(page.window, kDuplexControls, profile.duplex != 0);
    } else {
        DestroyControls(page.window, kSecurityControls, FALSE);
    }
    DestroyControls(page.window, kOrderControls, profile.order != 0);
}

void Initialize(HWND window, SheetState* state)
{
    if (!state->settings)
        return;
    const SheetFacts& facts = SheetFactsOf(state);
    const HandlingPage page = {window, state, *state->settings, facts.profile};
    FillOverlayList(window, facts);
    ShowIcon(window, IDC_HANDLING_ROTATE_ICON, IDI_ROTATE);
    ShowIcon(window, IDC_HANDLING_SHIFT_ICON, IDI_SHIFT);
    LoadHandlingControls(page, kLoadFromSettings);
    RemoveMissingControls(page);
}

void RestoreDefaults(const HandlingPage& page)
{
    const bool variant2 = page.profile.driverVariant == 2;
    if (variant2) {
        DocumentSettings& s = page.settings;
        s.booklet = 0;
        s.staple = 0;
        s.duplexOn = 0;
        s.outputBin = 0;
        s.duplexBinding = 1;
        s.bindingMargin = 0;
        s.shift = 0;
    }
    LoadHandlingControls(page, kLoadDefaults);
    SetFocus(DialogControl(page.window, IDC_HANDLING_STACK));
    if (variant2)
        ApplyFinisherRule(page);
}

void Command(HWND window, SheetState* state, int control, int /*code*/)
{
    if (!state->settings)
        return;
    const SheetFacts& facts = SheetFactsOf(state);
    const HandlingPage page = {window, state, *state->settings, facts.profile};
    DocumentSettings& s = page.settings;
    switch (control) {
    case IDC_HANDLING_STAPLE_LIST:
        s.staple = static_cast<int16_t>(SelectedValue(window, IDC_HANDLING_STAPLE_LIST));
        LoadSorter(page, kLoadRefresh);
        break;
    case IDC_HANDLING_LONG_EDGE:
    case IDC_HANDLING_SHORT_EDGE:
        s.duplexBinding = Checked(window, IDC_HANDLING_LONG_EDGE) ? 1 : 2;
        LoadDuplexGroup(page, kLoadRefresh);
        break;
    case IDC_HANDLING_DUPLEX:
        s.duplexOn = Checked(window, IDC_HANDLING_DUPLEX) ? 1 : 0;
        if (!s.duplexOn) {
            s.duplexBinding = 1;
            s.bindingMargin = 0;
        }
        LoadDuplexGroup(page, kLoadRefresh);
        break;
    case IDC_HANDLING_OUTBIN_LIST:
        s.outputBin = static_cast<int16_t>(SelectedValue(window, IDC_HANDLING_OUTBIN_LIST));
        ApplyFinisherRule(page);
        break;
    case IDC_HANDLING_MARGIN_YES:
    case IDC_HANDLING_MARGIN_NO:
        s.bindingMargin = Checked(window, IDC_HANDLING_MARGIN_NO) ? 0 : 1;
        LoadDuplexGroup(page, kLoadRefresh);
        break;
    case IDC_HANDLING_SHIFT:
        s.shift = Checked(window, IDC_HANDLING_SHIFT) ? 1 : 0;
        break;
    case IDC_HANDLING_STACK:
    case IDC_HANDLING_SORT:
        if (page.profile.driverVariant == 2) {
            WriteHandlingControls(page);
            LoadHandlingControls(page, kLoadRefresh);
            ApplyFinisherRule(page);
        } else {
            ShowSorterPicture(window);
        }
        break;
    case IDC_HANDLING_ORDER_NORMAL:
    case IDC_HANDLING_ORDER_REVERSE:
        ShowOrderPicture(window);
        break;
    case IDC_RESTORE_DEFAULTS:
        RestoreDefaults(page);
        break;
    default:
        break;   // Rotate and the overlay wait for apply.
    }
}

void Activate(HWND window, SheetState* state)
{
    if (!state->settings)
        return;
    const SheetFacts& facts = SheetFactsOf(state);
    const HandlingPage page = {window, state, *state->settings, facts.profile};
    if (page.settings.layoutMode != 0) {
        page.settings.booklet = 0;
        page.settings.bookletPaper = static_cast<int16_t>(facts.model.paperDefault);
    }
    LoadDuplexGroup(page, kLoadRefresh);
    LoadStapleList(page, kLoadRefresh);
    CheckBooklet(page, kLoadRefresh);
    ApplyFinisherRule(page);
    if (!state->canChange)
        EnableControls(window, kWholePage, FALSE);
}

bool Validate(HWND window, SheetState* /*state*/)
{
    return CheckDuplexPaper(window, IDC_HANDLING_DUPLEX) == 0;
}

bool Apply(HWND window, SheetState* state)
{
    if (!state->settings)
        return true;
    const SheetFacts& facts = SheetFactsOf(state);
    WriteHandlingControls({window, state, *state->settings, facts.profile});
    return true;
}

const PageHandlers kHandlingPage = {
    .pageIndex = kPageHandling,
    .initialize = Initialize,
    .command = Command,
    .activate = Activate,
    .validate = Validate,
    .apply = Apply,
};

}  // namespace

INT_PTR CALLBACK HandlingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kHandlingPage);
}
