#include "support/sheet_host.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/driver_interface.h"
#include "settings/document_settings.h"
#include "support/page_checker.h"
#include "support/spooler_guard.h"

namespace {

const WCHAR kSheetCaption[] = L"Printing Preferences";

#pragma pack(push, 2)
struct ExtendedTemplateHead {
    WORD version;
    WORD signature;
    DWORD helpId;
    DWORD extendedStyle;
    DWORD style;
};
#pragma pack(pop)

// The sheet is made without WS_VISIBLE: the tests read and drive its
// windows by messages, and a sheet that is never drawn opens and closes in
// a fraction of the time.
int CALLBACK KeepSheetHidden(HWND, UINT message, LPARAM param)
{
    if (message != PSCB_PRECREATE || !param)
        return 0;
    auto* words = reinterpret_cast<WORD*>(param);
    if (words[1] == 0xFFFF)   // DLGTEMPLATEEX: version, signature, help id, extended style, style
        reinterpret_cast<ExtendedTemplateHead*>(param)->style &= ~WS_VISIBLE;
    else
        reinterpret_cast<DLGTEMPLATE*>(param)->style &= ~WS_VISIBLE;
    return 0;
}

// How long a dialog may take to appear or to go: a guard against a hang,
// not a measure of speed.
constexpr DWORD kDialogGuardMs = 30000;
constexpr DWORD kPollMs = 20;

struct DialogSearch {
    HWND sheet;
    HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DialogSearch*>(param);
    WCHAR name[16] = L"";
    GetClassNameW(window, name, 16);
    if (window != search->sheet && IsWindowVisible(window) && lstrcmpW(name, L"#32770") == 0 &&
        GetWindow(window, GW_OWNER) == search->sheet) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The modal dialog the sheet's thread shows over the sheet, once it is up.
HWND WaitForDialog(DWORD thread, HWND sheet)
{
    for (DWORD waited = 0; waited < kDialogGuardMs; waited += kPollMs) {
        DialogSearch search{sheet, nullptr};
        EnumThreadWindows(thread, FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(kPollMs);
    }
    return nullptr;
}

}  // namespace

SheetHost::SheetHost(const InstalledDriver& driver, const char* entryName)
    : entry_(driver.Entry<SheetEntry>(entryName)), entryName_(entryName), help_(driver.module()),
      boxes_(driver.module()), module_(driver.module())
{
    EXPECT_NE(nullptr, entry_) << entryName;
    EXPECT_TRUE(help_.installed()) << "the driver does not import WinHelpW";
    EXPECT_TRUE(boxes_.installed()) << "the driver does not import MessageBoxW";
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
}

SheetHost::~SheetHost()
{
    Close();
}

LONG SheetHost::CallEntry(WORD reason, LPARAM param)
{
    // As the platform does: each call gets a copy of the information, and
    // what the driver leaves in UserData and Result is kept.
    PROPSHEETUI_INFO call = info_;
    call.Reason = reason;
    const LONG answer = entry_(&call, param);
    info_.UserData = call.UserData;
    info_.Result = call.Result;
    return answer;
}

LONG SheetHost::Open(void* header)
{
    if (!entry_ || opened_)
        return -1;
    opened_ = true;
    info_ = {};
    info_.cbSize = sizeof(info_);
    info_.Version = PROPSHEETUI_INFO_VERSION;
    info_.Flags = PSUIINFO_UNICODE;
    info_.hComPropSheet = reinterpret_cast<HANDLE>(this);
    info_.pfnComPropSheet = Callback;
    info_.lParamInit = reinterpret_cast<LPARAM>(header);

    const LONG answer = CallEntry(PROPSHEETUI_REASON_INIT, info_.lParamInit);
    initCalls_ = SpoolerGuard::Take(module_);   // INIT gathers; nothing after it may read
    if (answer <= 0) {
        Close();
        return answer;
    }
    const auto* document = static_cast<const DOCUMENTPROPERTYHEADER*>(header);
    if (entryName_ == "DrvDocumentPropertySheets" && (document->fMode & DM_OUT_BUFFER) &&
        document->cbOut >= kSettingsBytes)
        output_ = document->pdmOut;
    infoHeader_ = {};
    infoHeader_.cbSize = sizeof(infoHeader_);
    infoHeaderAnswer_ = CallEntry(PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(&infoHeader_));
    if (pages_.empty())
        return answer;

    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = PSH_MODELESS | PSH_USECALLBACK;
    sheet.pfnCallback = KeepSheetHidden;
    sheet.pszCaption = kSheetCaption;
    sheet.nPages = static_cast<UINT>(pages_.size());
    sheet.phpage = pages_.data();
    sheet_ = reinterpret_cast<HWND>(PropertySheetW(&sheet));
    EXPECT_NE(nullptr, sheet_) << "PropertySheetW refused the driver's pages";
    Pump();
    CheckPages("the sheet opened");
    return answer;
}

LONG_PTR CALLBACK SheetHost::Callback(HANDLE handle, UINT function, LPARAM first, LPARAM second)
{
    auto* host = reinterpret_cast<SheetHost*>(handle);
    switch (function) {
    case CPSFUNC_ADD_PROPSHEETPAGEW: {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(first);
        // The platform refuses a record shorter than the first version's.
        if (!page || page->dwSize < PROPSHEETPAGEW_V1_SIZE)
            return 0;
        PROPSHEETPAGEW copy = {};
        CopyMemory(&copy, page, page->dwSize < sizeof(copy) ? page->dwSize : sizeof(copy));
        HPROPSHEETPAGE created = CreatePropertySheetPageW(page);
        if (!created)
            return 0;
        host->pages_.push_back(created);
        host->pageRecords_.push_back(copy);
        host->pageTitles_.push_back((page->dwFlags & PSP_USETITLE) && page->pszTitle && !IS_INTRESOURCE(page->pszTitle)
                                        ? page->pszTitle
                                        : L"");
        return reinterpret_cast<LONG_PTR>(created);
    }
    case CPSFUNC_SET_RESULT: {
        SETRESULT_INFO result = {sizeof(result), 0, reinterpret_cast<HANDLE>(first), second};
        const LONG answer = host->CallEntry(PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result));
        host->setResults_.push_back({result.hSetResult, second, answer});
        return 1;
    }
    default:
        ADD_FAILURE() << "the driver asked the sheet for function " << function;
        return 0;
    }
}

HANDLE SheetHost::pageHandle(int index) const
{
    return index >= 0 && index < pageCount() ? reinterpret_cast<HANDLE>(pages_[index]) : nullptr;
}

void SheetHost::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (sheet_ && PropSheet_IsDialogMessage(sheet_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HWND SheetHost::CurrentPage() const
{
    return sheet_ ? PropSheet_GetCurrentPageHwnd(sheet_) : nullptr;
}

HWND SheetHost::ShowPage(int index)
{
    SpoolerGuard::Take(module_);
    if (!sheet_ || closed_)
        return nullptr;
    if (!SendMessageW(sheet_, PSM_SETCURSEL, index, 0)) {
        Pump();
        return nullptr;
    }
    Pump();
    HWND page = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_INDEXTOHWND, index, 0));
    CheckPages("page " + std::to_string(index) + " shown");
    return page == CurrentPage() ? page : nullptr;
}

HWND SheetHost::Control(int index, int control)
{
    HWND page = CurrentPage();
    if (!page || SendMessageW(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) != index)
        page = ShowPage(index);
    return page ? GetDlgItem(page, control) : nullptr;
}

void SheetHost::Click(int index, int control)
{
    SpoolerGuard::Take(module_);
    HWND button = Control(index, control);
    ASSERT_NE(nullptr, button) << "no control " << control << " on page " << index;
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
    CheckPages("click on " + std::to_string(control) + " of page " + std::to_string(index));
}

void SheetHost::Choose(int index, int control, int item)
{
    SpoolerGuard::Take(module_);
    HWND list = Control(index, control);
    ASSERT_NE(nullptr, list) << "no control " << control << " on page " << index;
    SendMessageW(list, CB_SETCURSEL, item, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    Pump();
    CheckPages("item " + std::to_string(item) + " of " + std::to_string(control) + " on page " + std::to_string(index));
}

void SheetHost::SelectItem(int index, int control, int item)
{
    SpoolerGuard::Take(module_);
    HWND list = Control(index, control);
    ASSERT_NE(nullptr, list) << "no control " << control << " on page " << index;
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    Pump();
    CheckPages("item " + std::to_string(item) + " of " + std::to_string(control) + " on page " + std::to_string(index));
}

std::vector<HelpCall> SheetHost::HelpOn(int index, int control)
{
    HWND target = Control(index, control);
    HELPINFO help = {sizeof(help), HELPINFO_WINDOW, control, target, 0, {0, 0}};
    help_.Clear();
    SendMessageW(ShowPage(index), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    return help_.calls();
}

void SheetHost::ClickIntoDialog(int index, int control, const std::function<void(HWND dialog)>& inDialog)
{
    SpoolerGuard::Take(module_);
    HWND button = Control(index, control);
    ASSERT_NE(nullptr, button) << "no control " << control << " on page " << index;
    const DWORD thread = GetCurrentThreadId();
    bool seen = false;
    bool leftOpen = false;
    std::thread watcher([&] {
        HWND dialog = WaitForDialog(thread, sheet_);
        if (!dialog)
            return;
        seen = true;
        if (checkPages_) {
            const auto findings = CheckDialog(dialog, "dialog");
            EXPECT_TRUE(findings.empty()) << "as the dialog of " << control << " opened:\n" << JoinFindings(findings);
        }
        inDialog(dialog);
        DWORD waited = 0;
        for (; IsWindow(dialog) && waited < kDialogGuardMs; waited += kPollMs)
            Sleep(kPollMs);
        if (IsWindow(dialog)) {
            leftOpen = true;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    // Returns once the dialog's own message loop has ended.
    SendMessageW(button, BM_CLICK, 0, 0);
    watcher.join();
    EXPECT_TRUE(seen) << "control " << control << " opened no dialog";
    EXPECT_FALSE(leftOpen) << "the dialog did not close";
    Pump();
    CheckPages("the dialog of " + std::to_string(control) + " on page " + std::to_string(index));
}

void SheetHost::Press(int button)
{
    if (!sheet_ || closed_)
        return;
    SpoolerGuard::Take(module_);
    SendMessageW(sheet_, PSM_PRESSBUTTON, button, 0);
    Pump();
    EndIfFinished();
    CheckPages("button " + std::to_string(button));
}

void SheetHost::CheckPages(const std::string& after)
{
    CheckSpoolerCalls(after);
    if (!checkPages_)
        return;
    const auto findings = CheckSheet(*this, reinterpret_cast<const DocumentSettings*>(output_));
    EXPECT_TRUE(findings.empty()) << "after " << after << ":\n" << JoinFindings(findings);
}

void SheetHost::CheckSpoolerCalls(const std::string& after)
{
    const SpoolerTally tally = SpoolerGuard::Take(module_);
    EXPECT_EQ(0, tally.reads) << "after " << after << ": spooler reads in page messages; the pages work from what "
                              << "INIT gathered";
    for (const std::wstring& name : tally.writes)
        EXPECT_TRUE(name == L"DeviceOption" || name == L"FontSubs")
            << "after " << after << ": a page wrote " << testing::PrintToString(name) << " to the spooler";
}

void SheetHost::EndIfFinished()
{
    // A modeless sheet that has ended has no current page any more.
    if (sheet_ && !CurrentPage())
        Close();
}

void SheetHost::Close()
{
    SpoolerGuard::Take(module_);
    if (sheet_) {
        DestroyWindow(sheet_);
        sheet_ = nullptr;
        Pump();
    }
    if (opened_ && !closed_) {
        closed_ = true;
        CheckSpoolerCalls("the sheet closed");
        ++destroyCalls_;
        destroyAnswer_ = CallEntry(PROPSHEETUI_REASON_DESTROY, 0);
    }
}
