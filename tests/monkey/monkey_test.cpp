// Random use of the driver's two sheets and the User Size dialog, as a user's
// clicks and keys arrive, with every page checked after every action. Each
// round ends with OK; the sheet then opens again on what OK gave, must show
// the same choices on every page, and Apply must give the same record again.
//
//   martenui-monkey [gtest flags] [ACTIONS per sheet and variant] [SEED]
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <memory>
#include <thread>

#include "sheet/sheet_state.h"
#include "platform/driver_interface.h"
#include "monkey/monkey_controls.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/modal_script.h"
#include "support/page_checker.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"
#include "../resources/resource_ids.h"

namespace {

long gActions = 1000;
uint64_t gSeed = 1;

// What runs now, for a crash or hang report.
char gNow[512] = "setup";
volatile LONG gProgress = 0;

void SetNow(const std::string& text)
{
    lstrcpynA(gNow, text.c_str(), sizeof(gNow));
    InterlockedIncrement(&gProgress);
}

enum class SheetKind { Document, Printer };

// How often each action comes, out of their sum.
enum class Act { UseControl, SwitchPage, ActivatePaper, Apply, Ok, Cancel };
struct ActWeight {
    Act act;
    const char* name;
    int weight;
};
const ActWeight kActs[] = {
    {Act::UseControl, "use a control", 84}, {Act::SwitchPage, "switch page", 7},
    {Act::ActivatePaper, "activate paper", 2}, {Act::Apply, "apply", 3},
    {Act::Ok, "ok", 3},                     {Act::Cancel, "cancel", 1},
};

// The printer's stored options and font table: what the printer's sheet writes.
const wchar_t* const kDeviceValues[] = {L"DeviceOption", L"FontSubs"};

std::string DifferingBytes(const std::vector<BYTE>& before, const std::vector<BYTE>& after)
{
    std::string text;
    int shown = 0;
    for (size_t at = 0; at < before.size() && at < after.size() && shown < 8; ++at)
        if (before[at] != after[at]) {
            char line[64];
            snprintf(line, sizeof(line), " [byte %lu] %u->%u", static_cast<unsigned long>(at), before[at], after[at]);
            text += line;
            ++shown;
        }
    if (before.size() != after.size())
        text += " size " + std::to_string(before.size()) + "->" + std::to_string(after.size());
    return text;
}

class MonkeyRun {
public:
    MonkeyRun(SheetKind kind, int variant)
        : kind_(kind),
          name_(std::string(kind == SheetKind::Document ? "document" : "printer") + " sheet, variant " +
                std::to_string(variant)),
          printer_(SampleDriver(variant), L"Monkey"), driver_(printer_.handle()), output_(kSettingsBytes, 0)
    {
        random_.state = gSeed * 1000003u + static_cast<uint64_t>(variant) * 2 + (kind == SheetKind::Printer);
    }

    void Run()
    {
        printf("%s: seed %llu, %ld actions\n", name_.c_str(), static_cast<unsigned long long>(gSeed), gActions);
        if (!Open())
            return;
        const ULONGLONG started = GetTickCount64();
        for (action_ = 1; action_ <= gActions && !failed_; ++action_) {
            Act();
            if (action_ % 500 == 0) {
                printf("%s: %ld actions, %llu s\n", name_.c_str(), action_, (GetTickCount64() - started) / 1000);
                fflush(stdout);
            }
        }
        if (!failed_) {
            SetNow(name_ + ": the last OK");
            EndWithOk();
        }
        host_.reset();
        PrintCounts();
    }

private:
    // One action chosen by the weights, then the checks.
    void Act()
    {
        int total = 0;
        for (const auto& entry : kActs)
            total += entry.weight;
        int pick = random_.Below(total);
        const ActWeight* chosen = kActs;
        while (pick >= chosen->weight)
            pick -= (chosen++)->weight;
        what_ = chosen->name;
        SetNow(Where() + what_);
        const ULONGLONG started = GetTickCount64();
        actionReported_ = false;
        switch (chosen->act) {
        case Act::UseControl:
            UseControl();
            break;
        case Act::SwitchPage: {
            const int page = random_.Below(host_->pageCount());
            what_ = "switch to page " + std::to_string(page);
            if (!host_->ShowPage(page))
                ++counts_["page switch refused"];
            break;
        }
        case Act::ActivatePaper:
            ActivatePaper();
            break;
        case Act::Apply:
            host_->Press(PSBTN_APPLYNOW);
            break;
        case Act::Ok:
            PressOk();
            break;
        case Act::Cancel:
            host_->Press(PSBTN_CANCEL);
            if (!host_->closed())
                Finding("Cancel left the sheet open");
            // The next round starts again from what the last OK gave.
            Open();
            break;
        }
        ++counts_[chosen->name];
        Check();
        spentMs_[chosen->name] += static_cast<long>(GetTickCount64() - started);
        if (actionReported_ && !failed_)
            Recover();
    }

