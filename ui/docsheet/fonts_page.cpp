#include "docsheet/fonts_page.h"

#include "platform/dialog_controls.h"
#include "sheet/control_lists.h"
#include "sheet/page_skeleton.h"
#include "sheet/sheet_model.h"
#include "../resources/resource_ids.h"

namespace {

const int kSubstitutionGroup[] = {IDC_FONTS_USE_PRINTER, IDC_FONTS_PRINTER_NOTE1, IDC_FONTS_PRINTER_NOTE2};
const int kWholePage[] = {IDC_FONTS_USE_PRINTER,  IDC_FONTS_PRINTER_NOTE1, IDC_FONTS_PRINTER_NOTE2,
                          IDC_FONTS_USE_TRUETYPE, IDC_FONTS_TRUETYPE_NOTE, IDC_RESTORE_DEFAULTS,
                          IDC_ABOUT_BUTTON};

void ShowChoice(HWND page, int usePrinterFonts)
{
    CheckRadio(page, IDC_FONTS_USE_PRINTER, IDC_FONTS_USE_TRUETYPE,
               usePrinterFonts == 1 ? IDC_FONTS_USE_PRINTER : IDC_FONTS_USE_TRUETYPE);
}

// Takes the choice the buttons show into the record, at once.
void StoreChoice(HWND page, DocumentSettings& s)
{
    const int32_t usePrinterFonts = Checked(page, IDC_FONTS_USE_PRINTER) ? 1 : 0;
    if (usePrinterFonts == s.useDeviceFonts)
        return;
    s.useDeviceFonts = usePrinterFonts;
    s.dmFields |= DM_TTOPTION;
    s.dmTTOption = usePrinterFonts ? DMTT_SUBDEV : DMTT_DOWNLOAD;
    s.trueTypeAsGraphics = usePrinterFonts ? 0 : 1;
}

// Toner save prints TrueType text as graphics, which leaves nothing to
// substitute (the variant 2 models substitute all the same). Toner save is
// chosen on the Quality page: the rule is shown again each time this page
// shows or stores its choice, so that it never stores printer fonts under
// toner save.
void FollowTonerSave(HWND page, SheetState* state)
{
    int32_t driverVariant = 0;
    {
        const SheetFacts& facts = SheetFactsOf(state);
        driverVariant = facts.profile.driverVariant;
    }
    if (driverVariant != 2 && state->settings) {
        const bool tonerSave = state->settings->tonerSave != 0;
        EnableControls(page, kSubstitutionGroup, !tonerSave);
        if (state->settings->tonerSave == 1)
            ShowChoice(page, 0);
    }
    if (!state->canChange)
        EnableControls(page, kWholePage, FALSE);
}

void Initialize(HWND page, SheetState* state)
{
    if (state->settings)
        ShowChoice(page, state->settings->useDeviceFonts);
}

void Command(HWND page, SheetState* state, int control, int /*code*/)
{
    if (!state->settings)
        return;
    switch (control) {
    case IDC_RESTORE_DEFAULTS:
        ShowChoice(page, 1);
        FollowTonerSave(page, state);
        SetFocus(DialogControl(page, Checked(page, IDC_FONTS_USE_PRINTER) ? IDC_FONTS_USE_PRINTER
                                                                           : IDC_FONTS_USE_TRUETYPE));
        StoreChoice(page, *state->settings);
        break;
    case IDC_FONTS_USE_PRINTER:
    case IDC_FONTS_USE_TRUETYPE:
        // A click leaves a disabled partner checked (toner save disables
        // the printer fonts choice): the clicked one is made the only one.
        if (Checked(page, control))
            ShowChoice(page, control == IDC_FONTS_USE_PRINTER ? 1 : 0);
        StoreChoice(page, *state->settings);
        break;
    default:
        break;
    }
}

void Activate(HWND page, SheetState* state)
{
    FollowTonerSave(page, state);
}

bool Apply(HWND page, SheetState* state)
{
    if (!state->settings)
        return true;
    FollowTonerSave(page, state);
    StoreChoice(page, *state->settings);
    return true;
}

const PageHandlers kFontsPage = {
    .pageIndex = kPageFonts,
    .initialize = Initialize,
    .command = Command,
    .activate = Activate,
    .apply = Apply,
};

}  // namespace

INT_PTR CALLBACK FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kFontsPage);
}
