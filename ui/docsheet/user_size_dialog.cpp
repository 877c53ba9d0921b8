#include "docsheet/user_size_dialog.h"

#include <commctrl.h>
#include <stdint.h>
#include <stdio.h>

#include "platform/dialog_controls.h"
#include "sheet/control_lists.h"
#include "sheet/sheet_model.h"
#include "sheet/sheet_state.h"
#include "platform/holders.h"
#include "platform/resource_library.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kTitleChars = 64;
constexpr int kRangeChars = 64;

struct UserSizeState {
    DocumentSettings* target;   // its userPaperWidth, userPaperLength, userPaperMetric
    int32_t* unitTarget;        // the settings' userSizeUnit
    HMODULE resources;
    int32_t inchUnit;           // 1 while the dialog works in 0.01 inch
    int16_t widthInch;
    int16_t lengthInch;
    int16_t widthMm;
    int16_t lengthMm;
    int16_t maxWidthMm;
    int16_t minWidthMm;
    int16_t maxLengthMm;
    int16_t minLengthMm;
    WCHAR title[kTitleChars];
};

// The stored size is 16-bit: both conversions work on 16-bit values and
// truncate, as the record has always been read and written.
int16_t InchOfMm(int16_t mm)
{
    return static_cast<int16_t>(mm * 100 / 254);
}

int16_t MmOfInch(int16_t inch)
{
    return static_cast<int16_t>(inch * 254 / 100);
}

// One side of the paper in both units, with its metric limits.
struct Side {
    int16_t* inch;
    int16_t* mm;
    int16_t minMm;
    int16_t maxMm;
    int edit;
    int upDown;
    int range;
};

Side WidthOf(UserSizeState& s)
{
    return {&s.widthInch, &s.widthMm, s.minWidthMm, s.maxWidthMm, IDC_USERSIZE_WIDTH_EDIT, IDC_USERSIZE_WIDTH_UPDOWN,
            IDC_USERSIZE_WIDTH_RANGE};
}

Side LengthOf(UserSizeState& s)
{
    return {&s.lengthInch, &s.lengthMm, s.minLengthMm, s.maxLengthMm, IDC_USERSIZE_HEIGHT_EDIT,
            IDC_USERSIZE_HEIGHT_UPDOWN, IDC_USERSIZE_HEIGHT_RANGE};
}

// A value outside the limits becomes the nearest limit in both units; the
// limit's own metric value is kept exactly, not its inch round trip.
void ApplyLimits(HWND dialog, const UserSizeState& s, const Side& side)
{
    const int16_t minInch = InchOfMm(side.minMm);
    const int16_t maxInch = InchOfMm(side.maxMm);
    const int16_t value = s.inchUnit ? *side.inch : *side.mm;
    const int16_t low = s.inchUnit ? minInch : side.minMm;
    const int16_t high = s.inchUnit ? maxInch : side.maxMm;
    if (value > high) {
        *side.inch = maxInch;
        *side.mm = side.maxMm;
    } else if (value < low) {
        *side.inch = minInch;
        *side.mm = side.minMm;
    }
    WCHAR format[kRangeChars] = L"";
    WCHAR text[kRangeChars] = L"";
    LoadStringW(s.resources, IDS_RANGE_FORMAT, format, kRangeChars);
    _snwprintf(text, kRangeChars - 1, format, static_cast<int>(low), static_cast<int>(high));
    text[kRangeChars - 1] = 0;
    SetDlgItemTextW(dialog, side.range, text);
    SendControlMessage(dialog, side.upDown, UDM_SETRANGE32, low, high);
}

void ShowSide(HWND dialog, const UserSizeState& s, const Side& side)
{
    SetDlgItemInt(dialog, side.edit, static_cast<UINT>(s.inchUnit ? *side.inch : *side.mm), FALSE);
}

// A typed number is cut to 16 bits and read as signed; only a changed
// number replaces the exact value of the other unit.
void ReadSide(HWND dialog, const UserSizeState& s, const Side& side)
{
    const auto typed = static_cast<int16_t>(GetDlgItemInt(dialog, side.edit, nullptr, FALSE));
    if (s.inchUnit && typed != *side.inch) {
        *side.inch = typed;
        *side.mm = MmOfInch(typed);
    } else if (!s.inchUnit && typed != *side.mm) {
        *side.mm = typed;
        *side.inch = InchOfMm(typed);
    }
}

