// The printer's own sheet when the spooler refuses a read or a write, or
// memory runs out: the user is told once, with the platform's reason, and
// the printer's stored records stay as they were unless the user saved a
// change.
#include "sheet/sheet_state.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/driver_interface.h"
#include "profile/device_options.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"
#include "support/spooler_faults.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kOptionsPage = 0;
constexpr int kFontSubsPage = 1;

// A stored table of 46 characters: no other block the sheet takes at its
// start is 92 bytes long.
const wchar_t kStoredFontSubs[] = L"Arial\0Dutch801SWM\0Times New Roman\0CourierSWC\0";
constexpr SIZE_T kStoredFontSubsBytes = sizeof(kStoredFontSubs);
static_assert(kStoredFontSubsBytes == 92, "the table's block is told apart by its size");

struct SheetFault {
    const char* name;
    int page;
    Faulted function;
    FaultTarget target;
    bool atOpen;   // strikes what the sheet reads at its start; else the apply after a change
    UINT told;     // the text the user is shown
};

const SheetFault kFaults[] = {
    {"ReadingOptions", kOptionsPage, Faulted::GetPrinterData, {L"DeviceOption"}, true, IDS_OPTIONS_READ_FAILED},
    {"ReadingFontSubs", kFontSubsPage, Faulted::GetPrinterData, {L"FontSubs"}, true, IDS_FONT_SUBS_READ_FAILED},
    {"AllocatingFontSubs", kFontSubsPage, Faulted::HeapAlloc, {L"", kStoredFontSubsBytes}, true,
     IDS_FONT_SUBS_READ_FAILED},
    {"WritingOptions", kOptionsPage, Faulted::SetPrinterData, {L"DeviceOption"}, false, IDS_OPTIONS_WRITE_FAILED},
    {"WritingFontSubs", kFontSubsPage, Faulted::SetPrinterData, {L"FontSubs"}, false, IDS_FONT_SUBS_WRITE_FAILED},
    // The first block the Font Substitution page's apply takes: its rows.
    {"AllocatingFontSubsRows", kFontSubsPage, Faulted::HeapAlloc, {L"", 0, 1}, false, IDS_FONT_SUBS_WRITE_FAILED},
};

// The record the page of `page` shows and stores.
const wchar_t* RecordOf(int page)
{
    return page == kOptionsPage ? kDeviceOptionValue : L"FontSubs";
}

// The platform's words for `error`, as the user reads them.
std::wstring PlatformReason(DWORD error)
{
    WCHAR text[256] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 256, nullptr);
    std::wstring reason = text;
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
}

std::vector<BYTE> Stored(const BenchPrinter& printer, const wchar_t* value)
{
    std::vector<BYTE> data(4096);
    const long size = printer.GetData(value, data.data(), static_cast<DWORD>(data.size()));
    data.resize(size < 0 ? 0 : size);
    return data;
}

class DeviceSheetFaults : public ::testing::TestWithParam<Refused<SheetFault>> {
protected:
    void SetUp() override
    {
        printer_ = &SharedPrinter(SampleDriver(2), "device sheet faults");
        DeviceOptionData options = {};
        options.trayCount = 3;
        options.duplexUnit = 1;
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
                  printer_->SetData(kDeviceOptionValue, REG_BINARY, &options, sizeof(options)));
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
                  printer_->SetData(L"FontSubs", REG_BINARY, kStoredFontSubs, kStoredFontSubsBytes));
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        header_ = {sizeof(header_), 0, printer_->handle(), const_cast<WCHAR*>(printer_->name().c_str())};
        host_ = std::make_unique<SheetHost>(*driver_, "DrvDevicePropertySheets");
    }
    void TearDown() override
    {
        host_.reset();
        driver_.reset();
    }

    // A change the user makes on `page`, which its apply must store: fewer
    // trays, or the default table (its question answered Yes).
    void ChangeSomething(int page)
    {
        if (page == kOptionsPage) {
            SetWindowTextW(host_->Control(kOptionsPage, IDC_OPTIONS_TRAYS_EDIT), L"2");
            return;
        }
        const size_t boxes = host_->boxes().calls().size();
        host_->boxes().SetAnswer(IDYES);
        host_->Click(kFontSubsPage, IDC_RESTORE_DEFAULTS);
        ASSERT_EQ(boxes + 1, host_->boxes().calls().size()) << "the question before restoring";
        host_->boxes().SetAnswer(IDOK);
    }

    void ExpectToldOnce(UINT told, DWORD error)
    {
        const std::vector<MessageBoxCall>& boxes = host_->boxes().calls();
        ASSERT_EQ(1u, boxes.size());
        HINSTANCE library = host_->pageRecord(kOptionsPage).hInstance;
        WCHAR text[256] = L"", caption[64] = L"";
        LoadStringW(library, told, text, 256);
        LoadStringW(library, IDS_WARNING, caption, 64);
        EXPECT_EQ(0u, boxes[0].text.find(text)) << "shown: " << testing::PrintToString(boxes[0].text);
        const std::wstring reason = PlatformReason(error);   // last, without its line end
        const std::wstring& shown = boxes[0].text;
        EXPECT_TRUE(shown.size() >= reason.size() &&
                    shown.compare(shown.size() - reason.size(), reason.size(), reason) == 0)
            << "shown: " << testing::PrintToString(shown);
        EXPECT_EQ(std::wstring(caption), boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), boxes[0].style & MB_ICONMASK);
    }

    BenchPrinter* printer_ = nullptr;
    std::unique_ptr<InstalledDriver> driver_;
    DEVICEPROPERTYHEADER header_ = {};
    std::unique_ptr<SheetHost> host_;
};

}  // namespace

