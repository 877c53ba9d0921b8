#include "monkey/monkey_controls.h"

#include <commctrl.h>

#include "driver_install.h"

uint64_t MonkeyRandom::Next()
{
    // splitmix64
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int MonkeyRandom::Below(int count)
{
    return count > 0 ? static_cast<int>(Next() % static_cast<uint64_t>(count)) : 0;
}

namespace {

struct KindOfClass {
    const wchar_t* className;
    ControlKind kind;
};

const KindOfClass kClassKinds[] = {
    {L"ComboBox", ControlKind::Combo},      {L"ListBox", ControlKind::ListBox},
    {WC_LISTVIEWW, ControlKind::ListView},  {L"Edit", ControlKind::Edit},
    {UPDOWN_CLASSW, ControlKind::UpDown},
};

ControlKind KindOf(HWND window)
{
    WCHAR name[64] = L"";
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, L"Button") == 0) {
        switch (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return ControlKind::PushButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return ControlKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return ControlKind::Radio;
        default:
            return ControlKind::Other;
        }
    }
    for (const auto& entry : kClassKinds)
        if (lstrcmpiW(name, entry.className) == 0)
            return entry.kind;
    return ControlKind::Other;
}

std::vector<LiveControl> ChildControls(HWND dialog)
{
    std::vector<LiveControl> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back({child, GetDlgCtrlID(child), KindOf(child)});
    return controls;
}

std::wstring WindowText(HWND window)
{
    WCHAR text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

int SelectedListItem(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Notify(HWND control, WORD code)
{
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

}  // namespace

std::vector<LiveControl> UsableControls(HWND dialog)
{
    std::vector<LiveControl> usable;
    for (const LiveControl& control : ChildControls(dialog)) {
        if (control.kind == ControlKind::Other || !IsWindowVisible(control.window) ||
            !IsWindowEnabled(control.window))
            continue;
        if (control.kind == ControlKind::Edit && (GetWindowLongW(control.window, GWL_STYLE) & ES_READONLY))
            continue;
        usable.push_back(control);
    }
    return usable;
}

const char* KindName(ControlKind kind)
{
    static const char* const kNames[] = {"button", "check box", "radio", "combo", "list box",
                                         "list view", "edit", "up-down", "control"};
    return kNames[static_cast<int>(kind)];
}

std::string Describe(const LiveControl& control)
{
    std::string text = std::string(KindName(control.kind)) + " " + std::to_string(control.id);
    const std::wstring caption = WindowText(control.window);
    if (control.kind != ControlKind::Edit && !caption.empty())
        text += " \"" + Narrow(caption) + "\"";
    return text;
}

void ClickControl(HWND control)
{
    SendMessageW(control, BM_CLICK, 0, 0);
}

int ItemCount(const LiveControl& control)
{
    switch (control.kind) {
    case ControlKind::Combo:
        return static_cast<int>(SendMessageW(control.window, CB_GETCOUNT, 0, 0));
    case ControlKind::ListBox:
        return static_cast<int>(SendMessageW(control.window, LB_GETCOUNT, 0, 0));
    case ControlKind::ListView:
        return static_cast<int>(SendMessageW(control.window, LVM_GETITEMCOUNT, 0, 0));
    default:
        return 0;
    }
}

void ChooseItem(const LiveControl& control, int item)
{
    switch (control.kind) {
    case ControlKind::Combo:
        SendMessageW(control.window, CB_SETCURSEL, item, 0);
        Notify(control.window, CBN_SELCHANGE);
        break;
    case ControlKind::ListBox:
        SendMessageW(control.window, LB_SETCURSEL, item, 0);
        Notify(control.window, LBN_SELCHANGE);
        break;
    case ControlKind::ListView: {
        SetFocus(control.window);
        LVITEMW state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(control.window, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
        break;
    }
    default:
        break;
    }
}

void TypeText(HWND edit, const std::wstring& text, bool paste)
{
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (paste) {
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    if (text.empty())
        SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t key : text)
        SendMessageW(edit, WM_CHAR, key, 1);
}

void ClickUpDown(HWND updown, bool up)
{
    RECT area;
    GetClientRect(updown, &area);
    const bool across = (GetWindowLongW(updown, GWL_STYLE) & UDS_HORZ) != 0;
    // Up is the upper half, or the right half of a horizontal one.
    const int x = across ? (up ? area.right * 3 / 4 : area.right / 4) : area.right / 2;
    const int y = across ? area.bottom / 2 : (up ? area.bottom / 4 : area.bottom * 3 / 4);
    SendMessageW(updown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(updown, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::vector<std::wstring> TextsFor(HWND dialog, HWND edit)
{
    std::vector<std::wstring> texts = {L"", L"0", L"1", L"-1", L"12a", L"abc", L" 7", L"32767", L"32768",
                                       L"65535", L"65536", L"99999", std::wstring(300, L'9'),
                                       std::wstring(300, L'x')};
    for (const LiveControl& control : ChildControls(dialog)) {
        if (control.kind != ControlKind::UpDown ||
            reinterpret_cast<HWND>(SendMessageW(control.window, UDM_GETBUDDY, 0, 0)) != edit)
            continue;
        int low = 0;
        int high = 0;
        SendMessageW(control.window, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
        for (int value : {low - 1, low, low + 1, (low + high) / 2, high - 1, high, high + 1})
            texts.push_back(std::to_wstring(value));
    }
    return texts;
}

std::vector<std::string> Snapshot(HWND dialog)
{
    std::vector<std::string> entries;
    for (const LiveControl& control : ChildControls(dialog)) {
        std::wstring value;
        switch (control.kind) {
        case ControlKind::CheckBox:
        case ControlKind::Radio:
            value = std::to_wstring(SendMessageW(control.window, BM_GETCHECK, 0, 0));
            break;
        case ControlKind::Combo:   // a drop-down list's text is its selection
        case ControlKind::Edit:
            value = WindowText(control.window);
            break;
        case ControlKind::ListBox:
            value = std::to_wstring(SendMessageW(control.window, LB_GETCURSEL, 0, 0));
            break;
        case ControlKind::ListView:
            value = std::to_wstring(SelectedListItem(control.window));
            break;
        default:
            continue;
        }
        entries.push_back(std::to_string(control.id) + " (" + KindName(control.kind) + ")=" + Narrow(value));
    }
    return entries;
}

std::vector<std::string> CompareSnapshots(const std::vector<std::string>& before,
                                          const std::vector<std::string>& after, const std::string& where)
{
    std::vector<std::string> findings;
    if (before.size() != after.size()) {
        findings.push_back(where + ": " + std::to_string(before.size()) + " controls before, " +
                           std::to_string(after.size()) + " after");
        return findings;
    }
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i])
            findings.push_back(where + ": before OK " + before[i] + ", reopened " + after[i]);
    return findings;
}
