#include "docsheet/handling_controls.h"

#include <iterator>

#include "platform/dialog_controls.h"
#include "docsheet/choice_pictures.h"
#include "sheet/control_lists.h"
#include "docsheet/handling_page.h"
#include "sheet/sheet_model.h"
#include "platform/resource_library.h"
#include "job/pjl_header.h"
#include "profile/device_options.h"
#include "profile/model_state.h"
#include "settings/page_choices.h"
#include "profile/paper_lookups.h"
#include "../resources/resource_ids.h"

namespace {


const int kSecurityGroup[] = {IDC_HANDLING_SECURE_GROUP, IDC_HANDLING_SECURE_OFF, IDC_HANDLING_SECURE_ON};
const int kFinisherControls[] = {IDC_HANDLING_SHIFT_ICON, IDC_HANDLING_SHIFT, IDC_HANDLING_STAPLE_LABEL,
                                 IDC_HANDLING_STAPLE_LIST};
const int kDuplexChoices[] = {IDC_HANDLING_LONG_EDGE, IDC_HANDLING_SHORT_EDGE, IDC_HANDLING_MARGIN_YES,
                              IDC_HANDLING_MARGIN_NO};

// One entry of a drop-down list: its text and the value it stands for.
struct ListEntry {
    UINT stringId;
    int value;
};

// What the printer had installed when the sheet opened; all zero when it
// could not be read.
const DeviceOptionData& Installed(const HandlingPage& page)
{
    return SheetFactsOf(page.state).options;
}

const ModelState& PageModel(const HandlingPage& page)
{
    return SheetFactsOf(page.state).model;
}

// The settings value in modes 1 and 2, the default in mode 0.
template <typename T>
T Loaded(int mode, T value, T fallback)
{
    return mode == kLoadDefaults ? fallback : value;
}

int16_t DefaultPaper(const HandlingPage& page)
{
    return static_cast<int16_t>(PageModel(page).paperDefault);
}

// Fills the list with `entries` and selects the first whose value is
// `value`; false when none has it (the first is selected then).
bool FillList(HWND window, int list, const ListEntry* entries, int count, int value)
{
    SendControlMessage(window, list, CB_RESETCONTENT, 0, 0);
    int selected = -1;
    for (int i = 0; i < count; ++i) {
        WCHAR text[64] = L"";
        LoadResourceString(entries[i].stringId, text, ARRAYSIZE(text));
        const LRESULT item = SendControlMessage(window, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (item >= 0)
            SendControlMessage(window, list, CB_SETITEMDATA, item, entries[i].value);
        if (selected < 0 && entries[i].value == value)
            selected = i;
    }
    SendControlMessage(window, list, CB_SETCURSEL, selected < 0 ? 0 : selected, 0);
    return selected >= 0;
}

void ShowFlipPicture(const HandlingPage& page)
{
    const bool portrait = page.settings.dmOrientation == DMORIENT_PORTRAIT;
    ShowChoicePicture(page.window, IDC_HANDLING_FLIP_ICON, portrait ? 1 : 0);
}

// The group is offered only when the model has security print and the
// printer has it set up (with memory, on models that reserve it).
void LoadSecurityRadios(const HandlingPage& page, int mode)
{
    const DeviceOptionData installed = Installed(page);
    bool keep = page.profile.security != 0 && installed.securityPrint != 0;
    if (page.profile.reserve != 0)
        keep = keep && installed.memoryIndex != 0;
    DestroyControls(page.window, kSecurityGroup, keep);
    const int32_t on = Loaded(mode, page.settings.securityPrint, 0);
    CheckRadio(page.window, IDC_HANDLING_SECURE_OFF, IDC_HANDLING_SECURE_ON,
               on ? IDC_HANDLING_SECURE_ON : IDC_HANDLING_SECURE_OFF);
}

void LoadOutputTrayList(const HandlingPage& page, int mode)
{
    const DeviceOptionData installed = Installed(page);
    int16_t bin = Loaded<int16_t>(mode, page.settings.outputBin, 0);
    if (!IsOutputBinValid(bin, installed.innerTray, installed.outerTray, installed.finisher))
        bin = 0;
    // A stored record may hold the outer tray and the finisher both.
    ListEntry entries[5] = {{IDS_OUTBIN_AUTO, 0}};
    int count = 1;
    const auto offer = [&entries, &count](UINT stringId, int value) {
        if (count < static_cast<int>(std::size(entries)))
            entries[count++] = {stringId, value};
    };
    if (installed.innerTray) {
        offer(IDS_OUTBIN_INNER1, 1);
        offer(IDS_OUTBIN_INNER2, 2);
        if (installed.outerTray)
            offer(IDS_OUTBIN_OUTER, 3);
    }
    if (installed.finisher)
        offer(IDS_OUTBIN_FINISHER, 3);
    FillList(page.window, IDC_HANDLING_OUTBIN_LIST, entries, count, bin);
}

void LoadOrder(const HandlingPage& page, int mode)
{
    const int32_t normal = Loaded(mode, page.settings.orderChoice, page.profile.orderDefault == 0 ? 1 : 0);
    CheckRadio(page.window, IDC_HANDLING_ORDER_NORMAL, IDC_HANDLING_ORDER_REVERSE,
               normal == 1 ? IDC_HANDLING_ORDER_NORMAL : IDC_HANDLING_ORDER_REVERSE);
    ShowOrderPicture(page.window);
}

}  // namespace

int SelectedValue(HWND window, int list)
{
    const LRESULT selected = SendControlMessage(window, list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return 0;
    const LRESULT value = SendControlMessage(window, list, CB_GETITEMDATA, selected, 0);
    return value == CB_ERR ? 0 : static_cast<int>(value);
}

void ShowSorterPicture(HWND window)
{
    ShowChoicePicture(window, IDC_HANDLING_SORTER_ICON);
}

void ShowOrderPicture(HWND window)
{
    ShowChoicePicture(window, IDC_HANDLING_ORDER_ICON);
}

void LoadSorter(const HandlingPage& page, int mode)
{
    const int32_t sort = Loaded(mode, page.settings.sorterMode, 0);
    CheckRadio(page.window, IDC_HANDLING_STACK, IDC_HANDLING_SORT,
               sort ? IDC_HANDLING_SORT : IDC_HANDLING_STACK);
    ShowSorterPicture(page.window);
}

// A booklet leaves nothing to staple.
void LoadStapleList(const HandlingPage& page, int mode)
{
    static const ListEntry kOffOnly[] = {{IDS_STAPLE_OFF, 0}};
    static const ListEntry kOffOn[] = {{IDS_STAPLE_OFF, 0}, {IDS_STAPLE_ON, 1}};
    DocumentSettings& s = page.settings;
    const bool booklet = mode != kLoadDefaults && s.booklet != 0;
    const ListEntry* entries = booklet ? kOffOnly : kOffOn;
    const int count = booklet ? ARRAYSIZE(kOffOnly) : ARRAYSIZE(kOffOn);
    EnableControl(page.window, IDC_HANDLING_STAPLE_LIST, !booklet);
    if (!FillList(page.window, IDC_HANDLING_STAPLE_LIST, entries, count, Loaded<int16_t>(mode, s.staple, 0)))
        s.staple = 0;
}

// A booklet needs the duplex unit and a booklet paper that the document's
// paper can be printed two in one onto; otherwise it is dropped.
void CheckBooklet(const HandlingPage& page, int mode)
{
    DocumentSettings& s = page.settings;
    const ModelState& model = PageModel(page);
    if (Installed(page).duplexUnit == 0) {
        s.booklet = 0;
        s.bookletPaper = DefaultPaper(page);
    }
    if (Loaded<int16_t>(mode, s.booklet, 0) == 0)
        s.bookletPaper = DefaultPaper(page);
    const uint32_t mask = NUpTargetMask(model, KeywordIndexOfCode(model, s.dmPaperSize), model.localeArea);
    const int last = model.lastPaperIndex < kPaperKeywordCount ? model.lastPaperIndex : kPaperKeywordCount - 1;
    for (int i = 0; i <= last; ++i) {
        if (!(mask & (1u << i)))
            continue;
        const int row = AvailablePaperOfCode(model, model.paperTable[i].paperCode);
        const int16_t candidate = model.availablePapers[row].paperCode;
        const int ratio = PaperRatio(model, kRatioTwoInOne, s.dmPaperSize, candidate);
        if (ratio >= kMinimumRatio && ratio <= kMaximumRatio && s.bookletPaper == candidate)
            return;
    }
    s.booklet = 0;
    LoadDuplexGroup(page, kLoadRefresh);
    LoadStapleList(page, kLoadRefresh);
}

void LoadDuplexGroup(const HandlingPage& page, int mode)
{
    DocumentSettings& s = page.settings;
    const bool usable = Installed(page).duplexUnit != 0 && !(mode != kLoadDefaults && s.booklet != 0);
    if (!usable) {
        s.duplexOn = 0;
        s.duplexBinding = kLongEdge;
        s.bindingMargin = 0;
    }
    CheckRadio(page.window, IDC_HANDLING_LONG_EDGE, IDC_HANDLING_SHORT_EDGE,
               Loaded<int16_t>(mode, s.duplexBinding, kLongEdge) == kLongEdge ? IDC_HANDLING_LONG_EDGE
                                                                             : IDC_HANDLING_SHORT_EDGE);
    SetChecked(page.window, IDC_HANDLING_DUPLEX, Loaded(mode, s.duplexOn, 0) != 0);
    ShowFlipPicture(page);
    // "&No" has the lower number of the two, so it opens the range.
    const int32_t margin = Loaded(mode, s.bindingMargin, 0);
    CheckRadio(page.window, IDC_HANDLING_MARGIN_NO, IDC_HANDLING_MARGIN_YES,
               margin ? IDC_HANDLING_MARGIN_YES : IDC_HANDLING_MARGIN_NO);
    ShowChoicePicture(page.window, IDC_HANDLING_MARGIN_ICON);
    EnableControl(page.window, IDC_HANDLING_DUPLEX, usable);
    EnableControls(page.window, kDuplexChoices, usable && Checked(page.window, IDC_HANDLING_DUPLEX));
}

void ApplyFinisherRule(const HandlingPage& page)
{
    const bool finisherBin = Installed(page).finisher != 0 && page.settings.outputBin == 3;
    EnableControls(page.window, kFinisherControls, finisherBin);
}

void LoadHandlingControls(const HandlingPage& page, int mode)
{
    LoadOrder(page, mode);
    LoadSorter(page, mode);
    if (page.profile.driverVariant == 2) {
        LoadStapleList(page, mode);
        CheckBooklet(page, mode);
        LoadDuplexGroup(page, mode);
        LoadSecurityRadios(page, mode);
        LoadOutputTrayList(page, mode);
        SetChecked(page.window, IDC_HANDLING_SHIFT, Loaded(mode, page.settings.shift, 0) != 0);
    }
    if (mode != kLoadRefresh)
        SendControlMessage(page.window, IDC_HANDLING_OVERLAY_LIST, CB_SETCURSEL,
                            Loaded<int16_t>(mode, page.settings.handlingListChoice, 0), 0);
    RefreshRotate(page.window, page.state, mode);
}

void WriteHandlingControls(const HandlingPage& page)
{
    HWND window = page.window;
    // Absent controls read as unchecked and as selection 0.
    HandlingChoices c = {};
    c.orderShown = DialogControl(window, IDC_HANDLING_ORDER_NORMAL) != nullptr;
    c.orderNormal = Checked(window, IDC_HANDLING_ORDER_NORMAL) ? 1 : 0;
    c.sort = Checked(window, IDC_HANDLING_STACK) ? 0 : 1;
    c.overlayShown = DialogControl(window, IDC_HANDLING_OVERLAY_LIST) != nullptr;
    if (c.overlayShown) {
        const LRESULT overlay = SendControlMessage(window, IDC_HANDLING_OVERLAY_LIST, CB_GETCURSEL, 0, 0);
        c.overlay = static_cast<int16_t>(overlay == CB_ERR ? 0 : overlay);
    }
    c.rotate = Checked(window, IDC_HANDLING_ROTATE) ? 1 : 0;
    c.bindingMargin = Checked(window, IDC_HANDLING_MARGIN_NO) ? 0 : 1;
    c.duplexBinding = Checked(window, IDC_HANDLING_LONG_EDGE) ? kLongEdge : kShortEdge;
    c.duplexOn = Checked(window, IDC_HANDLING_DUPLEX) ? 1 : 0;
    c.staple = static_cast<int16_t>(SelectedValue(window, IDC_HANDLING_STAPLE_LIST));
    c.securityPrint = Checked(window, IDC_HANDLING_SECURE_OFF) ? 0 : 1;
    c.outputBin = static_cast<int16_t>(SelectedValue(window, IDC_HANDLING_OUTBIN_LIST));
    c.shift = Checked(window, IDC_HANDLING_SHIFT) ? 1 : 0;
    StoreHandlingChoices(page.profile, c, &page.settings);
}
