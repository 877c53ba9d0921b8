// What each capability query asks the spooler, counted at the installed
// driver's import slots: the cached profile once, and only what the answer
// itself needs besides.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/library_lock.h"
#include "support/spooler_calls.h"
#include "support/spooler_guard.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"

namespace {

using CapabilitiesEntry = DWORD(WINAPI*)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW);
using PrinterEventEntry = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

// A printer of the variant-2 sample model (it offers the user size),
// initialised as the spooler does, so that its profile is cached.
class SpoolerCallsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(2));
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        query_ = driver_->Entry<CapabilitiesEntry>("DrvDeviceCapabilities");
        auto initialise = driver_->Entry<PrinterEventEntry>("DrvPrinterEvent");
        ASSERT_NE(nullptr, query_);
        ASSERT_NE(nullptr, initialise);
        // The event ends by releasing the resource library.
        ASSERT_TRUE(initialise(const_cast<wchar_t*>(printer_->name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
    }

    SpoolerCallCounts Calls(WORD index, bool fill)
    {
        SpoolerCallCounter counter(driver_->module());
        EXPECT_TRUE(counter.counting()) << "an import slot of the driver could not be swapped";
        query_(printer_->handle(), nullptr, index, fill ? output_.data() : nullptr, nullptr);
        return counter.Take();
    }

    std::unique_ptr<BenchPrinter> printer_;
    std::unique_ptr<InstalledDriver> driver_;
    CapabilitiesEntry query_ = nullptr;
    std::vector<BYTE> output_ = std::vector<BYTE>(64 * 1024);
};

}  // namespace

TEST_F(SpoolerCallsTest, EachQueryReadsTheProfileOnceAndOnlyWhatItsAnswerNeeds)
{
    Calls(DC_PAPERNAMES, true);   // the resource library is loaded from now on
    const struct {
        WORD index;
        bool fill;
        const char* what;
        LONG data;    // GetPrinterDataW: "DriverProfile", "DeviceOption"
        LONG info;    // GetPrinterW: the printer's user size
    } rows[] = {
        {DC_FIELDS, false, "DC_FIELDS", 1, 0},
        {DC_PAPERS, false, "DC_PAPERS count", 1, 0},
        {DC_PAPERS, true, "DC_PAPERS fill", 1, 0},
        {DC_PAPERNAMES, false, "DC_PAPERNAMES count", 1, 0},
        {DC_PAPERNAMES, true, "DC_PAPERNAMES fill", 1, 0},
        {DC_PAPERSIZE, false, "DC_PAPERSIZE count", 1, 0},
        {DC_PAPERSIZE, true, "DC_PAPERSIZE fill", 1, 1},
        {DC_MINEXTENT, false, "DC_MINEXTENT", 1, 1},
        {DC_BINS, false, "DC_BINS count", 2, 0},
        {DC_BINS, true, "DC_BINS fill", 2, 0},
        {DC_BINNAMES, false, "DC_BINNAMES count", 2, 0},
        {DC_BINNAMES, true, "DC_BINNAMES fill", 2, 0},
        {DC_DUPLEX, false, "DC_DUPLEX", 1, 0},
        {DC_COPIES, false, "DC_COPIES", 0, 0},
    };
    for (const auto& row : rows) {
        const SpoolerCallCounts calls = Calls(row.index, row.fill);
        EXPECT_EQ(row.data, calls.printerData) << row.what;
        EXPECT_EQ(row.info, calls.printerInfo) << row.what;
        EXPECT_EQ(0, calls.printerDriver) << row.what << ": the driver files were looked up";
        EXPECT_EQ(0, calls.profileFile) << row.what << ": the profile file was read";
        EXPECT_EQ(0, calls.loadLibrary) << row.what;
    }
}

TEST_F(SpoolerCallsTest, TheResourceLibraryIsLocatedOnlyWhileItIsNotLoaded)
{
    const SpoolerCallCounts count = Calls(DC_BINNAMES, false);
    EXPECT_EQ(0, count.printerDriver) << "a count needs no names";
    EXPECT_EQ(0, count.loadLibrary);
    const SpoolerCallCounts first = Calls(DC_BINNAMES, true);
    EXPECT_EQ(1, first.printerDriver);
    EXPECT_EQ(1, first.loadLibrary);
    const SpoolerCallCounts next = Calls(DC_PAPERNAMES, true);
    EXPECT_EQ(0, next.printerDriver);
    EXPECT_EQ(0, next.loadLibrary);
}

TEST_F(SpoolerCallsTest, APrinterNameThatCannotBeOpenedIsTriedOncePerQuery)
{
    SpoolerCallCounter counter(driver_->module());
    WCHAR name[] = L"No such printer";
    query_(nullptr, name, DC_BINS, output_.data(), nullptr);
    EXPECT_EQ(1, counter.Take().openPrinter);
}

// The guard that every suite runs under: a spooler call is a fault exactly
// while the calling thread holds one of the library's locks.
TEST(SpoolerGuard, RecordsASpoolerCallMadeUnderALibraryLock)
{
    BenchPrinter printer(SampleDriver(2));
    auto read = [&] {
        DWORD type = 0;
        DWORD needed = 0;
        BYTE data[36];
        GetPrinterDataW(printer.handle(), const_cast<LPWSTR>(L"DeviceOption"), &type, data, sizeof(data), &needed);
    };
    const size_t mark = SpoolerGuard::FaultMark();
    read();
    EXPECT_EQ(mark, SpoolerGuard::FaultMark()) << "no lock held";
    LibraryLock lock;
    {
        LibraryLockHolder held(lock);
        EXPECT_EQ(1, LibraryLocksHeld());
        read();
    }
    EXPECT_EQ(0, LibraryLocksHeld());
    read();
    const std::vector<std::string> faults = SpoolerGuard::TakeFaultsSince(mark);
    ASSERT_EQ(1u, faults.size()) << "only the call under the lock";
    EXPECT_NE(std::string::npos, faults[0].find("GetPrinterDataW under 1 library lock")) << faults[0];
}
