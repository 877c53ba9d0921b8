// The printer's installed-options record, "DeviceOption", and what its
// readers fall back on.
#include "profile/device_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "profile/model_state.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"

namespace {

bool IsZero(const DeviceOptionData& options)
{
    const DeviceOptionData zero = {};
    return memcmp(&zero, &options, sizeof(options)) == 0;
}

}  // namespace

TEST(DeviceOptions, RoundTripsThroughThePrinterData)
{
    BenchPrinter printer(SampleDriver(2));
    DeviceOptionData written = {};
    written.trayCount = 3;
    written.securityPrint = 1;
    wcscpy(written.securityPassword, L"1234");
    written.memoryIndex = 5;
    written.innerTray = 1;
    written.finisher = 1;
    written.duplexUnit = 1;
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(printer.handle(), written));

    DWORD type = 0;
    BYTE stored[64];
    EXPECT_EQ(36, printer.GetData(kDeviceOptionValue, stored, sizeof(stored), &type));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);

    DeviceOptionData read;
    ASSERT_TRUE(ReadDeviceOptions(printer.handle(), &read));
    EXPECT_EQ(0, memcmp(&written, &read, sizeof(read)));
    EXPECT_EQ(L'4', read.securityPassword[3]);
    EXPECT_EQ(0, read.securityPassword[4]) << "a four-character password keeps its terminator";
    EXPECT_EQ(3, InstalledTrayCountOf(LoadTimeModel(), &read));
}

TEST(DeviceOptions, AValueOfAnotherSizeCountsAsAbsent)
{
    BenchPrinter printer(SampleDriver(3));
    ModelState model;
    BuildModel(LoadPrinterModel(printer), &model);   // DEFNUMBER=3
    std::vector<BYTE> value(64, 0x01);
    // 0: the printer has no value yet.
    for (DWORD size : {0u, 4u, 35u, 37u, 64u}) {
        SCOPED_TRACE(testing::Message() << size << " bytes");
        if (size != 0) {
            ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
                      printer.SetData(kDeviceOptionValue, REG_BINARY, value.data(), size));
        }
        DeviceOptionData read;
        memset(&read, 0x7F, sizeof(read));
        EXPECT_FALSE(ReadDeviceOptions(printer.handle(), &read));
        EXPECT_TRUE(IsZero(read)) << "the reader's buffer is zero-filled";
        EXPECT_EQ(3, InstalledTrayCountOf(model, nullptr)) << "the model's default tray count stands in";
    }
}

TEST(DeviceOptions, WithoutAPrinterNothingIsReadAndTheModelsTraysStandIn)
{
    BenchPrinter printer(SampleDriver(1));
    ModelState model;
    BuildModel(LoadPrinterModel(printer), &model);
    DeviceOptionData read;
    EXPECT_FALSE(ReadDeviceOptions(nullptr, &read));
    EXPECT_TRUE(IsZero(read));
    EXPECT_EQ(1, InstalledTrayCountOf(model, nullptr));
}
