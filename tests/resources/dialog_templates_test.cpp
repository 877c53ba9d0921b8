// The dialog templates: each holds exactly its controls, with their kinds and
// captions, creates for real, and is laid out for eyes and keyboard alike.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialog_template.h"
#include "installed_library.h"
#include "resources/resource_ids.h"
#include "support/printer_bench.h"
#include "support/window_facts.h"
#include "template_table.h"

namespace {

struct KindTraits {
    const wchar_t* className;
    DWORD typeMask;   // the style bits that make the kind
    DWORD type;
    DWORD required;   // further bits it must have
    DWORD forbidden;
};

KindTraits TraitsOf(Kind kind)
{
    const DWORD updown = UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS | UDS_AUTOBUDDY | UDS_ALIGNRIGHT;
    switch (kind) {
    case Kind::Label: return {L"Static", SS_TYPEMASK, SS_LEFT, 0, 0};
    case Kind::Note: return {L"Static", SS_TYPEMASK, SS_LEFT, 0, WS_GROUP};
    case Kind::CentredLabel: return {L"Static", SS_TYPEMASK, SS_CENTER, 0, 0};
    case Kind::Frame: return {L"Button", BS_TYPEMASK, BS_GROUPBOX, 0, 0};
    case Kind::FirstRadio: return {L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP, 0};
    case Kind::Radio: return {L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, 0, WS_GROUP};
    case Kind::Check: return {L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP, 0};
    case Kind::DropList: return {L"ComboBox", 3, CBS_DROPDOWNLIST, WS_VSCROLL | WS_TABSTOP, 0};
    case Kind::Number: return {L"Edit", 3, ES_RIGHT, WS_TABSTOP, ES_MULTILINE | ES_PASSWORD};
    case Kind::UpDown: return {L"msctls_updown32", 0, 0, updown, WS_TABSTOP};
    case Kind::Password: return {L"Edit", 0, 0, ES_PASSWORD | ES_NUMBER | WS_TABSTOP, ES_MULTILINE};
    case Kind::Picture: return {L"Static", SS_TYPEMASK, SS_ICON, 0, 0};
    case Kind::Banner: return {L"Static", SS_TYPEMASK, SS_BITMAP, 0, 0};
    case Kind::Button: return {L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0};
    case Kind::DefaultButton: return {L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP, 0};
    case Kind::PaperIcons:
        return {L"SysListView32", LVS_TYPEMASK | LVS_ALIGNMASK, LVS_ICON | LVS_ALIGNLEFT,
                LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | WS_TABSTOP, 0};
    case Kind::FontTable:
        return {L"SysListView32", LVS_TYPEMASK, LVS_REPORT,
                LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING | WS_TABSTOP, 0};
    case Kind::FileList: return {L"ListBox", 0, 0, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 0};
    }
    return {};
}

bool HasText(Kind kind)
{
    return kind == Kind::Label || kind == Kind::Note || kind == Kind::CentredLabel || kind == Kind::Frame ||
           kind == Kind::FirstRadio || kind == Kind::Radio || kind == Kind::Check || kind == Kind::Button ||
           kind == Kind::DefaultButton;
}

int NormalId(int id)
{
    return (id & 0xFFFF) == 0xFFFF ? -1 : id;
}

std::string Name(const TemplateRow& row)
{
    return "template " + std::to_string(row.id);
}

std::string Name(const TemplateRow& row, int control)
{
    return Name(row) + " control " + std::to_string(control);
}

// The template's items matched to the table's rows, in template order.
struct Matched {
    const ControlRow* row;
    const TemplateItem* item;
};

std::vector<Matched> Match(const TemplateRow& row, const DialogTemplate& dialog)
{
    std::vector<Matched> matched;
    std::vector<bool> used(row.controls.size());
    for (const TemplateItem& item : dialog.items) {
        const ControlRow* found = nullptr;
        for (size_t i = 0; i < row.controls.size() && !found; ++i) {
            const ControlRow& control = row.controls[i];
            if (!used[i] && control.id == NormalId(item.id) && (control.id != IDC_STATIC || item.text == control.caption)) {
                used[i] = true;
                found = &control;
            }
        }
        matched.push_back({found, &item});
    }
    return matched;
}

INT_PTR CALLBACK AcceptingProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// One template created for real: pages as children of a frame window,
// modal dialogs on their own (shown neither way).
class LiveDialog {
public:
    explicit LiveDialog(const TemplateRow& row)
    {
        if (row.page)
            owner_ = CreateWindowExW(0, L"Static", L"sheet", WS_OVERLAPPEDWINDOW, 0, 0, 900, 800, nullptr, nullptr,
                                     nullptr, nullptr);
        dialog_ = CreateDialogParamW(InstalledResourceLibrary(), MAKEINTRESOURCEW(row.id), owner_, AcceptingProc, 0);
    }
    ~LiveDialog()
    {
        if (dialog_)
            DestroyWindow(dialog_);
        if (owner_)
            DestroyWindow(owner_);
    }
    LiveDialog(const LiveDialog&) = delete;
    LiveDialog& operator=(const LiveDialog&) = delete;

