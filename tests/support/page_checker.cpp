#include "support/page_checker.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "docsheet/choice_pictures.h"
#include "platform/driver_interface.h"
#include "facts/printer_call.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "../resources/resource_ids.h"

namespace {

using Findings = std::vector<std::string>;

std::string ClassOf(HWND control)
{
    char name[64] = "";
    GetClassNameA(control, name, sizeof(name));
    return name;
}

LONG StyleOf(HWND control)
{
    return GetWindowLongW(control, GWL_STYLE);
}

bool IsRadio(HWND control)
{
    const LONG type = StyleOf(control) & BS_TYPEMASK;
    return lstrcmpiA(ClassOf(control).c_str(), "Button") == 0 &&
           (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

bool IsChecked(HWND control)
{
    return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Shown and enabled, as the user sees it: a control on a page that is not
// the current one counts by its own style.
bool Usable(HWND control)
{
    return (StyleOf(control) & WS_VISIBLE) && IsWindowEnabled(control);
}

std::string Ids(const std::vector<HWND>& controls)
{
    std::string text;
    for (HWND control : controls)
        text += (text.empty() ? "" : ",") + std::to_string(GetDlgCtrlID(control));
    return text;
}

// The groups as the dialog manager walks them: a control with WS_GROUP
// opens a group, and every later control without it belongs to it. Only
// the radio buttons of a group count; a group of hidden radios is an
// option the model lacks.
std::vector<std::vector<HWND>> RadioGroups(HWND dialog)
{
    std::vector<std::vector<HWND>> groups;
    bool inGroup = false;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (StyleOf(control) & WS_GROUP) {
            groups.emplace_back();
            inGroup = true;
        }
        if (IsRadio(control)) {
            if (!inGroup) {
                groups.emplace_back();
                inGroup = true;
            }
            groups.back().push_back(control);
        }
    }
    return groups;
}

void CheckRadioGroups(HWND dialog, const std::string& name, Findings* findings)
{
    const std::vector<std::vector<HWND>> groups = RadioGroups(dialog);
    for (const auto& group : groups) {
        if (group.empty())
            continue;
        std::vector<HWND> checked;
        bool shown = false;
        for (HWND radio : group) {
            shown = shown || (StyleOf(radio) & WS_VISIBLE);
            if (IsChecked(radio))
                checked.push_back(radio);
        }
        if (shown && checked.size() != 1)
            findings->push_back(name + ": radio group " + Ids(group) + " has " + std::to_string(checked.size()) +
                                " checked" + (checked.empty() ? "" : " (" + Ids(checked) + ")") + ", expected 1");
    }
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

// The substitutes list follows the table's chosen row: it shows the first
// substitute that begins with the row's, and none when the stored table
// names a font the list does not offer.
void CheckSubstituteList(HWND dialog, HWND combo, const std::string& name, Findings* findings)
{
    HWND table = GetDlgItem(dialog, IDC_FONTSUBS_TABLE);
    const LRESULT row = SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0) {
        findings->push_back(name + ": table " + std::to_string(IDC_FONTSUBS_TABLE) + " has no chosen row");
        return;
    }
    WCHAR substitute[128] = L"";
    LVITEMW item = {};
    item.iSubItem = 1;
    item.pszText = substitute;
    item.cchTextMax = 128;
    SendMessageW(table, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    const LRESULT expected =
        SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(substitute));
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected != (expected < 0 ? CB_ERR : expected))
        findings->push_back(name + ": list " + std::to_string(IDC_FONTSUBS_LIST) + " shows item " +
                            std::to_string(selected) + " for row " + std::to_string(row) + "'s substitute \"" +
                            Narrow(substitute) + "\", expected " + std::to_string(expected));
}

void CheckLists(HWND dialog, const std::string& name, Findings* findings)
{
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!Usable(control))
            continue;
        const std::string kind = ClassOf(control);
        const int id = GetDlgCtrlID(control);
        if (id == IDC_FONTSUBS_LIST) {
            CheckSubstituteList(dialog, control, name, findings);
        } else if (lstrcmpiA(kind.c_str(), "ComboBox") == 0) {
            const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
            const LRESULT selected = SendMessageW(control, CB_GETCURSEL, 0, 0);
            if (selected < 0 || selected >= count)
                findings->push_back(name + ": combo box " + std::to_string(id) + " has selection " +
                                    std::to_string(selected) + " of " + std::to_string(count) + " items");
        } else if (lstrcmpiA(kind.c_str(), WC_LISTVIEWA) == 0 && (StyleOf(control) & LVS_SINGLESEL) &&
                   (StyleOf(control) & LVS_TYPEMASK) == LVS_ICON) {
            // The paper list: one paper is always chosen.
            const LRESULT count = SendMessageW(control, LVM_GETITEMCOUNT, 0, 0);
            const LRESULT selected = SendMessageW(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
            if (count > 0 && selected < 0)
                findings->push_back(name + ": list " + std::to_string(id) + " has no selection of " +
                                    std::to_string(count) + " items");
        }
    }
}

bool IsIconPicture(HWND control)
{
    return control && lstrcmpiA(ClassOf(control).c_str(), "Static") == 0 &&
           (StyleOf(control) & SS_TYPEMASK) == SS_ICON;
}

// Each picture beside a group shows an icon of its checked choice's row.
void CheckPictures(HWND dialog, HINSTANCE library, const std::string& name, Findings* findings)
{
    int count = 0;
    const ChoicePicture* rows = ChoicePictures(&count);
    for (int i = 0; i < count; ++i) {
        const ChoicePicture& row = rows[i];
        HWND picture = GetDlgItem(dialog, row.picture);
        HWND radio = GetDlgItem(dialog, row.radio);
        if (!IsIconPicture(picture) || !radio || !IsRadio(radio) || !IsChecked(radio))
            continue;
        const auto shown = reinterpret_cast<HICON>(SendMessageW(picture, STM_GETICON, 0, 0));
        int shownIcon = 0;
        for (int icon = row.firstIcon; icon <= row.lastIcon && !shownIcon; ++icon) {
            if (shown && shown == LoadIconW(library, MAKEINTRESOURCEW(icon)))
                shownIcon = icon;
        }
        if (!shownIcon)
            findings->push_back(name + ": picture " + std::to_string(row.picture) + " beside checked " +
                                std::to_string(row.radio) + " shows none of icons " + std::to_string(row.firstIcon) +
                                ".." + std::to_string(row.lastIcon));
    }
}

void CheckWindow(HWND dialog, HINSTANCE library, const std::string& name, Findings* findings)
{
    CheckRadioGroups(dialog, name, findings);
    CheckLists(dialog, name, findings);
    CheckPictures(dialog, library, name, findings);
}


// ---- the record

template <typename Char, size_t N>
void CheckTerminated(const Char (&text)[N], const char* field, Findings* findings)
{
    for (size_t i = 0; i < N; ++i) {
        if (text[i] == 0)
            return;
    }
    findings->push_back(std::string("record: ") + field + " has no terminator in its " + std::to_string(N) +
                        " units");
}

void CheckRange(long value, long low, long high, const char* field, Findings* findings)
{
    if (value < low || value > high)
        findings->push_back(std::string("record: ") + field + " " + std::to_string(value) + ", expected " +
                            std::to_string(low) + ".." + std::to_string(high));
}

void CheckEqual(unsigned long value, unsigned long expected, const char* field, Findings* findings)
{
    if (value != expected)
        findings->push_back(std::string("record: ") + field + " " + std::to_string(value) + ", expected " +
                            std::to_string(expected));
}

// A paper code the platform defines (up to the user-defined size), or one
// of the printer model's own papers, as the driver's paper lookups know them.
bool KnownPaper(int16_t code, HANDLE printer)
{
    if (code >= DMPAPER_FIRST && code <= DMPAPER_USER)
        return true;
    if (!printer)
        return false;
    PrinterCall call;
    call.printer = printer;
    return AvailablePaperRowOfCode(FetchModel(&call), code) != nullptr;
}

void CheckFields(const DocumentSettings& s, HANDLE printer, Findings* findings)
{
    // The fields every record of this driver carries, and those that hold
    // more than their default; a flagged public field holds a value this
    // driver takes in.
    DWORD needed = DM_ORIENTATION | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY | DM_YRESOLUTION | DM_TTOPTION;
    needed |= s.dmPaperSize == 256 ? DM_PAPERLENGTH | DM_PAPERWIDTH : DM_PAPERSIZE;
    if (s.dmDuplex != 0)
        needed |= DM_DUPLEX;
    if (s.dmCollate != 0)
        needed |= DM_COLLATE;
    if ((s.dmFields & needed) != needed) {
        char text[112];
        wsprintfA(text, "record: dmFields 0x%lX lacks 0x%lX (paper %d, duplex %d, collate %d)", s.dmFields,
                  needed & ~s.dmFields, s.dmPaperSize, s.dmDuplex, s.dmCollate);
        findings->push_back(text);
    }
    struct Flagged {
        DWORD bit;
        const char* field;
        long value, low, high;
    };
    const Flagged flagged[] = {
        {DM_ORIENTATION, "dmOrientation", s.dmOrientation, 1, 2},
        {DM_PAPERLENGTH, "dmPaperLength", s.dmPaperLength, 1, 32767},
        {DM_PAPERWIDTH, "dmPaperWidth", s.dmPaperWidth, 1, 32767},
        {DM_SCALE, "dmScale", s.dmScale, 25, 400},
        {DM_COPIES, "dmCopies", s.dmCopies, 1, 999},
        {DM_PRINTQUALITY, "dmPrintQuality", s.dmPrintQuality, -4, -1},
        {DM_DUPLEX, "dmDuplex", s.dmDuplex, 0, 3},
        {DM_TTOPTION, "dmTTOption", s.dmTTOption, 1, 3},
        {DM_COLLATE, "dmCollate", s.dmCollate, 0, 1},
    };
    for (const Flagged& f : flagged) {
        if (s.dmFields & f.bit)
            CheckRange(f.value, f.low, f.high, f.field, findings);
    }
    if ((s.dmFields & DM_PAPERSIZE) && !KnownPaper(s.dmPaperSize, printer))
        findings->push_back("record: dmPaperSize " + std::to_string(s.dmPaperSize) +
                            ", expected 1..256 or a paper of the printer's model");
    if ((s.dmFields & DM_FORMNAME) && s.dmFormName[0] == 0)
        findings->push_back("record: dmFormName flagged but empty");
}

void CheckChoices(const DocumentSettings& s, Findings* findings)
{
    struct Ranged {
        const char* field;
        long value, low, high;
    };
    const Ranged ranged[] = {
        {"memoryCode", s.memoryCode, 1, 4},
        {"driverCollate", s.driverCollate, 0, 1},
        {"scalingMode", s.scalingMode, 0, 2},
        {"blackText", s.blackText, 0, 1},
        {"reverseOrder", s.reverseOrder, 0, 1},
        {"trueTypeAsGraphics", s.trueTypeAsGraphics, 0, 1},
        {"handlingListChoice", s.handlingListChoice, 0, 10},
        {"sorterMode", s.sorterMode, 0, 1},
        {"orderChoice", s.orderChoice, 0, 1},
        {"userPaperWidth", s.userPaperWidth, 1, 32767},
        {"userPaperLength", s.userPaperLength, 1, 32767},
        {"userPaperMetric", s.userPaperMetric, 0, 1},
        {"userSizeUnit", s.userSizeUnit, 0, 1},
        {"zoomPercent", s.zoomPercent, 25, 400},
        {"nUpPosition", s.nUpPosition, 0, 3},
        {"layoutMode", s.layoutMode, 0, 3},
        {"rotate", s.rotate, 0, 1},
        {"smoothing", s.smoothing, 0, 1},
        {"useDeviceFonts", s.useDeviceFonts, 0, 1},
        {"staple", s.staple, 0, 1},
        {"duplexOn", s.duplexOn, 0, 1},
        {"duplexBinding", s.duplexBinding, 1, 2},
        {"bindingMargin", s.bindingMargin, 0, 1},
        {"tonerSave", s.tonerSave, 0, 1},
        {"booklet", s.booklet, 0, 1},
        {"securityPrint", s.securityPrint, 0, 1},
        {"outputBin", s.outputBin, 0, 3},
        {"shift", s.shift, 0, 1},
        {"driverControlsSort", s.driverControlsSort, 0, 1},
        {"blackTextChoice", s.blackTextChoice, 0, 1},
    };
    for (const Ranged& r : ranged)
        CheckRange(r.value, r.low, r.high, r.field, findings);
    if (s.resolutionDpi != 300 && s.resolutionDpi != 600)
        findings->push_back("record: resolutionDpi " + std::to_string(s.resolutionDpi) + ", expected 300 or 600");
    if (s.reverseOrder == s.orderChoice)
        findings->push_back("record: reverseOrder and orderChoice both " + std::to_string(s.orderChoice));
}

}  // namespace

