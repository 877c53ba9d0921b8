// Initialising a printer when the spooler refuses a call or memory runs
// out: the event answers FALSE, and never caches a profile it did not read.
#include "printer/printer_events.h"

#include <winspool.h>
#include <winddiui.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printer/font_substitution.h"
#include "printer/margin_table.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/spooler_faults.h"

namespace {

using PrinterEventEntry = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

// The default font substitution table's block.
constexpr SIZE_T kDefaultFontSubsBytes = 934;

struct EventFault {
    const char* name;
    Faulted function;
    FaultTarget target;
    const wchar_t* untouched;   // printer data the event must leave as it was (null: none to check)
};

const EventFault kFaults[] = {
    {"ListingDriverFiles", Faulted::GetPrinterDriver, {}, kDriverProfileValue},
    {"WritingRenderModuleName", Faulted::SetPrinterData, {kUmpdValue}, kUmpdValue},
    {"WritingProfile", Faulted::SetPrinterData, {kDriverProfileValue}, kDriverProfileValue},
    {"ReadingPrinterInfo", Faulted::GetPrinter, {}, nullptr},
    {"WritingDefaultSettings", Faulted::SetPrinter, {}, nullptr},
    {"WritingMargins", Faulted::SetPrinterData, {kMarginValue}, kMarginValue},
    {"WritingFontSubs", Faulted::SetPrinterData, {kFontSubsValue}, kFontSubsValue},
    {"AllocatingFontSubs", Faulted::HeapAlloc, {L"", kDefaultFontSubsBytes}, kFontSubsValue},
    {"WritingOptions", Faulted::SetPrinterData, {kDeviceOptionValue}, kDeviceOptionValue},
};

class PrinterEventFaults : public ::testing::TestWithParam<Refused<EventFault>> {};

}  // namespace

TEST_P(PrinterEventFaults, AnswerFalseAndCacheNothingUnread)
{
    const EventFault& fault = GetParam().row;
    BenchPrinter& printer = SharedPrinter(SampleDriver(3), "event faults");
    InstalledDriver driver(printer.handle());
    auto event = driver.Entry<PrinterEventEntry>("DrvPrinterEvent");
    ASSERT_NE(nullptr, event);
    const char kMark[] = "left as it was";
    if (fault.untouched) {
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), printer.SetData(fault.untouched, REG_BINARY, kMark, sizeof(kMark)));
    }

    InjectedFault injected(driver.module(), fault.function, GetParam().error, fault.target);
    ASSERT_TRUE(injected.installed());
    EXPECT_FALSE(event(const_cast<WCHAR*>(printer.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
    EXPECT_GE(injected.failed(), 1) << "the event never made the faulted call";
    if (fault.untouched) {
        std::vector<char> data(4096);
        const long size = printer.GetData(fault.untouched, data.data(), static_cast<DWORD>(data.size()));
        data.resize(size < 0 ? 0 : size);
        EXPECT_EQ(std::vector<char>(kMark, kMark + sizeof(kMark)), data);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, PrinterEventFaults, ::testing::ValuesIn(EachRefusal(kFaults)),
                         RefusalName<EventFault>);
