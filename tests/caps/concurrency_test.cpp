// Threads that ask about printers of different models at the same time each
// get their own printer's answers, and their own printer's records, byte
// for byte.
#include <windows.h>
#include <winspool.h>

#include <winddiui.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/driver_interface.h"
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

// Initialises the printers as the spooler does when it installs them, so
// that each query reads the cached profile, as it does in the field (parsing
// the profile file each time would make a round slow enough on a loaded
// machine to look like waiting).
void InitialiseAsInstalled(const InstalledDriver& driver, const BenchPrinter& first, const BenchPrinter& second)
{
    auto initialise = driver.Entry<BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM)>("DrvPrinterEvent");
    ASSERT_NE(initialise, nullptr);
    ASSERT_TRUE(initialise(const_cast<wchar_t*>(first.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
    ASSERT_TRUE(initialise(const_cast<wchar_t*>(second.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
}

}  // namespace

TEST(ConcurrentCapabilities, EachThreadGetsItsOwnPrintersAnswers)
{
    BenchPrinter first(SampleDriver(1));
    BenchPrinter second(SampleDriver(2));
    InstalledDriver driver(first.handle());
    auto query = driver.Entry<CapabilitiesEntry>("DrvDeviceCapabilities");
    ASSERT_NE(query, nullptr);
    ASSERT_NO_FATAL_FAILURE(InitialiseAsInstalled(driver, first, second));

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

// Roads that read printer data on their way: while one of them waits
// inside the spooler on one thread, another thread's answers go on.
using SlowRoad = void (*)(const InstalledDriver& driver, HANDLE printer, const std::wstring& name);

void AskCapabilities(const InstalledDriver& driver, HANDLE printer, const std::wstring&)
{
    Ask(driver.Entry<CapabilitiesEntry>("DrvDeviceCapabilities"), printer);
}

void MergeADocumentsSettings(const InstalledDriver& driver, HANDLE printer, const std::wstring& name)
{
    auto properties =
        driver.Entry<LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD)>("DrvDocumentProperties");
    std::vector<BYTE> record(4088);
    auto* settings = reinterpret_cast<DEVMODEW*>(record.data());
    settings->dmSize = sizeof(DEVMODEW);
    settings->dmFields = DM_DEFAULTSOURCE | DM_COPIES;
    settings->dmDefaultSource = DMBIN_LOWER;
    settings->dmCopies = 2;
    properties(nullptr, printer, const_cast<wchar_t*>(name.c_str()), settings, settings, DM_IN_BUFFER | DM_COPY);
}

void CreateAPrintJobsContext(const InstalledDriver& driver, HANDLE printer, const std::wstring& name)
{
    auto event = driver.Entry<INT(WINAPI*)(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID)>("DrvDocumentEvent");
    auto properties =
        driver.Entry<LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD)>("DrvDocumentProperties");
    std::vector<BYTE> record(4088);
    const HDC dc = reinterpret_cast<HDC>(0x5151);
    // The record comes from the printer's cached settings before the slow
    // part: only the context's creation meets the slow spooler.
    const DWORD slow = slowThread.exchange(0);
    properties(nullptr, printer, const_cast<wchar_t*>(name.c_str()), reinterpret_cast<DEVMODEW*>(record.data()),
               nullptr, DM_OUT_BUFFER);
    slowThread = slow;
    DOCEVENT_CREATEDCPRE create = {const_cast<wchar_t*>(L"MARTENUI"), const_cast<wchar_t*>(name.c_str()),
                                   reinterpret_cast<DEVMODEW*>(record.data()), FALSE};
    event(printer, dc, DOCUMENTEVENT_CREATEDCPRE, sizeof(create), &create, 0, nullptr);
    event(printer, dc, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr);
}

class AnswersBesideASlowSpooler : public ::testing::TestWithParam<SlowRoad> {};

TEST_P(AnswersBesideASlowSpooler, GoOnWhileAnotherThreadWaitsInsideTheSpooler)
{
    BenchPrinter first(SampleDriver(1));
    BenchPrinter second(SampleDriver(2));
    InstalledDriver driver(first.handle());
    auto query = driver.Entry<CapabilitiesEntry>("DrvDeviceCapabilities");
    ASSERT_NE(query, nullptr);
    ASSERT_NO_FATAL_FAILURE(InitialiseAsInstalled(driver, first, second));
    const Answers expected[2] = {Ask(query, first.handle()), Ask(query, second.handle())};
    ASSERT_FALSE(expected[0] == expected[1]) << "the two models must answer differently";

    insideSlowCall = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    slowCallMayReturn = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ImportSwap slot(driver.module(), "winspool.drv", "GetPrinterDataW", reinterpret_cast<void*>(SlowGetPrinterData));
    ASSERT_NE(nullptr, slot.original());
    realGetPrinterData = reinterpret_cast<GetPrinterDataFunction>(slot.original());

    std::thread slow([&] {
        slowThread = GetCurrentThreadId();
        GetParam()(driver, first.handle(), first.name());
        slowThread = 0;
    });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(insideSlowCall, kDeadlockMs)) << "the slow call never started";

    constexpr int kRounds = 10;
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
    CloseHandle(done);
    CloseHandle(insideSlowCall);
    CloseHandle(slowCallMayReturn);
}

INSTANTIATE_TEST_SUITE_P(Roads, AnswersBesideASlowSpooler,
                         ::testing::Values(AskCapabilities, MergeADocumentsSettings, CreateAPrintJobsContext));

// Every road that hands out a record or an answer, on three printers of
// three models from eight threads at once: each record is the one a single
// thread gets for that printer, every byte of it, the units after the
// names' terminators included.
namespace {

using PropertiesEntry = LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);
using ConvertEntry = BOOL(WINAPI*)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);
using EventEntry = INT(WINAPI*)(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID);

constexpr size_t kRecordBytes = 4088;
using Record = std::vector<BYTE>;

struct Roads {
    CapabilitiesEntry query;
    PropertiesEntry properties;
    ConvertEntry convert;
    EventEntry event;
};

// What each road hands out for one printer.
struct PrinterRecords {
    Answers answers;
    Record converted;   // DrvConvertDevMode
    Record merged;      // DrvDocumentProperties, an application's record merged
    Record finalized;   // that record after a device context's creation
};

Record Converted(const Roads& roads, const std::wstring& name)
{
    Record record(kRecordBytes, 0xEE);
    LONG size = kRecordBytes;
    if (!roads.convert(const_cast<wchar_t*>(name.c_str()), nullptr, reinterpret_cast<DEVMODEW*>(record.data()),
                       &size, CDM_DRIVER_DEFAULT))
        record.clear();
    return record;
}

// An application's public record, merged into the printer's settings.
Record Merged(const Roads& roads, HANDLE printer, const std::wstring& name)
{
    DEVMODEW input = {};
    wcscpy(input.dmDeviceName, L"An application's own name");
    input.dmSize = sizeof(input);
    input.dmFields = DM_ORIENTATION | DM_COPIES;
    input.dmOrientation = DMORIENT_LANDSCAPE;
    input.dmCopies = 2;
    Record record(kRecordBytes, 0xEE);
    if (roads.properties(nullptr, printer, const_cast<wchar_t*>(name.c_str()),
                         reinterpret_cast<DEVMODEW*>(record.data()), &input, DM_IN_BUFFER | DM_COPY) != IDOK)
        record.clear();
    return record;
}

// The merged record as a device context's creation finalizes it in place.
Record Finalized(const Roads& roads, HANDLE printer, const std::wstring& name, Record record, HDC dc)
{
    if (record.empty())
        return record;
    DOCEVENT_CREATEDCPRE create = {const_cast<wchar_t*>(L"MARTENUI"), const_cast<wchar_t*>(name.c_str()),
                                   reinterpret_cast<DEVMODEW*>(record.data()), FALSE};
    roads.event(printer, dc, DOCUMENTEVENT_CREATEDCPRE, sizeof(create), &create, 0, nullptr);
    roads.event(printer, dc, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr);
    return record;
}

PrinterRecords AllRoads(const Roads& roads, const BenchPrinter& printer, HDC dc)
{
    PrinterRecords records;
    records.answers = Ask(roads.query, printer.handle());
    records.converted = Converted(roads, printer.name());
    records.merged = Merged(roads, printer.handle(), printer.name());
    records.finalized = Finalized(roads, printer.handle(), printer.name(), records.merged, dc);
    return records;
}

// Offset of the first byte that differs (or of the end of the shorter
// record), or -1.
long FirstDifference(const Record& expected, const Record& actual)
{
    const size_t size = expected.size() < actual.size() ? expected.size() : actual.size();
    for (size_t i = 0; i < size; ++i) {
        if (expected[i] != actual[i])
            return static_cast<long>(i);
    }
    return expected.size() == actual.size() ? -1 : static_cast<long>(size);
}

}  // namespace