std::vector<std::string> CheckSheet(SheetHost& host, const DocumentSettings* output)
{
    Findings findings;
    if (host.sheet() && IsWindow(host.sheet()) && !host.closed()) {
        for (int i = 0; i < host.pageCount(); ++i) {
            HWND page = reinterpret_cast<HWND>(SendMessageW(host.sheet(), PSM_INDEXTOHWND, i, 0));
            if (!page)
                continue;   // not created yet
            const std::wstring title = host.pageTitle(i);
            const std::string name = "page " + std::to_string(i) + (title.empty() ? "" : " " + Narrow(title));
            CheckWindow(page, host.pageRecord(i).hInstance, name, &findings);
        }
    }
    if (output) {
        const auto* header = reinterpret_cast<const DOCUMENTPROPERTYHEADER*>(host.info().lParamInit);
        for (const std::string& finding : CheckSettingsRecord(*output, header ? header->hPrinter : nullptr))
            findings.push_back(finding);
    }
    return findings;
}

std::vector<std::string> CheckDialog(HWND dialog, const char* name)
{
    Findings findings;
    if (dialog && IsWindow(dialog))
        CheckWindow(dialog, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), name, &findings);
    return findings;
}

std::vector<std::string> CheckSettingsRecord(const DocumentSettings& s, HANDLE printer)
{
    Findings findings;
    CheckEqual(s.dmSize, 220, "dmSize", &findings);
    CheckEqual(s.dmDriverExtra, 3868, "dmDriverExtra", &findings);
    CheckEqual(s.dmSpecVersion, 0x0401, "dmSpecVersion", &findings);
    CheckEqual(s.dmDriverVersion, 0x080F, "dmDriverVersion", &findings);
    CheckEqual(s.privateSignature, kPrivateSignature, "privateSignature", &findings);
    CheckEqual(s.choiceMagic, kChoiceMagic, "choiceMagic", &findings);
    CheckTerminated(s.dmDeviceName, "dmDeviceName", &findings);
    CheckTerminated(s.dmFormName, "dmFormName", &findings);
    CheckTerminated(s.fixedPitchDeviceFont, "fixedPitchDeviceFont", &findings);
    CheckTerminated(s.proportionalDeviceFont, "proportionalDeviceFont", &findings);
    CheckTerminated(s.renderTextLong, "renderTextLong", &findings);
    CheckTerminated(s.renderTextShort, "renderTextShort", &findings);
    CheckTerminated(s.jobIdentification, "jobIdentification", &findings);
    CheckTerminated(s.pjlHeader, "pjlHeader", &findings);
    CheckTerminated(s.pjlTrailer, "pjlTrailer", &findings);
    CheckFields(s, printer, &findings);
    CheckChoices(s, &findings);
    return findings;
}