void ShowUnit(HWND dialog, UserSizeState& s)
{
    const Side sides[] = {WidthOf(s), LengthOf(s)};
    for (const Side& side : sides) {
        ApplyLimits(dialog, s, side);
        ShowSide(dialog, s, side);
    }
}

// For OK (the unit stays) and for a click on a unit: the typed values in the
// old unit, then the new unit, stored at once.
void ReadAndStore(HWND dialog, UserSizeState& s, int32_t inchUnit)
{
    ReadSide(dialog, s, WidthOf(s));
    ReadSide(dialog, s, LengthOf(s));
    s.inchUnit = inchUnit;
    ShowUnit(dialog, s);
    s.target->userPaperWidth = s.widthMm;
    s.target->userPaperLength = s.lengthMm;
    s.target->userPaperMetric = s.inchUnit ? 0 : 1;
    *s.unitTarget = s.inchUnit ? 0 : 1;
}

void Initialize(HWND dialog, UserSizeState& s)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&s));
    SetWindowTextW(dialog, s.title);
    // The unit shown is the master: opening in inch turns the millimetres
    // into the round trip of their inch values.
    if (s.inchUnit) {
        s.widthMm = MmOfInch(s.widthInch);
        s.lengthMm = MmOfInch(s.lengthInch);
    } else {
        s.widthInch = InchOfMm(s.widthMm);
        s.lengthInch = InchOfMm(s.lengthMm);
    }
    CheckRadio(dialog, IDC_USERSIZE_INCH, IDC_USERSIZE_MM, s.inchUnit ? IDC_USERSIZE_INCH : IDC_USERSIZE_MM);
    ShowUnit(dialog, s);
}

INT_PTR CALLBACK UserSizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        RememberControlsOf(dialog);
        Initialize(dialog, *reinterpret_cast<UserSizeState*>(lParam));
        return TRUE;
    }
    if (message == WM_DESTROY) {
        ForgetControlsOf(dialog);
        return FALSE;
    }
    auto* s = reinterpret_cast<UserSizeState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!s || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        ReadAndStore(dialog, *s, s->inchUnit);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_USERSIZE_INCH:
        ReadAndStore(dialog, *s, 1);
        return TRUE;
    case IDC_USERSIZE_MM:
        ReadAndStore(dialog, *s, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void OpenUserSizeDialog(HWND pageWindow)
{
    SheetState* state = PageSheetState(pageWindow);
    if (!state || !state->settings)
        return;
    HeapBlock block(sizeof(UserSizeState));
    if (!block)
        return;
    int32_t driverVariant = 0;
    {
        const SheetFacts& facts = SheetFactsOf(state);
        driverVariant = facts.profile.driverVariant;
    }
    UserSizeState& s = *block.as<UserSizeState>();
    DocumentSettings& settings = *state->settings;
    s.target = &settings;
    s.unitTarget = &settings.userSizeUnit;
    ResourceLibraryHold library;
    library.Take();
    s.resources = library.module();
    s.inchUnit = settings.userSizeUnit == 0 ? 1 : 0;
    s.widthMm = settings.userPaperWidth;
    s.lengthMm = settings.userPaperLength;
    s.widthInch = InchOfMm(s.widthMm);
    s.lengthInch = InchOfMm(s.lengthMm);
    s.maxWidthMm = kUserPaperMaxWidth;
    s.minWidthMm = kUserPaperMinWidth;
    s.maxLengthMm = kUserPaperMaxLength;
    s.minLengthMm = kUserPaperMinLength;
    LoadResourceString(IDS_USER_SIZE_TITLE, s.title, kTitleChars);
    const int templateId = driverVariant == 1 ? IDD_USER_SIZE_V1 : IDD_USER_SIZE;
    DialogBoxParamW(s.resources, MAKEINTRESOURCEW(templateId), pageWindow, UserSizeProc,
                    reinterpret_cast<LPARAM>(&s));
}