    HWND window() const { return dialog_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }

    // Direct children in creation order.
    std::vector<HWND> Children() const
    {
        std::vector<HWND> children;
        for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }

    // A child's rectangle in the dialog's client coordinates.
    RECT Place(HWND child) const
    {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

private:
    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
};

// The access key of a caption, lower case, or 0.
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

// The caption as drawn: lines, with the access key marker taken out.
std::vector<std::wstring> DrawnLines(std::wstring caption, bool prefix)
{
    if (prefix) {
        std::wstring plain;
        for (size_t i = 0; i < caption.size(); ++i) {
            if (caption[i] == L'&' && i + 1 < caption.size())
                ++i;
            plain += caption[i];
        }
        caption = plain;
    }
    std::vector<std::wstring> lines(1);
    for (wchar_t ch : caption) {
        if (ch == L'\n')
            lines.emplace_back();
        else
            lines.back() += ch;
    }
    return lines;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// Longest texts the pages put into their fields, to check nothing is cut.
struct FieldText {
    int control;
    const wchar_t* text;
};
const FieldText kFieldTexts[] = {
    {1302, L"Auto Tray Selection"}, {1066, L"Inner Tray 1 (Lower)"}, {1036, L"Off"}, {1306, L"Image 10"}, {1102, L"10 MB"},
    {1305, L"Pattern 4"}, {1304, L"Postcard"}, {1003, L"Download TrueType Fonts"},
    {1502, L"999"}, {1503, L"400"}, {1501, L"4"}, {1504, L"4200"}, {1505, L"4200"}, {1052, L"****"},
};

class DialogTemplates : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(library = InstalledResourceLibrary(), nullptr); }
    HMODULE library = nullptr;
};

// The dialog's own font selected into a device context of the dialog, for
// measuring texts as the dialog draws them.
class DialogFontDc {
public:
    explicit DialogFontDc(HWND dialog) : dialog_(dialog), dc_(GetDC(dialog))
    {
        old_ = SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc_, &metrics_);
    }
    ~DialogFontDc()
    {
        SelectObject(dc_, old_);
        ReleaseDC(dialog_, dc_);
    }
    DialogFontDc(const DialogFontDc&) = delete;
    DialogFontDc& operator=(const DialogFontDc&) = delete;

    int LineHeight() const { return metrics_.tmHeight; }
    int Width(const std::wstring& text) const
    {
        SIZE size = {};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    }

private:
    HWND dialog_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    TEXTMETRICW metrics_ = {};
};

}  // namespace

