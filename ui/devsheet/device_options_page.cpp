#include "devsheet/device_options_page.h"

#include <commctrl.h>
#include <winspool.h>


#include "platform/dialog_controls.h"
#include "sheet/control_lists.h"
#include "sheet/page_skeleton.h"
#include "sheet/page_warning.h"
#include "sheet/sheet_model.h"
#include "platform/resource_library.h"
#include "profile/device_options.h"
#include "../resources/resource_ids.h"

namespace {

// The memory choices in list order; the item data is the stored index.
const UINT kMemoryChoices[] = {IDS_MEMORY_NONE, IDS_MEMORY_2MB, IDS_MEMORY_4MB,
                               IDS_MEMORY_6MB,  IDS_MEMORY_8MB, IDS_MEMORY_10MB};
constexpr int kMemoryChoiceChars = 31;

// Longest password the printer takes, and the room it is read back with:
// a longer text is refused, never cut to fit.
constexpr int kPasswordChars = 4;
constexpr int kPasswordReadChars = 9;

const int kWholePage[] = {IDC_OPTIONS_SECURE_CHECK, IDC_OPTIONS_PASSWORD,   IDC_OPTIONS_MEMORY_LABEL,
                          IDC_OPTIONS_MEMORY_LIST,  IDC_OPTIONS_TRAYS_LABEL, IDC_OPTIONS_TRAYS_EDIT,
                          IDC_OPTIONS_TRAYS_UPDOWN, IDC_OPTIONS_INNER_TRAY, IDC_OPTIONS_OUTER_TRAY,
                          IDC_OPTIONS_FINISHER,     IDC_OPTIONS_DUPLEX_UNIT, IDC_RESTORE_DEFAULTS,
                          IDC_ABOUT_BUTTON};
const int kMemoryControls[] = {IDC_OPTIONS_MEMORY_LABEL, IDC_OPTIONS_MEMORY_LIST};
const int kSecurityControls[] = {IDC_OPTIONS_SECURE_CHECK, IDC_OPTIONS_PASSWORD};

bool Enabled(HWND page, int control)
{
    HWND window = DialogControl(page, control);
    return window && IsWindowEnabled(window);
}

// Set and enabled: what the output trays store.
bool CheckedAndEnabled(HWND page, int control)
{
    return Checked(page, control) && Enabled(page, control);
}

// An output tray box that cannot be fitted is stored as absent: it shows
// unchecked too, so that what the page shows is what it stores.
void EnableTray(HWND page, int control, bool enable)
{
    EnableControl(page, control, enable);
    if (!enable)
        SetChecked(page, control, false);
}

DeviceOptionData ModelDefaults(const SheetFacts& facts)
{
    DeviceOptionData options = DefaultDeviceOptions(facts.model);
    options.trayCount = static_cast<int16_t>(facts.profile.defaultTrayCount);
    return options;
}

void FillMemoryList(HWND page)
{
    HWND list = DialogControl(page, IDC_OPTIONS_MEMORY_LIST);
    if (!list)
        return;
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < static_cast<int>(sizeof(kMemoryChoices) / sizeof(kMemoryChoices[0])); ++i) {
        WCHAR text[kMemoryChoiceChars + 1] = L"";
        LoadResourceString(kMemoryChoices[i], text, kMemoryChoiceChars + 1);
        const LRESULT item = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (item >= 0)
            SendMessageW(list, CB_SETITEMDATA, item, i);
    }
}

