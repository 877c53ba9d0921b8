// The document properties without a user interface, as an application asks
// for a printer's settings (DM_OUT_BUFFER), against its floor: the cached
// profile and the printer's level-2 information, each read once.
#include <windows.h>
#include <winspool.h>
#include <shlobj.h>

#include <cstdio>
#include <vector>

#include "bench_clock.h"
#include "benchmarks.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"

namespace {

constexpr int kRepeat = 20;

}  // namespace

void BenchDocumentProperties(const BenchModel* models, int rounds)
{
    printf("\nDocument properties without a user interface (DM_OUT_BUFFER).\n"
           "Floor: one profile read and one level-2 read.\n\n");
    printf("%-8s %12s %12s %8s\n", "model", "call us", "floor us", "ratio");
    for (int m = 0; m < kBenchModels; ++m) {
        const BenchModel& model = models[m];
        auto properties = DriverEntry<DocumentPropertiesEntry>(model.driver, "DrvDocumentProperties");
        std::vector<BYTE> output(64 * 1024);
        auto call = [&] {
            return properties(nullptr, model.printer, const_cast<wchar_t*>(model.printerName.c_str()),
                              reinterpret_cast<DEVMODEW*>(output.data()), nullptr, DM_OUT_BUFFER);
        };
        if (!properties || call() < 0) {
            printf("V%-7d (the driver answers this call with an error: nothing to measure)\n", model.variant);
            continue;
        }
        std::vector<BYTE> buffer(64 * 1024);
        auto floor = [&] {
            DWORD type = 0;
            DWORD needed = 0;
            GetPrinterDataW(model.printer, const_cast<wchar_t*>(L"DriverProfile"), &type, buffer.data(), 3264,
                            &needed);
            GetPrinterW(model.printer, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
        };
        const Pair pair = MeasurePair(rounds, kRepeat, call, floor);
        printf("V%-7d %12.1f %12.1f %8.2f\n", model.variant, pair.road, pair.floor, pair.ratio());
    }
}

void BenchMergedDocumentProperties(const BenchModel* models, int rounds)
{
    printf("\nDocument properties merging a document's record (DM_IN_BUFFER | DM_COPY).\n"
           "Floor: what the road must read, once each: the level-2 information, \"DriverProfile\",\n"
           "\"DeviceOption\" and the documents folder. Target 1.3.\n\n");
    printf("%-8s %12s %12s %8s\n", "model", "call us", "floor us", "ratio");
    for (int m = 0; m < kBenchModels; ++m) {
        const BenchModel& model = models[m];
        auto properties = DriverEntry<DocumentPropertiesEntry>(model.driver, "DrvDocumentProperties");
        std::vector<BYTE> input(4088), output(4088);
        auto name = const_cast<wchar_t*>(model.printerName.c_str());
        if (!properties || properties(nullptr, model.printer, name, reinterpret_cast<DEVMODEW*>(input.data()), nullptr,
                                      DM_OUT_BUFFER) < 0)
            continue;
        auto call = [&] {
            return properties(nullptr, model.printer, name, reinterpret_cast<DEVMODEW*>(output.data()),
                              reinterpret_cast<DEVMODEW*>(input.data()), DM_IN_BUFFER | DM_COPY);
        };
        std::vector<BYTE> buffer(64 * 1024);
        auto floor = [&] {
            DWORD needed = 0;
            DWORD type = 0;
            GetPrinterW(model.printer, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
            GetPrinterDataW(model.printer, const_cast<WCHAR*>(kDriverProfileValue), &type, buffer.data(),
                            sizeof(ModelProfile), &needed);
            GetPrinterDataW(model.printer, const_cast<WCHAR*>(kDeviceOptionValue), &type, buffer.data(),
                            sizeof(DeviceOptionData), &needed);
            WCHAR folder[MAX_PATH];
            SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
        };
        const Pair pair = MeasurePair(rounds, kRepeat, call, floor);
        printf("V%-7d %12.1f %12.1f %8.2f\n", model.variant, pair.road, pair.floor, pair.ratio());
    }
}
