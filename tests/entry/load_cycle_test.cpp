// The spooler and the applications load and unload the driver again and
// again for months: each load must give back at unload all it took, thread
// storage slots and memory alike, even when threads outlive the load.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/driver_files.h"
#include "platform/holders.h"
#include "settings/document_settings.h"
#include "support/printer_bench.h"

namespace {

using CapabilitiesEntry = DWORD(WINAPI*)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW);
using PropertiesEntry = LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);
using EventEntry = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

constexpr int kLoads = 2000;
constexpr int kWarmLoads = 100;   // the platform's own first-use costs settle first
constexpr int kWorkers = 4;

// How many thread storage slots the process can still take.
int FreeThreadSlots()
{
    std::vector<DWORD> taken;
    for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;)
        taken.push_back(slot);
    for (DWORD slot : taken)
        TlsFree(slot);
    return static_cast<int>(taken.size());
}

// The process's committed private memory, region by region: Wine leaves the
// platform's private-usage counter unchanged however much is committed.
SIZE_T PrivateBytes()
{
    SIZE_T committed = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const BYTE* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            committed += region.RegionSize;
        const BYTE* next = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return committed;
}

// What a print dialog asks of a freshly loaded driver.
struct Calls {
    CapabilitiesEntry capabilities = nullptr;
    PropertiesEntry properties = nullptr;
    WCHAR* name = nullptr;
};

// Every call answers as it should; the failures, for the report.
int Ask(const Calls& calls, HANDLE printer)
{
    int failures = 0;
    const DWORD papers = calls.capabilities(printer, calls.name, DC_PAPERS, nullptr, nullptr);
    WORD codes[64] = {};
    failures += papers == 0 || papers > 64 ||
                calls.capabilities(printer, calls.name, DC_PAPERS, codes, nullptr) != papers;
    const LONG size = calls.properties(nullptr, printer, calls.name, nullptr, nullptr, 0);

    DocumentSettings settings = {};
    failures += size != static_cast<LONG>(sizeof(settings)) ||
                calls.properties(nullptr, printer, calls.name, reinterpret_cast<DEVMODEW*>(&settings), nullptr,
                                 DM_OUT_BUFFER) != IDOK ||
                settings.dmSize != sizeof(DEVMODEW);
    return failures;
}

struct Worker {
    HANDLE thread = nullptr;
    HANDLE go = nullptr;
    HANDLE done = nullptr;
    HANDLE printer = nullptr;
    const Calls* calls = nullptr;   // null: end
    LONG failures = 0;
};

DWORD WINAPI Work(void* parameter)
{
    auto* worker = static_cast<Worker*>(parameter);
    for (;;) {
        WaitForSingleObject(worker->go, INFINITE);
        if (!worker->calls)
            break;
        worker->failures += Ask(*worker->calls, worker->printer);
        SetEvent(worker->done);
    }
    return 0;
}

}  // namespace

TEST(LoadCycle, EveryUnloadGivesBackItsThreadSlotsAndItsMemory)
{
    BenchPrinter printer(SampleDriver(2));
    std::wstring name = printer.name();
    HeapBlock info = GetDriverInfo(printer.handle());
    ASSERT_TRUE(info);
    // A copy of the installed module that only this test loads: the spooler
    // keeps the installed one loaded once it has used it.
    WCHAR folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"martenui-load-cycle.dll";
    ASSERT_TRUE(CopyFileW(info.as<DRIVER_INFO_3W>()->pConfigFile, path.c_str(), FALSE)) << GetLastError();

    // Initialised as the spooler initialises an installed printer, so that
    // each load reads the stored profile, not the profile file.
    {
        HMODULE module = LoadLibraryW(path.c_str());
        ASSERT_NE(nullptr, module);
        auto event = reinterpret_cast<EventEntry>(reinterpret_cast<void*>(GetProcAddress(module, "DrvPrinterEvent")));
        ASSERT_TRUE(event && event(name.data(), PRINTER_EVENT_INITIALIZE, 0, 0));
        FreeLibrary(module);
    }

    Worker workers[kWorkers];
    for (Worker& worker : workers) {
        worker.go = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        worker.done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        ASSERT_TRUE(OpenPrinterW(name.data(), &worker.printer, nullptr));
        worker.thread = CreateThread(nullptr, 0, Work, &worker, 0, nullptr);
        ASSERT_NE(nullptr, worker.thread);
    }

    int slotsAtStart = 0;
    SIZE_T bytesAtStart = 0;
    int failures = 0;
    int load = 0;
    for (; load < kLoads; ++load) {
        if (load == kWarmLoads) {
            slotsAtStart = FreeThreadSlots();
            bytesAtStart = PrivateBytes();
        }
        HMODULE module = LoadLibraryW(path.c_str());
        ASSERT_NE(nullptr, module) << "load " << load << ", error " << GetLastError();
        Calls calls;
        calls.capabilities = reinterpret_cast<CapabilitiesEntry>(
            reinterpret_cast<void*>(GetProcAddress(module, "DrvDeviceCapabilities")));
        calls.properties = reinterpret_cast<PropertiesEntry>(
            reinterpret_cast<void*>(GetProcAddress(module, "DrvDocumentProperties")));
        calls.name = name.data();
        ASSERT_TRUE(calls.capabilities && calls.properties);
        for (Worker& worker : workers) {
            worker.calls = &calls;
            SetEvent(worker.go);
        }
        failures += Ask(calls, printer.handle());
        for (Worker& worker : workers)
            WaitForSingleObject(worker.done, INFINITE);
        FreeLibrary(module);
        ASSERT_EQ(nullptr, GetModuleHandleW(path.c_str())) << "load " << load << " stayed loaded";
        // A leak shows long before the process runs out of slots and dies.
        if (load > kWarmLoads && load % 100 == 0) {
            ASSERT_EQ(slotsAtStart, FreeThreadSlots()) << "free thread storage slots after load " << load;
        }
    }
    const int slotsAtEnd = FreeThreadSlots();
    const double bytesPerLoad = (static_cast<double>(PrivateBytes()) - static_cast<double>(bytesAtStart)) /
                                (kLoads - kWarmLoads);

    for (Worker& worker : workers) {
        worker.calls = nullptr;
        SetEvent(worker.go);
        WaitForSingleObject(worker.thread, INFINITE);
        failures += worker.failures;
        ClosePrinter(worker.printer);
        CloseHandle(worker.thread);
        CloseHandle(worker.go);
        CloseHandle(worker.done);
    }
    DeleteFileW(path.c_str());
    std::printf("%d loads, %d threads: %d free thread storage slots after load %d, %d at the end; %.0f private bytes "
                "per load\n", kLoads, kWorkers + 1, slotsAtStart, kWarmLoads, slotsAtEnd, bytesPerLoad);
    EXPECT_EQ(0, failures) << "calls that did not answer as they should";
    EXPECT_EQ(slotsAtStart, slotsAtEnd) << "free thread storage slots";
    EXPECT_LT(bytesPerLoad, 1024.0) << "private bytes per load";
}