// The controls from `options`.
void LoadControls(HWND page, const ModelProfile& profile, const DeviceOptionData& options)
{
    SetDlgItemInt(page, IDC_OPTIONS_TRAYS_EDIT, static_cast<uint16_t>(options.trayCount), FALSE);
    SetChecked(page, IDC_OPTIONS_SECURE_CHECK, options.securityPrint != 0);

    // The stored password need not be terminated: at most its four characters.
    WCHAR password[kPasswordChars + 1] = L"";
    for (int i = 0; i < kPasswordChars && options.securityPassword[i]; ++i)
        password[i] = options.securityPassword[i];
    SendControlMessage(page, IDC_OPTIONS_PASSWORD, EM_LIMITTEXT, kPasswordChars, 0);
    SetDlgItemTextW(page, IDC_OPTIONS_PASSWORD, password);

    // Security printing keeps its jobs in the printer's memory.
    if (profile.reserve) {
        EnableControl(page, IDC_OPTIONS_SECURE_CHECK, options.memoryIndex != 0);
        EnableControl(page, IDC_OPTIONS_PASSWORD, options.securityPrint && options.memoryIndex);
    } else {
        EnableControl(page, IDC_OPTIONS_PASSWORD, options.securityPrint != 0);
    }

    FillMemoryList(page);
    SendControlMessage(page, IDC_OPTIONS_MEMORY_LIST, CB_SETCURSEL, options.memoryIndex, 0);

    // The outer tray and the finisher take the same place behind the inner tray.
    SetChecked(page, IDC_OPTIONS_INNER_TRAY, options.innerTray != 0);
    SetChecked(page, IDC_OPTIONS_OUTER_TRAY, options.outerTray != 0);
    SetChecked(page, IDC_OPTIONS_FINISHER, options.finisher != 0);
    EnableTray(page, IDC_OPTIONS_OUTER_TRAY, options.innerTray && !options.finisher);
    EnableTray(page, IDC_OPTIONS_FINISHER, options.innerTray && !options.outerTray);
    SetChecked(page, IDC_OPTIONS_DUPLEX_UNIT, options.duplexUnit != 0);
}

// The record of the controls. Removed controls read as unchecked or empty.
DeviceOptionData ReadControls(HWND page, const ModelProfile& profile)
{
    DeviceOptionData options = {};
    // A typed count beyond the model's trays would offer trays that are not
    // there: it is brought into 1..maxTrayCount.
    const int32_t highest = profile.maxTrayCount > 1 ? profile.maxTrayCount : 1;
    UINT trays = GetDlgItemInt(page, IDC_OPTIONS_TRAYS_EDIT, nullptr, FALSE);
    if (trays < 1)
        trays = 1;
    if (trays > static_cast<UINT>(highest))
        trays = static_cast<UINT>(highest);
    options.trayCount = static_cast<int16_t>(trays);

    options.securityPrint = Checked(page, IDC_OPTIONS_SECURE_CHECK) ? 1 : 0;
    GetDlgItemTextW(page, IDC_OPTIONS_PASSWORD, options.securityPassword, kPasswordChars + 1);

    const LRESULT memory = SendControlMessage(page, IDC_OPTIONS_MEMORY_LIST, CB_GETCURSEL, 0, 0);
    if (memory >= 0)
        options.memoryIndex =
            static_cast<int16_t>(SendControlMessage(page, IDC_OPTIONS_MEMORY_LIST, CB_GETITEMDATA, memory, 0));

    options.innerTray = CheckedAndEnabled(page, IDC_OPTIONS_INNER_TRAY) ? 1 : 0;
    options.outerTray = CheckedAndEnabled(page, IDC_OPTIONS_OUTER_TRAY) ? 1 : 0;
    options.finisher = CheckedAndEnabled(page, IDC_OPTIONS_FINISHER) ? 1 : 0;
    options.duplexUnit = Checked(page, IDC_OPTIONS_DUPLEX_UNIT) ? 1 : 0;
    return options;
}

UINT BannerOf(int16_t logNo)
{
    switch (logNo) {
    case 2:
        return IDB_BANNER_IMAGE2;
    case 3:
        return IDB_BANNER_IMAGE3;
    default:
        return IDB_BANNER;
    }
}