TEST_F(DialogTemplates, EachHasItsTitleSizeKindAndFont)
{
    for (const TemplateRow& row : AllTemplates()) {
        const DialogTemplate dialog = ReadDialogTemplate(library, row.id, kResourceLanguage);
        ASSERT_TRUE(dialog.valid) << Name(row) << " is missing or not an extended template";
        EXPECT_EQ(std::wstring(row.title), dialog.title) << Name(row);
        EXPECT_EQ(row.width, dialog.cx) << Name(row);
        EXPECT_EQ(row.height, dialog.cy) << Name(row);
        EXPECT_EQ(L"MS Sans Serif", dialog.typeface) << Name(row);
        EXPECT_EQ(8, dialog.pointSize) << Name(row);
        EXPECT_TRUE(dialog.style & WS_CAPTION) << Name(row);
        if (row.page) {
            EXPECT_TRUE(dialog.style & WS_CHILD) << Name(row) << " is a page";
            EXPECT_FALSE(dialog.style & (WS_POPUP | WS_SYSMENU)) << Name(row) << " is a page";
        } else {
            EXPECT_EQ(DWORD(WS_POPUP | WS_SYSMENU | DS_MODALFRAME),
                      dialog.style & (WS_POPUP | WS_SYSMENU | DS_MODALFRAME | WS_CHILD))
                << Name(row) << " is a modal pop-up with a system menu";
        }
    }
}

TEST_F(DialogTemplates, EachHoldsExactlyItsControlsWithTheirKindsAndCaptions)
{
    for (const TemplateRow& row : AllTemplates()) {
        const DialogTemplate dialog = ReadDialogTemplate(library, row.id, kResourceLanguage);
        ASSERT_TRUE(dialog.valid) << Name(row);
        EXPECT_EQ(row.controls.size(), dialog.items.size()) << Name(row) << ": number of controls";
        for (const Matched& m : Match(row, dialog)) {
            if (!m.row) {
                ADD_FAILURE() << Name(row, NormalId(m.item->id)) << " (" << Narrow(m.item->text) << ") is not listed";
                continue;
            }
            const std::string where = Name(row, m.row->id) + " " + Narrow(m.row->caption);
            const KindTraits traits = TraitsOf(m.row->kind);
            const DWORD style = m.item->style;
            EXPECT_EQ(0, _wcsicmp(traits.className, m.item->className.c_str()))
                << where << ": class " << Narrow(m.item->className);
            EXPECT_EQ(traits.type, style & traits.typeMask) << where << ": kind";
            EXPECT_EQ(traits.required, style & traits.required) << where << ": style";
            EXPECT_EQ(0u, style & traits.forbidden) << where << ": style";
            EXPECT_EQ(!m.row->hidden, (style & WS_VISIBLE) != 0) << where << ": visible when created";
            if (m.row->kind == Kind::Banner) {
                EXPECT_EQ(IDB_BANNER, m.item->textOrdinal) << where << ": shows the banner";
            } else {
                EXPECT_EQ(std::wstring(m.row->caption), m.item->text) << where << ": caption";
            }
        }
        for (const ControlRow& control : row.controls) {
            const auto matched = Match(row, dialog);
            EXPECT_TRUE(std::any_of(matched.begin(), matched.end(), [&](const Matched& m) { return m.row == &control; }))
                << Name(row, control.id) << " " << Narrow(control.caption) << " is missing";
        }
    }
}

TEST_F(DialogTemplates, EachCreatesWithItsControlsInTheirWindowClasses)
{
    for (const TemplateRow& row : AllTemplates()) {
        LiveDialog live(row);
        ASSERT_NE(live.window(), nullptr) << Name(row) << " did not create";
        std::multiset<int> expected, created;
        for (const ControlRow& control : row.controls)
            expected.insert(control.id);
        for (HWND child : live.Children())
            created.insert(NormalId(GetDlgCtrlID(child)));
        EXPECT_EQ(expected, created) << Name(row);

        for (const ControlRow& control : row.controls) {
            if (control.id == IDC_STATIC)
                continue;
            HWND window = live.control(control.id);
            ASSERT_NE(window, nullptr) << Name(row, control.id);
            EXPECT_EQ(std::wstring(TraitsOf(control.kind).className), ClassOf(window)) << Name(row, control.id);
            if (HasText(control.kind)) {
                EXPECT_EQ(std::wstring(control.caption), TextOf(window)) << Name(row, control.id);
            }
        }
    }
}

