#include "docsheet/quality_page.h"

#include "platform/dialog_controls.h"
#include "sheet/control_lists.h"
#include "sheet/page_skeleton.h"
#include "sheet/sheet_model.h"
#include "settings/page_choices.h"
#include "../resources/resource_ids.h"

namespace {

const int kTextColourGroup[] = {IDC_QUALITY_TEXT_GROUP, IDC_QUALITY_TEXT_BLACK, IDC_QUALITY_TEXT_HALFTONE};
const int kSmoothingControls[] = {IDC_QUALITY_SMOOTH_CHECK, IDC_QUALITY_SMOOTH_GROUP, IDC_QUALITY_SMOOTH_ON,
                                  IDC_QUALITY_SMOOTH_OFF};
const int kTonerSaveControls[] = {IDC_QUALITY_TONER_GROUP, IDC_QUALITY_TONER_ON, IDC_QUALITY_TONER_OFF};
const int kWholePage[] = {IDC_QUALITY_RES_GROUP,  IDC_QUALITY_RES_600,    IDC_QUALITY_RES_300,
                          IDC_QUALITY_TONER_GROUP, IDC_QUALITY_TONER_ON,  IDC_QUALITY_TONER_OFF,
                          IDC_QUALITY_SMOOTH_CHECK, IDC_QUALITY_SMOOTH_GROUP, IDC_QUALITY_SMOOTH_ON,
                          IDC_QUALITY_SMOOTH_OFF, IDC_QUALITY_TEXT_GROUP, IDC_QUALITY_TEXT_BLACK,
                          IDC_QUALITY_TEXT_HALFTONE, IDC_RESTORE_DEFAULTS, IDC_ABOUT_BUTTON};
// The controls whose every click is written at once.
const int kWrittenAtOnce[] = {IDC_QUALITY_SMOOTH_ON,  IDC_QUALITY_SMOOTH_OFF,  IDC_QUALITY_TONER_ON,
                              IDC_QUALITY_TONER_OFF,  IDC_QUALITY_TEXT_HALFTONE, IDC_QUALITY_TEXT_BLACK,
                              IDC_QUALITY_RES_600,    IDC_QUALITY_RES_300,     IDC_QUALITY_SMOOTH_CHECK};

constexpr int16_t kQuality600 = -4;
constexpr int16_t kQuality300 = -3;

int16_t DefaultResolution(const ModelProfile& profile)
{
    return profile.resolution ? kQuality600 : kQuality300;
}

int DefaultResolutionControl(const ModelProfile& profile)
{
    return profile.resolution ? IDC_QUALITY_RES_600 : IDC_QUALITY_RES_300;
}

// The controls from the record, or (`fromSettings` false) the defaults.
void LoadControls(HWND page, const SheetState& state, const ModelProfile& profile, bool fromSettings)
{
    const DocumentSettings& s = *state.settings;
    const int16_t resolution = fromSettings ? s.dmPrintQuality : DefaultResolution(profile);
    CheckRadio(page, IDC_QUALITY_RES_600, IDC_QUALITY_RES_300,
               resolution == kQuality600 ? IDC_QUALITY_RES_600 : IDC_QUALITY_RES_300);
    SetFocus(DialogControl(page, DefaultResolutionControl(profile)));

    const int32_t smoothing = fromSettings ? s.smoothing : 0;
    if (profile.driverVariant == 1)
        SetChecked(page, IDC_QUALITY_SMOOTH_CHECK, smoothing == 1);
    else
        CheckRadio(page, IDC_QUALITY_SMOOTH_ON, IDC_QUALITY_SMOOTH_OFF,
                   smoothing ? IDC_QUALITY_SMOOTH_ON : IDC_QUALITY_SMOOTH_OFF);

    const bool tonerSave = fromSettings && s.tonerSave != 0;
    CheckRadio(page, IDC_QUALITY_TONER_ON, IDC_QUALITY_TONER_OFF,
               tonerSave ? IDC_QUALITY_TONER_ON : IDC_QUALITY_TONER_OFF);

    // The model's own text colour; a sheet without a printer prints black.
    const int32_t blackText = fromSettings ? s.blackTextChoice : (state.printer ? profile.blackText : 1);
    CheckRadio(page, IDC_QUALITY_TEXT_HALFTONE, IDC_QUALITY_TEXT_BLACK,
               blackText ? IDC_QUALITY_TEXT_BLACK : IDC_QUALITY_TEXT_HALFTONE);
}

// Every control into the record; removed controls read as unchecked.
void WriteControls(HWND page, const SheetState& state, const ModelProfile& profile)
{
    QualityChoices c = {};
    c.halftoneText = Checked(page, IDC_QUALITY_TEXT_HALFTONE);
    c.resolution600 = Checked(page, IDC_QUALITY_RES_600);
    c.smoothing = Checked(page, profile.driverVariant == 1 ? IDC_QUALITY_SMOOTH_CHECK : IDC_QUALITY_SMOOTH_ON);
    c.tonerSave = Checked(page, IDC_QUALITY_TONER_ON);
    StoreQualityChoices(profile, state.printer != nullptr, c, state.settings);
}

// The frames of the optional choices start hidden; a model that offers a
// choice shows its frame.
template <int N>
void KeepOptionalGroup(HWND page, const int (&controls)[N], int frame, bool offered)
{
    DestroyControls(page, controls, offered);
    if (offered) {
        if (HWND window = DialogControl(page, frame))
            ShowWindow(window, SW_SHOWNA);
    }
}

void Initialize(HWND page, SheetState* state)
{
    if (!state->settings)
        return;
    const SheetFacts& facts = SheetFactsOf(state);
    const ModelProfile& profile = facts.profile;
    if (profile.color == 0)
        DestroyControls(page, kTextColourGroup, FALSE);
    LoadControls(page, *state, profile, true);
    KeepOptionalGroup(page, kSmoothingControls, IDC_QUALITY_SMOOTH_GROUP, profile.smoothing != 0);
    KeepOptionalGroup(page, kTonerSaveControls, IDC_QUALITY_TONER_GROUP, profile.tonerSave != 0);
    if (!state->canChange)
        EnableControls(page, kWholePage, FALSE);
}

void Command(HWND page, SheetState* state, int control, int /*code*/)
{
    if (!state->settings)
        return;
    if (control == IDC_RESTORE_DEFAULTS) {
        const SheetFacts& facts = SheetFactsOf(state);
        LoadControls(page, *state, facts.profile, false);
        WriteControls(page, *state, facts.profile);
        return;
    }
    for (int id : kWrittenAtOnce) {
        if (id == control) {
            const SheetFacts& facts = SheetFactsOf(state);
            WriteControls(page, *state, facts.profile);
            return;
        }
    }
}

bool Apply(HWND page, SheetState* state)
{
    if (!state->settings)
        return true;
    const SheetFacts& facts = SheetFactsOf(state);
    WriteControls(page, *state, facts.profile);
    return true;
}

const PageHandlers kQualityPage = {
    .pageIndex = kPageQuality,
    .initialize = Initialize,
    .command = Command,
    .apply = Apply,
};

}  // namespace

INT_PTR CALLBACK QualityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kQualityPage);
}
