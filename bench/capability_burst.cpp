// The capability burst of a browser's print dialog, count then fill, against
// the reads it cannot do without: the cached profile once per model answer,
// the installed options once per bin or duplex answer, and the printer's
// level-2 information once for the user-defined paper size.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "bench_clock.h"
#include "benchmarks.h"
#include "support/spooler_calls.h"

namespace {

constexpr WORD kTwiceAsked[] = {DC_PAPERS, DC_PAPERNAMES, DC_PAPERSIZE, DC_BINS, DC_BINNAMES};
constexpr int kModelAnswers = 2 * 5;   // each of kTwiceAsked, count and fill
constexpr int kOptionAnswers = 1 + 4;  // DC_DUPLEX, DC_BINS and DC_BINNAMES twice
constexpr int kQueries = 3 + kModelAnswers;
constexpr int kRepeat = 20;

struct Burst {
    CapabilitiesEntry query;
    HANDLE printer;
    std::vector<BYTE> output = std::vector<BYTE>(64 * 1024);

    void operator()()
    {
        query(printer, nullptr, DC_DUPLEX, nullptr, nullptr);
        query(printer, nullptr, DC_COLLATE, nullptr, nullptr);
        query(printer, nullptr, DC_COPIES, nullptr, nullptr);
        for (WORD index : kTwiceAsked) {
            query(printer, nullptr, index, nullptr, nullptr);
            query(printer, nullptr, index, output.data(), nullptr);
        }
    }
};

struct MandatoryReads {
    HANDLE printer;
    int profileReads;
    int optionReads;
    bool userSize;
    std::vector<BYTE> buffer = std::vector<BYTE>(64 * 1024);

    void Read(const wchar_t* value, DWORD size)
    {
        DWORD type = 0;
        DWORD needed = 0;
        GetPrinterDataW(printer, const_cast<wchar_t*>(value), &type, buffer.data(), size, &needed);
    }

    void operator()()
    {
        for (int i = 0; i < profileReads; ++i)
            Read(L"DriverProfile", 3264);
        for (int i = 0; i < optionReads; ++i)
            Read(L"DeviceOption", 36);
        if (userSize) {
            DWORD needed = 0;
            GetPrinterW(printer, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
        }
    }
};

bool OffersUserSize(CapabilitiesEntry query, HANDLE printer)
{
    WORD codes[64] = {};
    const DWORD count = query(printer, nullptr, DC_PAPERS, codes, nullptr);
    return count > 0 && count <= 64 && codes[count - 1] == 256;
}

}  // namespace

void BenchCapabilityBurst(const BenchModel* models, int rounds)
{
    printf("\nCapability burst: DC_DUPLEX, DC_COLLATE, DC_COPIES, then DC_PAPERS, DC_PAPERNAMES,\n"
           "DC_PAPERSIZE, DC_BINS and DC_BINNAMES, count then fill (%d queries).\n"
           "Floor: %d profile reads, %d option reads, one level-2 read when the user size is offered.\n"
           "Calls per burst: GetPrinterDataW, GetPrinterDriverW, GetPrinterW, profile-file reads.\n\n",
           kQueries, kModelAnswers, kOptionAnswers);
    printf("%-8s %6s %6s %6s %6s %12s %12s %8s %14s\n", "model", "data", "driver", "info", "file", "burst us",
           "floor us", "ratio", "per-query x");
    for (int m = 0; m < kBenchModels; ++m) {
        const BenchModel& model = models[m];
        Burst burst{DriverEntry<CapabilitiesEntry>(model.driver, "DrvDeviceCapabilities"), model.printer};
        MandatoryReads floor{model.printer, kModelAnswers, kOptionAnswers, OffersUserSize(burst.query, model.printer)};
        // A read per query of the burst: the measure of the first report.
        MandatoryReads perQuery{model.printer, kQueries, 0, false};
        burst();   // the resource library is loaded from now on, as in a dialog

        SpoolerCallCounts calls;
        {
            SpoolerCallCounter counter(model.driver);
            burst();
            calls = counter.Take();
            if (!counter.counting())
                printf("(the import slots could not all be swapped: counts are partial)\n");
        }
        const Pair pair = MeasurePair(rounds, kRepeat, burst, floor);
        const Pair perQueryPair = MeasurePair(rounds, kRepeat, burst, perQuery);
        printf("V%-7d %6ld %6ld %6ld %6ld %12.1f %12.1f %8.2f %14.2f\n", model.variant, calls.printerData,
               calls.printerDriver, calls.printerInfo, calls.profileFile, pair.road, pair.floor, pair.ratio(),
               perQueryPair.ratio());
    }
}
