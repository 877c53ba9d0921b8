// Threads that ask about printers of different models at the same time each
// get their own printer's answers.
#include <windows.h>
#include <winspool.h>

#include <winddiui.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/import_slots.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"

namespace {

using CapabilitiesEntry = DWORD(WINAPI*)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW);

struct Answers {
    DWORD fields = 0;
    DWORD paperCount = 0;
    std::vector<WORD> papers;
    std::vector<WORD> bins;
    DWORD minExtent = 0;
};

Answers Ask(CapabilitiesEntry query, HANDLE printer)
{
    Answers answers;
    answers.fields = query(printer, nullptr, DC_FIELDS, nullptr, nullptr);
    answers.paperCount = query(printer, nullptr, DC_PAPERS, nullptr, nullptr);
    answers.papers.resize(32);
    answers.papers.resize(query(printer, nullptr, DC_PAPERS, answers.papers.data(), nullptr));
    answers.bins.resize(8);
    answers.bins.resize(query(printer, nullptr, DC_BINS, answers.bins.data(), nullptr));
    answers.minExtent = query(printer, nullptr, DC_MINEXTENT, nullptr, nullptr);
    return answers;
}

bool operator==(const Answers& a, const Answers& b)
{
    return a.fields == b.fields && a.paperCount == b.paperCount && a.papers == b.papers && a.bins == b.bins &&
           a.minExtent == b.minExtent;
}

// A spooler that is slow for one thread: that thread's GetPrinterDataW
// waits until the test lets it go on.
using GetPrinterDataFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, LPDWORD, LPBYTE, DWORD, LPDWORD);
GetPrinterDataFunction realGetPrinterData = nullptr;
std::atomic<DWORD> slowThread{0};
HANDLE insideSlowCall = nullptr;
HANDLE slowCallMayReturn = nullptr;

DWORD WINAPI SlowGetPrinterData(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD size, LPDWORD needed)
{
    if (GetCurrentThreadId() == slowThread.load()) {
        SetEvent(insideSlowCall);
        WaitForSingleObject(slowCallMayReturn, INFINITE);
    }
    return realGetPrinterData(printer, name, type, data, size, needed);
}

// Long enough for any machine to answer a few rounds; reached only when
// the answers wait for the slow call.
constexpr DWORD kDeadlockMs = 60000;

}  // namespace

TEST(ConcurrentCapabilities, EachThreadGetsItsOwnPrintersAnswers)
{
    BenchPrinter first(SampleDriver(1));
    BenchPrinter second(SampleDriver(2));
    InstalledDriver driver(first.handle());
    auto query = driver.Entry<CapabilitiesEntry>("DrvDeviceCapabilities");
    ASSERT_NE(query, nullptr);
    // Installed printers: the spooler has initialised them, so each query
    // reads the cached profile, as it does in the field.
    auto initialise = driver.Entry<BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM)>("DrvPrinterEvent");
    ASSERT_NE(initialise, nullptr);
    ASSERT_TRUE(initialise(const_cast<wchar_t*>(first.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
    ASSERT_TRUE(initialise(const_cast<wchar_t*>(second.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));

    const HANDLE printers[2] = {first.handle(), second.handle()};
    const Answers expected[2] = {Ask(query, printers[0]), Ask(query, printers[1])};
    ASSERT_FALSE(expected[0] == expected[1]) << "the two models must answer differently";
    ASSERT_EQ(0xF703u, expected[0].fields);
    ASSERT_EQ(0xF70Fu, expected[1].fields);

    constexpr int kThreads = 4;
    constexpr int kRounds = 500;   // six queries each
    std::atomic<int> wrong{0};
    std::atomic<int> asked{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                const int which = (round + t) % 2;
                if (!(Ask(query, printers[which]) == expected[which]))
                    ++wrong;
                ++asked;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(kThreads * kRounds, asked.load());
    EXPECT_EQ(0, wrong.load()) << "answers of one model reached a thread asking about the other";
}

TEST(ConcurrentCapabilities, AnswersGoOnWhileAnotherThreadWaitsInsideTheSpooler)
{
    BenchPrinter first(SampleDriver(1));
    BenchPrinter second(SampleDriver(2));
    InstalledDriver driver(first.handle());
    auto query = driver.Entry<CapabilitiesEntry>("DrvDeviceCapabilities");
    ASSERT_NE(query, nullptr);
    // Initialised, so that a round reads the cached profile: parsing the
    // profile file each time would make a round slow enough on a loaded
    // machine to look like waiting.
    auto initialise = driver.Entry<BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM)>("DrvPrinterEvent");
    ASSERT_NE(initialise, nullptr);
    ASSERT_TRUE(initialise(const_cast<wchar_t*>(first.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
    ASSERT_TRUE(initialise(const_cast<wchar_t*>(second.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
    const Answers expected[2] = {Ask(query, first.handle()), Ask(query, second.handle())};
    ASSERT_FALSE(expected[0] == expected[1]) << "the two models must answer differently";

    insideSlowCall = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    slowCallMayReturn = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ImportSwap slot(driver.module(), "winspool.drv", "GetPrinterDataW", reinterpret_cast<void*>(SlowGetPrinterData));
    ASSERT_NE(nullptr, slot.original());
    realGetPrinterData = reinterpret_cast<GetPrinterDataFunction>(slot.original());

    Answers slowAnswers;
    std::thread slow([&] {
        slowThread = GetCurrentThreadId();
        slowAnswers = Ask(query, first.handle());
    });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(insideSlowCall, kDeadlockMs)) << "the slow call never started";

    constexpr int kRounds = 20;
    std::atomic<int> wrong{0};
    std::atomic<int> answered{0};
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread quick([&] {
        for (int round = 0; round < kRounds; ++round) {
            const int which = round % 2;
            if (!(Ask(query, which ? second.handle() : first.handle()) == expected[which]))
                ++wrong;
            ++answered;
        }
        SetEvent(done);
    });
    const DWORD waited = WaitForSingleObject(done, kDeadlockMs);
    const int answeredMeanwhile = answered.load();
    SetEvent(slowCallMayReturn);
    quick.join();
    slow.join();
    EXPECT_EQ(WAIT_OBJECT_0, waited) << answeredMeanwhile << " of " << kRounds
                                     << " rounds answered while another thread was inside the spooler";
    EXPECT_EQ(0, wrong.load());
    EXPECT_TRUE(slowAnswers == expected[0]) << "the slow thread got another model's answers";
    CloseHandle(done);
    CloseHandle(insideSlowCall);
    CloseHandle(slowCallMayReturn);
}