DWORD HelpTopicOf(const std::vector<DWORD>& pairs, int id)
{
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        if (pairs[i] == static_cast<DWORD>(id))
            return pairs[i + 1];
    }
    return 0;
}

std::vector<std::string> CheckHelpTopics(HWND page, const std::vector<DWORD>& pairs, const char* name)
{
    auto topicOf = [&pairs](HWND control) { return HelpTopicOf(pairs, GetDlgCtrlID(control)); };
    Findings findings;
    auto expectSame = [&](HWND first, HWND second, const char* why) {
        if (topicOf(first) != topicOf(second))
            findings.push_back(std::string(name) + ": " + why + " " + std::to_string(GetDlgCtrlID(first)) +
                               " has topic " + std::to_string(topicOf(first)) + ", control " +
                               std::to_string(GetDlgCtrlID(second)) + " has " + std::to_string(topicOf(second)));
    };
    for (const auto& group : RadioGroups(page)) {
        for (HWND radio : group)
            expectSame(group[0], radio, "radio");
    }
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string kind = ClassOf(child);
        WCHAR text[128] = L"";
        GetWindowTextW(child, text, 128);
        const bool groupBox = lstrcmpiA(kind.c_str(), "Button") == 0 && (StyleOf(child) & BS_TYPEMASK) == BS_GROUPBOX;
        const bool label = lstrcmpiA(kind.c_str(), "Static") == 0 && wcschr(text, L'&');
        HWND named = GetWindow(child, GW_HWNDNEXT);
        if ((groupBox || label) && topicOf(child) && named)
            expectSame(child, named, groupBox ? "group" : "label");
    }
    return findings;
}

std::string JoinFindings(const std::vector<std::string>& findings)
{
    std::string text;
    for (const auto& finding : findings)
        text += finding + "\n";
    return text;
}
