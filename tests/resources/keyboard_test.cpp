// The keyboard over every dialog template of the resource library, created
// for real from the library as the driver loads it: each access key leads to
// one control only, and Tab (with the arrow keys inside a choice) reaches
// every control that takes the focus. A page shares its access keys with the
// buttons of the real property sheet around it.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "installed_library.h"
#include "support/printer_bench.h"
#include "support/window_facts.h"

namespace {

BOOL CALLBACK AddTemplateId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int>*>(ids)->push_back(static_cast<int>(reinterpret_cast<UINT_PTR>(name)));
    return TRUE;
}

std::vector<int> TemplateIds(HMODULE library)
{
    std::vector<int> ids;
    EnumResourceNamesW(library, MAKEINTRESOURCEW(5) /* RT_DIALOG */, AddTemplateId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

INT_PTR CALLBACK AcceptingProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

bool IsGroupBox(HWND window)
{
    return ClassOf(window) == L"Button" && (StyleOf(window) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsRadio(HWND window)
{
    const DWORD type = StyleOf(window) & BS_TYPEMASK;
    return ClassOf(window) == L"Button" && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

wchar_t AccessKey(const std::wstring& caption);

// The access key of a control's caption, lower case, or 0: buttons, group
// boxes and text labels that do not show their ampersands.
wchar_t AccessKey(HWND window)
{
    const std::wstring name = ClassOf(window);
    const DWORD style = StyleOf(window);
    if (name == L"Static") {
        const DWORD type = style & SS_TYPEMASK;
        if ((style & SS_NOPREFIX) || (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT &&
                                      type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP))
            return 0;
    } else if (name != L"Button") {
        return 0;
    }
    return AccessKey(TextOf(window));
}

wchar_t AccessKey(const std::wstring& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == L'&') {
            if (caption[i + 1] != L'&')
                return static_cast<wchar_t>(towlower(caption[i + 1]));
            ++i;
        }
    }
    return 0;
}

// Controls the user works with; labels, frames and pictures take no focus,
// and an up-down answers the arrow keys of the field it drives.
bool TakesFocus(HWND window)
{
    const std::wstring name = ClassOf(window);
    if (name == L"Button")
        return !IsGroupBox(window);
    return name == L"Edit" || name == L"ComboBox" || name == L"ListBox" || name == WC_LISTVIEWW;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::string Describe(HWND window)
{
    return "control " + std::to_string(static_cast<short>(GetDlgCtrlID(window))) + " (" + Narrow(ClassOf(window)) +
           " \"" + Narrow(TextOf(window)) + "\")";
}

bool IsPageTemplate(HMODULE library, int id)
{
    HRSRC found = FindResourceExW(library, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), kResourceLanguage);
    const auto* data = found ? static_cast<const WORD*>(LockResource(LoadResource(library, found))) : nullptr;
    // An extended template: version, signature, help id, extended style, style.
    return data && data[1] == 0xFFFF && (*reinterpret_cast<const DWORD*>(data + 6) & WS_CHILD);
}

// One template of the library, created for real (not shown): a page as the
// child of a frame window, a modal dialog on its own.
class LiveTemplate {
public:
    LiveTemplate(HMODULE library, int id)
    {
        if (IsPageTemplate(library, id))
            owner_ = CreateWindowExW(0, L"Static", L"sheet", WS_OVERLAPPEDWINDOW, 0, 0, 900, 800, nullptr, nullptr,
                                     nullptr, nullptr);
        dialog_ = CreateDialogParamW(library, MAKEINTRESOURCEW(id), owner_, AcceptingProc, 0);
    }
    ~LiveTemplate()
    {
        if (dialog_)
            DestroyWindow(dialog_);
        if (owner_)
            DestroyWindow(owner_);
    }
    LiveTemplate(const LiveTemplate&) = delete;
    LiveTemplate& operator=(const LiveTemplate&) = delete;

    HWND dialog() const { return dialog_; }
    bool page() const { return owner_ != nullptr; }

    // Every control, as it is in one state or another: enabled and shown.
    void EnableAndShowAll() const
    {
        for (HWND child : Children(dialog_)) {
            EnableWindow(child, TRUE);
            ShowWindow(child, SW_SHOWNA);
        }
    }

private:
    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
};

// The buttons of the real property sheet around a page, which share the
// page's access keys: the sheet's own children but the page.
std::vector<std::wstring> SheetButtonCaptions(HMODULE library, int pageId)
{
    PROPSHEETPAGEW record = {};
    record.dwSize = sizeof(record);
    record.hInstance = library;
    record.pszTemplate = MAKEINTRESOURCEW(pageId);
    record.pfnDlgProc = AcceptingProc;
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS;
    header.pszCaption = L"Keyboard";
    header.nPages = 1;
    header.ppsp = &record;
    HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    std::vector<std::wstring> captions;
    if (!sheet)
        return captions;
    HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (HWND child : Children(sheet)) {
        if (child != page && ClassOf(child) == L"Button")
            captions.push_back(TextOf(child));
    }
    DestroyWindow(sheet);
    return captions;
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(library = InstalledResourceLibrary(), nullptr);
        ids = TemplateIds(library);
        ASSERT_EQ(16u, ids.size()) << "templates in the library";
    }
    HMODULE library = nullptr;
    std::vector<int> ids;
};

}  // namespace

TEST_F(Keyboard, AccessKeysAreUniqueWithinEachPageWithItsSheetAndEachDialog)
{
    std::vector<std::wstring> sheetButtons;
    for (int id : ids) {
        if (IsPageTemplate(library, id) && sheetButtons.empty())
            sheetButtons = SheetButtonCaptions(library, id);
    }
    ASSERT_FALSE(sheetButtons.empty()) << "the property sheet showed no buttons";

    for (int id : ids) {
        LiveTemplate live(library, id);
        ASSERT_NE(live.dialog(), nullptr) << "template " << id;
        std::map<wchar_t, std::string> keys;
        if (live.page()) {
            for (const std::wstring& caption : sheetButtons) {
                if (const wchar_t key = AccessKey(caption))
                    keys.emplace(key, "the sheet's button \"" + Narrow(caption) + "\"");
            }
        }
        for (HWND control : Children(live.dialog())) {
            const wchar_t key = AccessKey(control);
            if (!key)
                continue;
            const auto [other, added] = keys.emplace(key, Describe(control));
            EXPECT_TRUE(added) << "template " << id << ": " << Describe(control) << " and " << other->second
                               << " share the access key " << Narrow(std::wstring(1, key));
        }
    }
}

TEST_F(Keyboard, TabAndTheArrowKeysOfAChoiceReachEveryControlThatTakesTheFocus)
{
    for (int id : ids) {
        LiveTemplate live(library, id);
        ASSERT_NE(live.dialog(), nullptr) << "template " << id;
        live.EnableAndShowAll();
        HWND dialog = live.dialog();

        std::set<HWND> reached;
        HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
        for (HWND stop = first; stop && reached.insert(stop).second;)
            stop = GetNextDlgTabItem(dialog, stop, FALSE);
        // From a radio button the arrow keys go round its choice.
        for (HWND stop : std::set<HWND>(reached)) {
            if (!IsRadio(stop))
                continue;
            for (HWND next = GetNextDlgGroupItem(dialog, stop, FALSE); next && next != stop;
                 next = GetNextDlgGroupItem(dialog, next, FALSE)) {
                if (!reached.insert(next).second)
                    break;
            }
        }
        int controls = 0;
        for (HWND control : Children(dialog)) {
            if (!TakesFocus(control))
                continue;
            ++controls;
            EXPECT_TRUE(reached.count(control)) << "template " << id << ": the keyboard never reaches "
                                                << Describe(control);
        }
        EXPECT_GT(controls, 0) << "template " << id;
    }
}