    // After a finding the run goes on from a fresh sheet on the last record
    // OK gave, until it has seen enough.
    void Recover()
    {
        constexpr int kMostFindingActions = 10;
        if (++counts_["actions with findings"] >= kMostFindingActions) {
            failed_ = true;
            return;
        }
        host_.reset();
        Open();
    }

    std::string Where()
    {
        HWND page = host_ ? host_->CurrentPage() : nullptr;
        if (!page)
            return "";
        const int index = static_cast<int>(SendMessageW(host_->sheet(), PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
        return "page " + std::to_string(index) + " \"" + Narrow(host_->pageTitle(index)) + "\": ";
    }

    // A control of the current page, used as its kind is used.
    void UseControl()
    {
        HWND page = host_->CurrentPage();
        const auto controls = UsableControls(page);
        if (controls.empty())
            return;
        const LiveControl control = controls[random_.Below(static_cast<int>(controls.size()))];
        std::string where = Where();
        const ULONGLONG started = GetTickCount64();
        what_ = UseOn(page, control);
        spentMs_[std::string("control: ") + KindName(control.kind)] += static_cast<long>(GetTickCount64() - started);
        SetNow(where + what_);
        what_ = where + what_;
        ++counts_[std::string("control: ") + KindName(control.kind)];
        host_->Pump();
    }

    // Acts on `control` of `dialog` (a page or a dialog); returns what it did.
    std::string UseOn(HWND dialog, const LiveControl& control)
    {
        std::string text = Describe(control);
        switch (control.kind) {
        case ControlKind::PushButton: {
            // A button may open a dialog of its own.
            ModalScript script(dialog, [&](HWND opened) { InDialog(opened); });
            SetNow(Where() + "click " + text);
            ClickControl(control.window);
            return "click " + text;
        }
        case ControlKind::CheckBox:
        case ControlKind::Radio:
            ClickControl(control.window);
            return "click " + text;
        case ControlKind::Combo:
        case ControlKind::ListBox:
        case ControlKind::ListView: {
            const int count = ItemCount(control);
            // The last paper is the user-defined one: choose it often.
            const int item = control.kind == ControlKind::ListView && random_.Chance(30) ? count - 1
                                                                                           : random_.Below(count);
            ChooseItem(control, item);
            return "choose item " + std::to_string(item) + " of " + text;
        }
        case ControlKind::Edit: {
            const auto texts = TextsFor(dialog, control.window);
            const std::wstring typed = texts[random_.Below(static_cast<int>(texts.size()))];
            // Long texts come pasted: keyed in, each key costs a round of notifications.
            const bool paste = random_.Chance(30) || typed.size() > 16;
            TypeText(control.window, typed, paste);
            std::string shown = Narrow(typed.size() > 12 ? typed.substr(0, 12) + L"..." : typed);
            return std::string(paste ? "paste" : "type") + " \"" + shown + "\" (" + std::to_string(typed.size()) +
                   " characters) into " + text;
        }
        case ControlKind::UpDown: {
            const bool up = random_.Chance(50);
            ClickUpDown(control.window, up);
            return std::string("click ") + (up ? "up on " : "down on ") + text;
        }
        default:
            return "nothing";
        }
    }

    // Enter on the paper list: the user-defined paper opens its dialog.
    void ActivatePaper()
    {
        HWND page = host_->CurrentPage();
        HWND list = page ? GetDlgItem(page, IDC_LAYOUT_PAPER_LIST) : nullptr;
        if (kind_ != SheetKind::Document || !list || !IsWindowEnabled(list))
            return;
        // Mostly on the user-defined paper, the last one, which opens its dialog.
        const LiveControl papers{list, IDC_LAYOUT_PAPER_LIST, ControlKind::ListView};
        if (random_.Chance(60)) {
            ChooseItem(papers, ItemCount(papers) - 1);
            host_->Pump();
        }
        what_ = "Enter on paper " + std::to_string(ListView_GetNextItem(list, -1, LVNI_SELECTED));
        ModalScript script(list, [&](HWND opened) { InDialog(opened); });
        SetFocus(list);
        SendMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
        host_->Pump();
    }

    // Runs inside a dialog's own message loop; must close it.
    void InDialog(HWND dialog)
    {
        const bool userSize = GetDlgItem(dialog, IDC_USERSIZE_WIDTH_EDIT) != nullptr;
        ++counts_[userSize ? "dialog: User Size" : "dialog: other"];
        const std::string outer = what_;
        if (userSize) {
            for (const auto& finding : CheckDialog(dialog, "User Size, as it opened"))
                Finding(finding);
            for (int step = random_.Below(10); step > 0 && !failed_; --step) {
                auto controls = UsableControls(dialog);
                std::vector<LiveControl> inputs;
                for (const auto& control : controls)
                    if (control.kind != ControlKind::PushButton)
                        inputs.push_back(control);
                if (inputs.empty())
                    break;
                const std::string done = UseOn(dialog, inputs[random_.Below(static_cast<int>(inputs.size()))]);
                SetNow(outer + ", in User Size: " + done);
                what_ = outer + ", in User Size: " + done;
                for (const auto& finding : CheckDialog(dialog, "User Size"))
                    Finding(finding);
            }
        }
        // OK mostly, else Cancel; any other dialog closes with its first button that ends it.
        const int first = random_.Chance(80) ? IDOK : IDCANCEL;
        std::vector<HWND> buttons;
        if (GetDlgItem(dialog, first))
            buttons.push_back(GetDlgItem(dialog, first));
        for (const auto& control : UsableControls(dialog))
            if (control.kind == ControlKind::PushButton)
                buttons.push_back(control.window);
        for (HWND button : buttons) {
            if (!IsWindowVisible(dialog))
                break;
            ClickControl(button);
        }
        if (IsWindowVisible(dialog)) {
            Finding("a dialog did not close with any of its buttons");
            EndDialog(dialog, IDCANCEL);
        }
        what_ = outer;
    }

    void PressOk()
    {
        std::vector<std::vector<std::string>> before;
        // Pressed here rather than through the host: what the pages show once
        // OK has applied them (typed numbers brought into range) is read before
        // the ended sheet is destroyed.
        SendMessageW(host_->sheet(), PSM_PRESSBUTTON, PSBTN_OK, 0);
        host_->Pump();
        if (host_->CurrentPage()) {
            ++counts_["ok refused"];
            return;
        }
        for (int page = 0; page < host_->pageCount(); ++page)
            before.push_back(PageSnapshot(page));
        host_->Close();
        RoundTrip(before);
    }

    // What a page shows. The font table's selected row is where the user
    // looks, not a choice: every row is shown in turn instead.
    std::vector<std::string> PageSnapshot(int index)
    {
        HWND page = PageWindow(index);
        HWND table = page ? GetDlgItem(page, IDC_FONTSUBS_TABLE) : nullptr;
        if (!table || kind_ != SheetKind::Printer)
            return page ? Snapshot(page) : std::vector<std::string>{};
        std::vector<std::string> rows;
        const LiveControl list{table, IDC_FONTSUBS_TABLE, ControlKind::ListView};
        for (int row = 0; row < ItemCount(list); ++row) {
            ChooseItem(list, row);
            for (const auto& entry : Snapshot(page))
                rows.push_back("row " + std::to_string(row) + ": " + entry);
        }
        return rows;
    }

    HWND PageWindow(int index)
    {
        return reinterpret_cast<HWND>(SendMessageW(host_->sheet(), PSM_INDEXTOHWND, index, 0));
    }

    // Opens the sheet again on what OK gave, shows the pages that existed,
    // compares what they show and applies again.
    void RoundTrip(const std::vector<std::vector<std::string>>& before)
    {
        ++counts_["round trips"];
        const std::vector<BYTE> accepted = Result();
        if (kind_ == SheetKind::Document) {
            for (const auto& finding : CheckSettingsRecord(settings(), printer_.handle()))
                Finding("after OK: " + finding);
            input_ = std::make_unique<std::vector<BYTE>>(accepted);
        }
        if (!Open())
            return;
        for (int page = 0; page < static_cast<int>(before.size()); ++page) {
            if (before[page].empty())
                continue;
            const std::string where = "reopened page " + std::to_string(page) + " \"" +
                                      Narrow(host_->pageTitle(page)) + "\"";
            if (!host_->ShowPage(page)) {
                Finding(where + " could not be shown");
                continue;
            }
            for (const auto& finding : CompareSnapshots(before[page], PageSnapshot(page), where))
                Finding(finding);
        }
        host_->Press(PSBTN_APPLYNOW);
        const std::vector<BYTE> again = Result();
        if (again != accepted)
            Finding("Apply on the reopened sheet wrote another record:" + DifferingBytes(accepted, again));
    }

    // What OK or Apply wrote: the output record, or the printer's stored data.
    std::vector<BYTE> Result()
    {
        if (kind_ == SheetKind::Document)
            return output_;
        std::vector<BYTE> stored;
        for (const wchar_t* value : kDeviceValues) {
            std::vector<BYTE> data(65536);
            const long size = printer_.GetData(value, data.data(), static_cast<DWORD>(data.size()));
            data.resize(size > 0 ? static_cast<size_t>(size) : 0);
            stored.push_back(static_cast<BYTE>(data.size() & 0xFF));
            stored.insert(stored.end(), data.begin(), data.end());
        }
        return stored;
    }

    // Every run ends with OK; a page that refuses it gets its defaults back.
    void EndWithOk()
    {
        const long tripsBefore = counts_["round trips"];
        for (int attempt = 0; attempt <= host_->pageCount() && !failed_; ++attempt) {
            HWND page = host_->CurrentPage();
            if (attempt > 0 && page && GetDlgItem(page, IDC_RESTORE_DEFAULTS)) {
                ClickControl(GetDlgItem(page, IDC_RESTORE_DEFAULTS));
                host_->Pump();
            }
            what_ = "OK at the end";
            PressOk();
            Check();
            if (counts_["round trips"] != tripsBefore) {
                if (failed_ || !host_ || host_->closed())
                    return;
                host_->Press(PSBTN_OK);
                if (!host_->closed())
                    Finding("the reopened sheet refused OK");
                return;
            }
        }
        if (!failed_)
            Finding("OK refused even after Restore Defaults on each page it stopped at");
    }

    bool Open()
    {
        host_.reset();   // one host at a time
        if (kind_ == SheetKind::Document) {
            documentHeader_ = {sizeof(documentHeader_),
                               0,
                               printer_.handle(),
                               const_cast<WCHAR*>(printer_.name().c_str()),
                               input_ ? reinterpret_cast<DEVMODEW*>(input_->data()) : nullptr,
                               reinterpret_cast<DEVMODEW*>(output_.data()),
                               static_cast<DWORD>(kSettingsBytes),
                               static_cast<DWORD>(DM_IN_PROMPT | DM_OUT_BUFFER | (input_ ? DM_IN_BUFFER : 0))};
            host_ = std::make_unique<SheetHost>(driver_);
        } else {
            deviceHeader_ = {sizeof(deviceHeader_), 0, printer_.handle(), const_cast<WCHAR*>(printer_.name().c_str())};
            host_ = std::make_unique<SheetHost>(driver_, "DrvDevicePropertySheets");
        }
        // The monkey checks the pages itself, naming its seed and action.
        host_->CheckPagesAfterActions(false);
        const LONG answer = host_->Open(kind_ == SheetKind::Document ? static_cast<void*>(&documentHeader_)
                                                                     : static_cast<void*>(&deviceHeader_));
        if (answer != 1 || !host_->sheet() || !host_->CurrentPage()) {
            Finding("the sheet did not open: INIT answered " + std::to_string(answer));
            failed_ = true;
            return false;
        }
        ++counts_["sheets opened"];
        return true;
    }

    void Check()
    {
        // A failure the host reported on its own (a refused page record, ...).
        if (FailureParts() > reportedParts_)
            Finding("the sheet host reported a failure (above)");
        if (host_ && !host_->closed())
            for (const auto& finding : CheckSheet(*host_, kind_ == SheetKind::Document ? &settings() : nullptr))
                Finding(finding);
    }

    static int FailureParts()
    {
        return testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
    }

    // Each finding is reported once, under the action that first showed it.
    void Finding(const std::string& finding)
    {
        if (!reported_.insert(finding).second)
            return;
        if (!actionReported_)
            ADD_FAILURE() << name_ << ", seed " << gSeed << ", action " << action_ << " (" << what_ << "):";
        actionReported_ = true;
        ADD_FAILURE() << "  " << finding;
        reportedParts_ = FailureParts();
    }

    void PrintCounts()
    {
        printf("%s: %ld actions done%s\n", name_.c_str(), action_ - 1, failed_ ? " (stopped: findings)" : "");
        for (const auto& count : counts_)
            printf("  %-40s %ld\n", count.first.c_str(), count.second);
        for (const auto& spent : spentMs_)
            printf("  ms in %-34s %ld\n", spent.first.c_str(), spent.second);
        fflush(stdout);
    }

    DocumentSettings& settings() { return *reinterpret_cast<DocumentSettings*>(output_.data()); }

    SheetKind kind_;
    std::string name_;
    MonkeyRandom random_{};
    BenchPrinter printer_;
    InstalledDriver driver_;
    std::vector<BYTE> output_;
    std::unique_ptr<std::vector<BYTE>> input_;
    DOCUMENTPROPERTYHEADER documentHeader_ = {};
    DEVICEPROPERTYHEADER deviceHeader_ = {};
    std::unique_ptr<SheetHost> host_;
    std::map<std::string, long> counts_;
    std::map<std::string, long> spentMs_;   // time taken by each kind of action
    long action_ = 0;
    std::string what_ = "open";
    bool failed_ = false;          // stop: too many findings, or no sheet
    bool actionReported_ = false;  // this action has findings
    std::set<std::string> reported_;
    int reportedParts_ = 0;
};

}  // namespace

#define MONKEY_TEST(name, kind, variant) \
    TEST(Monkey, name) { MonkeyRun(kind, variant).Run(); }

MONKEY_TEST(DocumentSheetVariant1, SheetKind::Document, 1)
MONKEY_TEST(DocumentSheetVariant2, SheetKind::Document, 2)
MONKEY_TEST(DocumentSheetVariant3, SheetKind::Document, 3)
MONKEY_TEST(PrinterSheetVariant1, SheetKind::Printer, 1)
MONKEY_TEST(PrinterSheetVariant2, SheetKind::Printer, 2)
MONKEY_TEST(PrinterSheetVariant3, SheetKind::Printer, 3)

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception)
{
    printf("\n*** crash: exception 0x%08lx at %p, seed %llu, during: %s\n", exception->ExceptionRecord->ExceptionCode,
           exception->ExceptionRecord->ExceptionAddress, static_cast<unsigned long long>(gSeed), gNow);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// A dialog nobody closes would stop the run for good: report where it stood.
void WatchForHang()
{
    constexpr int kQuietSeconds = 120;
    LONG seen = gProgress;
    for (int quiet = 0;; Sleep(1000)) {
        if (gProgress != seen) {
            seen = gProgress;
            quiet = 0;
        } else if (++quiet >= kQuietSeconds) {
            printf("\n*** hang: no progress for %d s, seed %llu, during: %s\n", kQuietSeconds,
                   static_cast<unsigned long long>(gSeed), gNow);
            fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 4);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    SetUnhandledExceptionFilter(ReportCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1)
        gActions = strtol(argv[1], nullptr, 10);
    if (argc > 2)
        gSeed = strtoull(argv[2], nullptr, 10);
    std::thread(WatchForHang).detach();
    return RUN_ALL_TESTS();
}
