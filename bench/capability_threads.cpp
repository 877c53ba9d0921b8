// Capability answers from several threads at once, each thread with its own
// printer handle, against the same number of threads doing only the read
// that every answer needs: the cached profile.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <thread>
#include <vector>

#include "bench_clock.h"
#include "benchmarks.h"

namespace {

constexpr int kQueriesPerThread = 400;

// Wall time of `threads` threads each running `work` on its own handle.
template <typename Work>
double RunThreads(const std::vector<HANDLE>& handles, int threads, Work work)
{
    const double start = NowMicros();
    std::vector<std::thread> running;
    for (int t = 0; t < threads; ++t) {
        running.emplace_back([&, t] {
            for (int i = 0; i < kQueriesPerThread; ++i)
                work(handles[t]);
        });
    }
    for (std::thread& thread : running)
        thread.join();
    return NowMicros() - start;
}

}  // namespace

void BenchCapabilityThreads(const BenchModel& model, int rounds)
{
    constexpr int kMostThreads = 8;
    std::vector<HANDLE> handles(kMostThreads);
    for (HANDLE& handle : handles) {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
        OpenPrinterW(const_cast<wchar_t*>(model.printerName.c_str()), &handle, &defaults);
    }
    auto query = DriverEntry<CapabilitiesEntry>(model.driver, "DrvDeviceCapabilities");
    auto answer = [&](HANDLE printer) {
        WORD codes[64];
        query(printer, nullptr, DC_PAPERS, codes, nullptr);
    };
    auto floor = [](HANDLE printer) {
        BYTE profile[3264];
        DWORD type = 0;
        DWORD needed = 0;
        GetPrinterDataW(printer, const_cast<wchar_t*>(L"DriverProfile"), &type, profile, sizeof(profile), &needed);
    };

    printf("\nCapability throughput (DC_PAPERS with a buffer, model V%d), %d queries per thread.\n"
           "Floor: the same threads reading the cached profile once per query.\n\n",
           model.variant, kQueriesPerThread);
    printf("%-8s %14s %14s %8s\n", "threads", "answers/s", "floor/s", "ratio");
    for (int threads : {1, 2, 4, 8}) {
        std::vector<double> roads;
        std::vector<double> floors;
        for (int s = 0; s < (rounds + 2) / 3; ++s) {
            roads.push_back(RunThreads(handles, threads, answer));
            floors.push_back(RunThreads(handles, threads, floor));
        }
        const double total = static_cast<double>(threads) * kQueriesPerThread;
        const double road = Median(roads);
        const double base = Median(floors);
        printf("%-8d %14.0f %14.0f %8.2f\n", threads, total * 1e6 / road, total * 1e6 / base, road / base);
    }
    for (HANDLE handle : handles)
        ClosePrinter(handle);
}
