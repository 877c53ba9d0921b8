// The platform's own DeviceCapabilitiesW, as applications call it: it hands
// the driver no printer handle, only the printer's name.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/device_options.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"

namespace {

using CapabilitiesEntry = DWORD(WINAPI*)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW);
using PrinterEventEntry = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

// One answer: its result and the bytes of its items.
struct Answer {
    DWORD result;
    std::vector<BYTE> items;
    bool operator==(const Answer& other) const { return result == other.result && items == other.items; }
};

constexpr size_t kOutputBytes = 64 * 1024;

Answer ThroughTheExport(CapabilitiesEntry query, HANDLE printer, WORD index)
{
    Answer answer{0, std::vector<BYTE>(kOutputBytes)};
    answer.result = query(printer, nullptr, index, answer.items.data(), nullptr);
    return answer;
}

Answer ThroughThePlatform(const std::wstring& printerName, WORD index)
{
    Answer answer{0, std::vector<BYTE>(kOutputBytes)};
    answer.result = static_cast<DWORD>(DeviceCapabilitiesW(printerName.c_str(), L"FILE:", index,
                                                           reinterpret_cast<LPWSTR>(answer.items.data()), nullptr));
    return answer;
}

}  // namespace

TEST(PublicDeviceCapabilities, AnswersAsTheDriverDoesWithAHandle)
{
    const struct {
        WORD index;
        const char* name;
    } indices[] = {
        {DC_FIELDS, "DC_FIELDS"}, {DC_PAPERS, "DC_PAPERS"}, {DC_PAPERSIZE, "DC_PAPERSIZE"},
        {DC_PAPERNAMES, "DC_PAPERNAMES"}, {DC_MINEXTENT, "DC_MINEXTENT"}, {DC_MAXEXTENT, "DC_MAXEXTENT"},
        {DC_BINS, "DC_BINS"}, {DC_BINNAMES, "DC_BINNAMES"}, {DC_DUPLEX, "DC_DUPLEX"}, {DC_COPIES, "DC_COPIES"},
    };
    for (int variant = 1; variant <= 3; ++variant) {
        BenchPrinter printer(SampleDriver(variant));
        InstalledDriver driver(printer.handle());
        auto query = driver.Entry<CapabilitiesEntry>("DrvDeviceCapabilities");
        auto initialise = driver.Entry<PrinterEventEntry>("DrvPrinterEvent");
        ASSERT_NE(nullptr, query);
        ASSERT_NE(nullptr, initialise);
        ASSERT_TRUE(initialise(const_cast<wchar_t*>(printer.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
        // Installed options that differ from the model's defaults.
        DeviceOptionData options = {};
        options.trayCount = 1;
        options.duplexUnit = 1;
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(printer.handle(), options));

        ASSERT_LT(0u, ThroughTheExport(query, printer.handle(), DC_PAPERS).result) << "variant " << variant;
        ASSERT_EQ(1u, ThroughTheExport(query, printer.handle(), DC_DUPLEX).result) << "variant " << variant;
        for (const auto& row : indices) {
            const Answer expected = ThroughTheExport(query, printer.handle(), row.index);
            const Answer actual = ThroughThePlatform(printer.name(), row.index);
            EXPECT_EQ(expected.result, actual.result) << "variant " << variant << ", " << row.name;
            EXPECT_TRUE(expected == actual) << "variant " << variant << ", " << row.name << ": the items differ";
        }
    }
}

TEST(PublicDeviceCapabilities, AnUnknownPrinterNameGetsTheBuiltInAnswers)
{
    BenchPrinter printer(SampleDriver(2));
    InstalledDriver driver(printer.handle());
    auto query = driver.Entry<CapabilitiesEntry>("DrvDeviceCapabilities");
    ASSERT_NE(nullptr, query);
    std::vector<WORD> codes(64);
    EXPECT_EQ(0u, query(nullptr, const_cast<wchar_t*>(L"No such printer"), DC_PAPERS, codes.data(), nullptr));
    EXPECT_EQ(0u, query(nullptr, const_cast<wchar_t*>(L"No such printer"), DC_DUPLEX, nullptr, nullptr));
    EXPECT_EQ(0u, query(nullptr, nullptr, DC_PAPERS, nullptr, nullptr));
    EXPECT_EQ(999u, query(nullptr, nullptr, DC_COPIES, nullptr, nullptr));
}