TEST(ConcurrentRoads, EveryRecordIsItsOwnPrintersByteForByte)
{
    BenchPrinter printers[3] = {BenchPrinter(SampleDriver(1)), BenchPrinter(SampleDriver(2)),
                                BenchPrinter(SampleDriver(3))};
    InstalledDriver driver(printers[0].handle());
    const Roads roads = {driver.Entry<CapabilitiesEntry>("DrvDeviceCapabilities"),
                         driver.Entry<PropertiesEntry>("DrvDocumentProperties"),
                         driver.Entry<ConvertEntry>("DrvConvertDevMode"),
                         driver.Entry<EventEntry>("DrvDocumentEvent")};
    ASSERT_TRUE(roads.query && roads.properties && roads.convert && roads.event);
    ASSERT_NO_FATAL_FAILURE(InitialiseAsInstalled(driver, printers[0], printers[1]));
    auto initialise = driver.Entry<BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM)>("DrvPrinterEvent");
    ASSERT_TRUE(initialise(const_cast<wchar_t*>(printers[2].name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));

    // One thread's answers first.
    PrinterRecords expected[3];
    for (int p = 0; p < 3; ++p) {
        expected[p] = AllRoads(roads, printers[p], reinterpret_cast<HDC>(0x6100));
        SCOPED_TRACE(testing::Message() << "printer " << p);
        ASSERT_EQ(kRecordBytes, expected[p].converted.size());
        ASSERT_EQ(kRecordBytes, expected[p].merged.size());
        const auto* converted = reinterpret_cast<const DEVMODEW*>(expected[p].converted.data());
        const auto* merged = reinterpret_cast<const DEVMODEW*>(expected[p].merged.data());
        EXPECT_EQ(printers[p].name(), converted->dmDeviceName);
        EXPECT_EQ(printers[p].name(), merged->dmDeviceName);
    }
    EXPECT_NE(expected[0].merged, expected[1].merged) << "the models must give different records";
    EXPECT_NE(expected[1].merged, expected[2].merged) << "the models must give different records";

    constexpr int kThreads = 8;
    constexpr int kRounds = 12;   // every road on every printer, each round
    std::atomic<int> rounds{0};
    std::atomic<int> differing[4] = {};
    std::atomic<long> firstDifference[3] = {-1, -1, -1};
    auto compare = [&](int road, const Record& want, const Record& got) {
        const long at = FirstDifference(want, got);
        if (at < 0)
            return;
        ++differing[road];
        long none = -1;
        firstDifference[road].compare_exchange_strong(none, at);
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const HDC dc = reinterpret_cast<HDC>(static_cast<ULONG_PTR>(0x6200 + t));
            for (int round = 0; round < kRounds; ++round) {
                const int p = (round + t) % 3;
                const PrinterRecords got = AllRoads(roads, printers[p], dc);
                compare(0, expected[p].converted, got.converted);
                compare(1, expected[p].merged, got.merged);
                compare(2, expected[p].finalized, got.finalized);
                if (!(got.answers == expected[p].answers))
                    ++differing[3];
                ++rounds;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(kThreads * kRounds, rounds.load());
    EXPECT_EQ(0, differing[0].load()) << "converted records differed, the first at offset " << firstDifference[0];
    EXPECT_EQ(0, differing[1].load()) << "merged records differed, the first at offset " << firstDifference[1];
    EXPECT_EQ(0, differing[2].load()) << "finalized records differed, the first at offset " << firstDifference[2];
    EXPECT_EQ(0, differing[3].load()) << "capability answers of another model";
}