TEST_P(DeviceSheetFaults, AreToldAndLeaveTheStoredRecordsAsTheyWere)
{
    const SheetFault& fault = GetParam().row;
    const DWORD error = GetParam().error;
    const std::vector<BYTE> stored = Stored(*printer_, RecordOf(fault.page));
    ASSERT_EQ(fault.page == kOptionsPage ? sizeof(DeviceOptionData) : kStoredFontSubsBytes, stored.size());

    if (fault.atOpen) {
        {
            InjectedFault injected(driver_->module(), fault.function, error, fault.target);
            ASSERT_TRUE(injected.installed());
            ASSERT_EQ(1, host_->Open(&header_));
            ASSERT_GE(injected.failed(), 1) << "the sheet never made the faulted call";
        }
        ASSERT_NE(nullptr, host_->ShowPage(fault.page));
        ExpectToldOnce(fault.told, error);
        host_->ShowPage(1 - fault.page);
        host_->ShowPage(fault.page);
        EXPECT_EQ(1u, host_->boxes().calls().size()) << "told once per sheet";
        host_->Press(PSBTN_APPLYNOW);
        EXPECT_EQ(stored, Stored(*printer_, RecordOf(fault.page))) << "saved although the user changed nothing";
        // A click counts as a change as much as typing does.
        if (fault.page == kOptionsPage)
            host_->Click(kOptionsPage, IDC_OPTIONS_DUPLEX_UNIT);
        else
            ChangeSomething(fault.page);
        host_->Press(PSBTN_OK);
        EXPECT_TRUE(host_->closed());
        EXPECT_NE(stored, Stored(*printer_, RecordOf(fault.page))) << "the user's change is saved";
        return;
    }
    ASSERT_EQ(1, host_->Open(&header_));
    ASSERT_NE(nullptr, host_->ShowPage(fault.page));
    ChangeSomething(fault.page);
    host_->boxes().Clear();
    {
        InjectedFault injected(driver_->module(), fault.function, error, fault.target);
        host_->Press(PSBTN_OK);
        ASSERT_EQ(1, injected.failed()) << "the apply never made the faulted call";
    }
    ExpectToldOnce(fault.told, error);
    EXPECT_FALSE(host_->closed()) << "the sheet stays open with the user's choices";
    // The pages before the one that failed reported their result; it did not.
    EXPECT_EQ(static_cast<size_t>(fault.page), host_->setResults().size());
    if (fault.page == kOptionsPage) {
        WCHAR trays[8] = L"";
        GetWindowTextW(host_->Control(kOptionsPage, IDC_OPTIONS_TRAYS_EDIT), trays, 8);
        EXPECT_STREQ(L"2", trays);
    }
    host_->Press(PSBTN_CANCEL);
    EXPECT_EQ(stored, Stored(*printer_, RecordOf(fault.page)));
}

INSTANTIATE_TEST_SUITE_P(Faults, DeviceSheetFaults, ::testing::ValuesIn(EachRefusal(kFaults)),
                         RefusalName<SheetFault>);
