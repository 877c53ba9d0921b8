// A print job's document events, as the graphics engine sends them for one
// three-page document, against their floor: per event the shared section
// created or opened and mapped, plus the job-settings file written and
// deleted.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "benchmarks.h"
#include "support/spooler_calls.h"

namespace {

constexpr int kPages = 3;
constexpr int kRepeat = 10;
constexpr DWORD kBlockBytes = 8192;
constexpr DWORD kSettingsBytes = 4088;
const HDC kDc = reinterpret_cast<HDC>(0x4242);

struct Job {
    DocumentEventEntry event;
    HANDLE printer;
    std::wstring printerName;
    std::vector<BYTE> record;   // the printer's default settings

    void Send(int code, ULONG size = 0, void* input = nullptr)
    {
        event(printer, kDc, code, size, input, 0, nullptr);
    }

    void operator()()
    {
        std::vector<BYTE> settings = record;
        DOCEVENT_CREATEDCPRE create = {const_cast<wchar_t*>(L"MARTENUI"), const_cast<wchar_t*>(printerName.c_str()),
                                       reinterpret_cast<DEVMODEW*>(settings.data()), FALSE};
        Send(DOCUMENTEVENT_CREATEDCPRE, sizeof(create), &create);
        DOCINFOW docInfo = {sizeof(docInfo), L"Benchmark document", nullptr, nullptr, 0};
        DOCINFOW* pointer = &docInfo;
        Send(DOCUMENTEVENT_STARTDOCPRE, sizeof(pointer), &pointer);
        for (int page = 0; page < kPages; ++page) {
            Send(DOCUMENTEVENT_STARTPAGE);
            Send(DOCUMENTEVENT_ENDPAGE);
        }
        Send(DOCUMENTEVENT_ENDDOCPRE);
        Send(DOCUMENTEVENT_ENDDOCPOST);
        Send(DOCUMENTEVENT_DELETEDC);
    }
};

struct JobFloor {
    std::wstring jobFile;

    static void OpenAndMap(bool create)
    {
        HANDLE section = create ? CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBlockBytes,
                                                     L"MartenuiBenchFloor")
                                : OpenFileMappingW(FILE_MAP_WRITE, FALSE, L"MartenuiBenchFloor");
        if (!section)
            return;
        if (void* view = MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, kBlockBytes))
            UnmapViewOfFile(view);
        CloseHandle(section);
    }

    void operator()()
    {
        HANDLE kept = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBlockBytes,
                                         L"MartenuiBenchFloor");
        if (void* view = MapViewOfFile(kept, FILE_MAP_WRITE, 0, 0, kBlockBytes))
            UnmapViewOfFile(view);
        OpenAndMap(false);   // start of document
        HANDLE file = CreateFileW(jobFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const char line[] = "@PJL SET JOBNAME=\"Benchmark document\"\r\n";
        DWORD written = 0;
        WriteFile(file, line, sizeof(line) - 1, &written, nullptr);
        CloseHandle(file);
        for (int page = 0; page < kPages; ++page)
            OpenAndMap(false);
        DeleteFileW(jobFile.c_str());
        OpenAndMap(false);   // deletion of the context
        CloseHandle(kept);
    }
};

std::vector<BYTE> DefaultRecord(HANDLE printer)
{
    std::vector<BYTE> record(kSettingsBytes);
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed ? needed : 1);
    if (needed && GetPrinterW(printer, 2, info.data(), needed, &needed)) {
        const auto* devMode = reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode;
        if (devMode && devMode->dmSize + devMode->dmDriverExtra == kSettingsBytes)
            memcpy(record.data(), devMode, kSettingsBytes);
    }
    return record;
}

}  // namespace

void BenchJobEvents(const BenchModel* models, int rounds)
{
    WCHAR folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
    const JobFloor floor{std::wstring(folder) + L"\\MartenuiBenchJob"};
    printf("\nA print job's document events: create, start of document, %d pages, end, deletion.\n"
           "Floor: the shared section created or opened and mapped per event, the job file.\n", kPages);
    printf("Calls per job: GetPrinterDataW, GetPrinterDriverW, profile-file reads.\n\n");
    printf("%-8s %6s %6s %6s %12s %12s %8s\n", "model", "data", "driver", "file", "job us", "floor us", "ratio");
    for (int m = 0; m < kBenchModels; ++m) {
        const BenchModel& model = models[m];
        Job job{DriverEntry<DocumentEventEntry>(model.driver, "DrvDocumentEvent"), model.printer, model.printerName,
                DefaultRecord(model.printer)};
        job();
        SpoolerCallCounts calls;
        {
            SpoolerCallCounter counter(model.driver);
            job();
            calls = counter.Take();
        }
        const Pair pair = MeasurePair(rounds, kRepeat, job, floor);
        printf("V%-7d %6ld %6ld %6ld %12.1f %12.1f %8.2f\n", model.variant, calls.printerData, calls.printerDriver,
               calls.profileFile, pair.road, pair.floor, pair.ratio());
    }
}