void ShowBanner(HWND page, int16_t logNo)
{
    HWND picture = DialogControl(page, IDC_OPTIONS_BANNER);
    if (!picture)
        return;
    if (logNo == 0) {
        DestroyWindow(picture);
        return;
    }
    HANDLE bitmap = LoadImageW(ResourceLibrary(), MAKEINTRESOURCEW(BannerOf(logNo)), IMAGE_BITMAP, 0, 0, 0);
    if (bitmap)
        SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void Initialize(HWND page, SheetState* state)
{
    const SheetFacts& facts = SheetFactsOf(state);
    const ModelProfile& profile = facts.profile;
    LoadControls(page, profile, facts.optionsRead ? facts.options : ModelDefaults(facts));
    SendControlMessage(page, IDC_OPTIONS_TRAYS_UPDOWN, UDM_SETRANGE32, 1, profile.maxTrayCount);
    ShowBanner(page, profile.logNo);
    if (!state->canChange)
        EnableControls(page, kWholePage, FALSE);

    DestroyControls(page, kMemoryControls, profile.reserve);
    DestroyControls(page, kSecurityControls, profile.security);
    const int duplex[] = {IDC_OPTIONS_DUPLEX_UNIT};
    const int inner[] = {IDC_OPTIONS_INNER_TRAY};
    const int outer[] = {IDC_OPTIONS_OUTER_TRAY};
    const int finisher[] = {IDC_OPTIONS_FINISHER};
    DestroyControls(page, duplex, profile.duplexUnit);
    DestroyControls(page, inner, profile.innerTray);
    DestroyControls(page, outer, profile.outputTrayCount);
    DestroyControls(page, finisher, profile.finisher);
    // Filling the controls is not the user's doing.
    MutableSheetFactsOf(state).optionsEdited = false;
}

// A stored record that could not be read is told once, when the page shows.
void Activate(HWND page, SheetState* state)
{
    SheetFacts& facts = MutableSheetFactsOf(state);
    TellFailureOnce(page, IDS_OPTIONS_READ_FAILED, facts.optionsFailure, &facts.optionsFailureTold);
}

// A change the user made to a control's value (or Restore Defaults).
bool IsUserEdit(int control, int code)
{
    switch (control) {
    case IDC_OPTIONS_TRAYS_EDIT:
    case IDC_OPTIONS_PASSWORD:
        return code == EN_CHANGE;
    case IDC_OPTIONS_MEMORY_LIST:
        return code == CBN_SELCHANGE;
    case IDC_OPTIONS_SECURE_CHECK:
    case IDC_OPTIONS_INNER_TRAY:
    case IDC_OPTIONS_OUTER_TRAY:
    case IDC_OPTIONS_FINISHER:
    case IDC_OPTIONS_DUPLEX_UNIT:
    case IDC_RESTORE_DEFAULTS:
        return code == BN_CLICKED;
    default:
        return false;
    }
}

void Command(HWND page, SheetState* state, int control, int code)
{
    if (IsUserEdit(control, code))
        MutableSheetFactsOf(state).optionsEdited = true;
    switch (control) {
    case IDC_OPTIONS_INNER_TRAY: {
        const bool inner = Checked(page, IDC_OPTIONS_INNER_TRAY);
        EnableTray(page, IDC_OPTIONS_OUTER_TRAY, inner && !Checked(page, IDC_OPTIONS_FINISHER));
        EnableTray(page, IDC_OPTIONS_FINISHER, inner && !CheckedAndEnabled(page, IDC_OPTIONS_OUTER_TRAY));
        break;
    }
    case IDC_OPTIONS_OUTER_TRAY:
        EnableTray(page, IDC_OPTIONS_FINISHER, !Checked(page, IDC_OPTIONS_OUTER_TRAY));
        break;
    case IDC_OPTIONS_FINISHER:
        EnableTray(page, IDC_OPTIONS_OUTER_TRAY,
                   Checked(page, IDC_OPTIONS_INNER_TRAY) && !Checked(page, IDC_OPTIONS_FINISHER));
        break;
    case IDC_OPTIONS_MEMORY_LIST: {
        const LRESULT item = SendControlMessage(page, IDC_OPTIONS_MEMORY_LIST, CB_GETCURSEL, 0, 0);
        const bool memory =
            item >= 0 && SendControlMessage(page, IDC_OPTIONS_MEMORY_LIST, CB_GETITEMDATA, item, 0) != 0;
        EnableControl(page, IDC_OPTIONS_SECURE_CHECK, memory);
        EnableControl(page, IDC_OPTIONS_PASSWORD, memory && Checked(page, IDC_OPTIONS_SECURE_CHECK));
        break;
    }
    case IDC_OPTIONS_SECURE_CHECK:
        EnableControl(page, IDC_OPTIONS_PASSWORD, Checked(page, IDC_OPTIONS_SECURE_CHECK));
        break;
    case IDC_RESTORE_DEFAULTS: {
        const SheetFacts& facts = SheetFactsOf(state);
        LoadControls(page, facts.profile, ModelDefaults(facts));
        SetFocus(DialogControl(page, IDC_OPTIONS_TRAYS_EDIT));
        break;
    }
    default:
        break;
    }
}

// A password in use is blank or exactly four characters.
bool Validate(HWND page, SheetState* /*state*/)
{
    if (!CheckedAndEnabled(page, IDC_OPTIONS_SECURE_CHECK))
        return true;
    WCHAR password[kPasswordReadChars + 1] = L"";
    const int length = GetDlgItemTextW(page, IDC_OPTIONS_PASSWORD, password, kPasswordReadChars + 1);
    if (length == 0 || length == kPasswordChars)
        return true;
    WCHAR text[128] = L"";
    WCHAR caption[64] = L"";
    LoadResourceString(IDS_PASSWORD_WARNING, text, 128);
    LoadResourceString(IDS_WARNING, caption, 64);
    MessageBoxW(page, text, caption, MB_OK | MB_ICONWARNING);
    SetFocus(DialogControl(page, IDC_OPTIONS_PASSWORD));
    return false;
}

bool Apply(HWND page, SheetState* state)
{
    if (!state->canChange || !state->printer)
        return true;
    DeviceOptionData options = {};
    {
        const SheetFacts& facts = SheetFactsOf(state);
        // A record that could not be read is not replaced by defaults the
        // user never chose.
        if (facts.optionsFailure && !facts.optionsEdited)
            return true;
        options = ReadControls(page, facts.profile);
    }
    // A typed count brought into range (or read around spaces) is shown as stored.
    ShowNumberAsStored(page, IDC_OPTIONS_TRAYS_EDIT, options.trayCount);
    const DWORD written = WriteDeviceOptions(state->printer, options);
    if (written != ERROR_SUCCESS) {
        TellFailure(page, IDS_OPTIONS_WRITE_FAILED, written);
        return false;
    }
    // The pages read the options the sheet holds from now on.
    SheetFacts& held = MutableSheetFactsOf(state);
    held.options = options;
    held.optionsRead = true;
    held.optionsFailure = 0;
    return true;
}

void Destroy(HWND page, SheetState* /*state*/)
{
    // The banner set at initialisation is this page's to free.
    if (HWND picture = DialogControl(page, IDC_OPTIONS_BANNER)) {
        const HANDLE bitmap = reinterpret_cast<HANDLE>(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (bitmap)
            DeleteObject(bitmap);
    }
}

const PageHandlers kDeviceOptionsPage = {
    .pageIndex = kPageDeviceOptions,
    .initialize = Initialize,
    .command = Command,
    .activate = Activate,
    .validate = Validate,
    .apply = Apply,
    .destroy = Destroy,
};

}  // namespace

INT_PTR CALLBACK DeviceOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kDeviceOptionsPage);
}