TEST_F(DialogTemplates, NoTwoVisibleControlsOverlapAndFramesHoldWhatTheyCross)
{
    for (const TemplateRow& row : AllTemplates()) {
        LiveDialog live(row);
        ASSERT_NE(live.window(), nullptr) << Name(row);
        const int captionHeight = DialogFontDc(live.window()).LineHeight();

        RECT client;
        GetClientRect(live.window(), &client);
        std::vector<HWND> shown;
        for (HWND child : live.Children()) {
            if (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)
                shown.push_back(child);
        }
        for (size_t i = 0; i < shown.size(); ++i) {
            const RECT a = live.Place(shown[i]);
            const int idA = NormalId(GetDlgCtrlID(shown[i]));
            EXPECT_TRUE(Contains(client, a)) << Name(row, idA) << " at " << Show(a) << " leaves the dialog";
            const bool frameA = (GetWindowLongW(shown[i], GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                                ClassOf(shown[i]) == L"Button";
            for (size_t j = 0; j < shown.size(); ++j) {
                if (i == j)
                    continue;
                const RECT b = live.Place(shown[j]);
                const int idB = NormalId(GetDlgCtrlID(shown[j]));
                RECT common;
                if (!IntersectRect(&common, &a, &b))
                    continue;
                if (frameA && Contains(a, b)) {
                    // Inside a frame, below the frame's caption.
                    EXPECT_GE(b.top, a.top + captionHeight)
                        << Name(row, idB) << " at " << Show(b) << " touches the caption of frame " << idA;
                    continue;
                }
                const bool frameB = (GetWindowLongW(shown[j], GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                                    ClassOf(shown[j]) == L"Button";
                if (frameB && Contains(b, a))
                    continue;
                // An up-down covers the edge of the field it drives (checked below).
                if (reinterpret_cast<HWND>(SendMessageW(shown[i], UDM_GETBUDDY, 0, 0)) == shown[j] &&
                    ClassOf(shown[i]) == UPDOWN_CLASSW)
                    continue;
                if (reinterpret_cast<HWND>(SendMessageW(shown[j], UDM_GETBUDDY, 0, 0)) == shown[i] &&
                    ClassOf(shown[j]) == UPDOWN_CLASSW)
                    continue;
                if (i < j)
                    ADD_FAILURE() << Name(row) << ": controls " << idA << " " << Show(a) << " and " << idB << " "
                                  << Show(b) << " overlap";
            }
        }
    }
}

TEST_F(DialogTemplates, EveryCaptionAndFieldTextFitsItsControl)
{
    for (const TemplateRow& row : AllTemplates()) {
        LiveDialog live(row);
        ASSERT_NE(live.window(), nullptr) << Name(row);
        const DialogFontDc font(live.window());
        auto width = [&](const std::wstring& text) { return font.Width(text); };
        const int checkBox = 13 + 6;  // the box and the gap before the text
        const int arrow = GetSystemMetrics(SM_CXVSCROLL);

        for (const ControlRow& control : row.controls) {
            if (!HasText(control.kind))
                continue;
            HWND window = control.id == IDC_STATIC ? nullptr : live.control(control.id);
            if (!window) {  // unnumbered labels, found by their text
                for (HWND child : live.Children()) {
                    if (TextOf(child) == control.caption)
                        window = child;
                }
            }
            ASSERT_NE(window, nullptr) << Name(row, control.id);
            const RECT place = live.Place(window);
            const int room = place.right - place.left;
            const bool prefix = !(GetWindowLongW(window, GWL_STYLE) & SS_NOPREFIX) || ClassOf(window) == L"Button";
            const std::vector<std::wstring> lines = DrawnLines(control.caption, prefix);
            int widest = 0;
            for (const std::wstring& line : lines)
                widest = std::max(widest, width(line));
            int needed = widest;
            switch (control.kind) {
            case Kind::FirstRadio: case Kind::Radio: case Kind::Check: needed += checkBox; break;
            case Kind::Button: case Kind::DefaultButton: needed += 8; break;
            case Kind::Frame: needed += 12; break;
            default: break;
            }
            EXPECT_LE(needed, room) << Name(row, control.id) << " " << Narrow(control.caption) << " is cut";
            if (control.kind == Kind::Label || control.kind == Kind::Note || control.kind == Kind::CentredLabel) {
                EXPECT_LE(static_cast<int>(lines.size()) * font.LineHeight(), place.bottom - place.top)
                    << Name(row, control.id) << " " << Narrow(control.caption) << " loses lines";
            }
        }
        for (const FieldText& field : kFieldTexts) {
            HWND window = live.control(field.control);
            if (!window || ClassOf(window) == L"Button" || ClassOf(window) == L"Static")
                continue;
            const RECT place = live.Place(window);
            const int chrome = ClassOf(window) == L"ComboBox" ? arrow + 8 : 6;
            EXPECT_LE(width(field.text) + chrome, place.right - place.left)
                << Name(row, field.control) << " cannot show " << Narrow(field.text);
        }
    }
}

TEST_F(DialogTemplates, EachAccessKeyOfALabelLeadsToTheFieldItNames)
{
    for (const TemplateRow& row : AllTemplates()) {
        const DialogTemplate dialog = ReadDialogTemplate(library, row.id, kResourceLanguage);
        const std::vector<Matched> matched = Match(row, dialog);
        for (size_t i = 0; i < matched.size(); ++i) {
            const ControlRow* control = matched[i].row;
            if (!control || !AccessKey(control->caption) ||
                (control->kind != Kind::Label && control->kind != Kind::Frame))
                continue;
            const ControlRow* next = i + 1 < matched.size() ? matched[i + 1].row : nullptr;
            const bool field = next && (next->kind == Kind::DropList || next->kind == Kind::Number ||
                                        next->kind == Kind::PaperIcons || next->kind == Kind::FontTable);
            EXPECT_TRUE(field) << Name(row, control->id) << " " << Narrow(control->caption)
                               << " is not followed by the field it names";
        }
    }
}

TEST_F(DialogTemplates, TabStopsFollowTheReadingOrder)
{
    // Each next stop lies lower on the page, or in a column further right.
    for (const TemplateRow& row : AllTemplates()) {
        const DialogTemplate dialog = ReadDialogTemplate(library, row.id, kResourceLanguage);
        const TemplateItem* previous = nullptr;
        for (const TemplateItem& item : dialog.items) {
            if (!(item.style & WS_TABSTOP))
                continue;
            if (previous) {
                EXPECT_TRUE(item.y >= previous->y || item.x >= previous->x + previous->cx)
                    << Name(row) << ": tab goes from " << previous->id << " back to " << item.id;
            }
            previous = &item;
        }
    }
}

TEST_F(DialogTemplates, ClickingARadioButtonClearsTheOthersOfItsChoice)
{
    for (const TemplateRow& row : AllTemplates()) {
        LiveDialog live(row);
        ASSERT_NE(live.window(), nullptr) << Name(row);
        std::vector<std::vector<int>> choices;
        for (const ControlRow& control : row.controls) {
            if (control.kind == Kind::FirstRadio)
                choices.emplace_back(1, control.id);
            else if (control.kind == Kind::Radio)
                choices.back().push_back(control.id);
        }
        for (const std::vector<int>& choice : choices) {
            ASSERT_GE(choice.size(), 2u) << Name(row, choice.front()) << " is a choice of one";
            for (int clicked : choice) {
                for (int other : choice)
                    CheckDlgButton(live.window(), other, other == clicked ? BST_UNCHECKED : BST_CHECKED);
                SendMessageW(live.control(clicked), BM_CLICK, 0, 0);
                for (int other : choice) {
                    EXPECT_EQ(other == clicked ? BST_CHECKED : BST_UNCHECKED, IsDlgButtonChecked(live.window(), other))
                        << Name(row, other) << " after a click on " << clicked;
                }
            }
        }
    }
}

TEST_F(DialogTemplates, UpDownsWriteTheirNumberPlainIntoTheFieldBeforeThem)
{
    int pairs = 0;
    for (const TemplateRow& row : AllTemplates()) {
        LiveDialog live(row);
        ASSERT_NE(live.window(), nullptr) << Name(row);
        for (size_t i = 1; i < row.controls.size(); ++i) {
            if (row.controls[i].kind != Kind::UpDown)
                continue;
            ++pairs;
            const int editId = row.controls[i - 1].id;
            HWND upDown = live.control(row.controls[i].id);
            HWND edit = live.control(editId);
            ASSERT_EQ(Kind::Number, row.controls[i - 1].kind) << Name(row, row.controls[i].id);
            EXPECT_EQ(edit, reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)))
                << Name(row, row.controls[i].id) << " drives another field";
            SendMessageW(upDown, UDM_SETRANGE32, 0, 5000);
            SendMessageW(upDown, UDM_SETPOS32, 0, 2970);
            EXPECT_EQ(L"2970", TextOf(edit)) << Name(row, editId) << ": no thousands separator";

            // The arrow keys in the field step the number.
            SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
            SendMessageW(edit, WM_KEYUP, VK_UP, 0);
            EXPECT_EQ(L"2971", TextOf(edit)) << Name(row, editId) << " after the up arrow";
            SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
            SendMessageW(edit, WM_KEYUP, VK_DOWN, 0);
            EXPECT_EQ(L"2970", TextOf(edit)) << Name(row, editId) << " after the down arrow";

            // The up-down sits at the field's right, covering no more than its edge.
            const RECT field = live.Place(edit), arrows = live.Place(upDown);
            EXPECT_GE(arrows.left, field.right - 2 * GetSystemMetrics(SM_CXEDGE)) << Name(row, editId);
            EXPECT_LE(arrows.left, field.right) << Name(row, editId);
            EXPECT_EQ(field.top, arrows.top) << Name(row, editId);
        }
    }
    EXPECT_EQ(10, pairs) << "copies and zoom twice, paper trays twice, width and height twice";
}

TEST_F(DialogTemplates, ThePasswordFieldTakesDigitsOnlyAndHidesThem)
{
    const TemplateRow& row = *std::find_if(AllTemplates().begin(), AllTemplates().end(),
                                           [](const TemplateRow& t) { return t.id == IDD_DEVICE_OPTIONS; });
    LiveDialog live(row);
    HWND password = live.control(1052);
    ASSERT_NE(password, nullptr);
    EXPECT_NE(0, SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0)) << "the digits show";
    for (wchar_t ch : {L'1', L'a', L'2', L'-', L'3'})
        SendMessageW(password, WM_CHAR, ch, 0);
    EXPECT_EQ(L"123", TextOf(password));
}

TEST_F(DialogTemplates, TheDeviceOptionsPageShowsTheBanner)
{
    const TemplateRow& row = *std::find_if(AllTemplates().begin(), AllTemplates().end(),
                                           [](const TemplateRow& t) { return t.id == IDD_DEVICE_OPTIONS; });
    LiveDialog live(row);
    HWND banner = live.control(173);
    ASSERT_NE(banner, nullptr);
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(shown, nullptr);
    BITMAP size = {};
    GetObjectW(shown, sizeof(size), &size);
    EXPECT_EQ(325, size.bmWidth);
    EXPECT_EQ(87, size.bmHeight);
}
