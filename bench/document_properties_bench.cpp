// The document properties without a user interface, as an application asks
// for a printer's settings (DM_OUT_BUFFER), against its floor: the cached
// profile and the printer's level-2 information, each read once.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "bench_clock.h"
#include "benchmarks.h"

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
