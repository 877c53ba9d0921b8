// The two rules of the Handling page that follow the paper chosen on the
// Paper/Layout page: whether the pages may be rotated, and whether the
// paper can be printed on both sides.
#include "docsheet/handling_page.h"

#include "platform/dialog_controls.h"
#include "docsheet/handling_controls.h"
#include "sheet/sheet_model.h"
#include "platform/resource_library.h"
#include "profile/device_options.h"
#include "profile/paper_lookups.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kNoRow = -1;

// The availablePapers row the Paper/Layout page shows as chosen: its
// Magnify paper in 1 in 1, else its Target paper; kNoRow when the list has
// no selection or names no row.
int ChosenPaperRow(HWND paperPage)
{
    const int list = Checked(paperPage, IDC_LAYOUT_NUP_1IN1) ? IDC_LAYOUT_MAGNIFY_LIST : IDC_LAYOUT_TARGET_LIST;
    const LRESULT selected = SendControlMessage(paperPage, list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return kNoRow;
    const LRESULT row = SendControlMessage(paperPage, list, CB_GETITEMDATA, selected, 0);
    return row >= 0 && row < kPaperKeywordCount ? static_cast<int>(row) : kNoRow;
}

// The paper code the duplex check looks at: the target of magnify or of
// N in 1, else the document's paper.
int16_t EffectivePaperCode(const DocumentSettings& s)
{
    if (s.layoutMode == 1)
        return s.magnifyPaper;
    if (s.layoutMode == 2 || s.layoutMode == 3)
        return s.nUpPaper;
    return s.dmPaperSize;
}

// True when duplex is chosen on a paper that cannot take it.
bool DuplexOnWrongPaper(const SheetState* state)
{
    const DocumentSettings& s = *state->settings;
    if (!s.duplexOn)
        return false;
    const SheetFacts& facts = SheetFactsOf(state);
    const int keyword = KeywordIndexOfCode(facts.model, EffectivePaperCode(s));
    return keyword < 0 || !facts.model.paperTable[keyword].duplexAllowed;
}

}  // namespace

void RefreshRotate(HWND handlingWindow, SheetState* state, int mode)
{
    if (!handlingWindow || !state || !state->settings)
        return;
    const DocumentSettings& s = *state->settings;
    int32_t value = 0;
    if (mode == kLoadFromSettings)
        value = s.rotate;
    else if (mode == kLoadRefresh)
        value = Checked(handlingWindow, IDC_HANDLING_ROTATE) ? 1 : 0;

    const SheetFacts& facts = SheetFactsOf(state);
    int row = state->paperPage ? ChosenPaperRow(state->paperPage) : kNoRow;
    if (row == kNoRow) {
        if (!state->paperPage && mode == kLoadRefresh)
            return;
        row = AvailablePaperOfCode(facts.model, s.pagesPerSheetCode ? s.scalingValue : s.dmPaperSize);
    }
    const bool rotatable = facts.model.availablePapers[row].rotatable != 0;
    EnableControl(handlingWindow, IDC_HANDLING_ROTATE, rotatable);
    const bool check = value == 1 && (facts.profile.driverVariant != 2 || rotatable);
    SetChecked(handlingWindow, IDC_HANDLING_ROTATE, check);
}

int CheckDuplexPaper(HWND window, int focusControl)
{
    const SheetState* state = PageSheetState(window);
    if (!state || !state->settings)
        return 0;
    // Only a printer with an options record warns.
    if (!SheetFactsOf(state).optionsRead)
        return 0;
    if (!DuplexOnWrongPaper(state))
        return 0;
    WCHAR text[128] = L"";
    WCHAR caption[64] = L"";
    LoadResourceString(IDS_DUPLEX_PAPER_WARNING, text, ARRAYSIZE(text));
    LoadResourceString(IDS_WARNING, caption, ARRAYSIZE(caption));
    MessageBoxW(window, text, caption, MB_ICONWARNING | MB_OK);
    SetFocus(DialogControl(window, focusControl));
    return 1;
}
