// A print job's document events as the graphics engine sends them: the
// shared block of the device context and the job-settings file.
#include "job/document_events.h"

#include <winspool.h>
#include <winddiui.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "job/job_settings_file.h"
#include "job/job_shared_block.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/device_options.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/document_settings.h"
#include "support/documents_folder.h"
#include "support/guarded_memory.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/spooler_faults.h"
#include "facts/printer_call.h"

namespace {

using DocumentEventEntry = int(WINAPI*)(HANDLE, HDC, int, ULONG, PVOID, ULONG, PVOID);

std::wstring JobFilePath()
{
    WCHAR folder[MAX_PATH];
    EXPECT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)));
    return std::wstring(folder) + L"\\JOB" + std::to_wstring(GetCurrentProcessId());
}

// The file's bytes, or "<absent>".
std::string FileText(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<absent>";
    char buffer[512];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// The shared block of a printer handle, mapped for reading, or null.
class BlockReader {
public:
    explicit BlockReader(HANDLE printer)
    {
        WCHAR name[16];
        JobSharedBlockName(printer, name);
        section_ = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
        if (section_)
            view_ = static_cast<const BYTE*>(MapViewOfFile(section_, FILE_MAP_READ, 0, 0, kJobSharedBlockBytes));
    }
    ~BlockReader()
    {
        if (view_)
            UnmapViewOfFile(view_);
        if (section_)
            CloseHandle(section_);
    }
    bool exists() const { return view_ != nullptr; }
    const JobSharedBlockHeader& header() const { return *reinterpret_cast<const JobSharedBlockHeader*>(view_); }
    const DocumentSettings& record() const { return *reinterpret_cast<const DocumentSettings*>(view_ + 8); }
    const BYTE* bytes() const { return view_; }

private:
    HANDLE section_ = nullptr;
    const BYTE* view_ = nullptr;
};

// The printer's driver, loaded as the graphics engine loads it.
class DocumentEventsTest : public ::testing::Test {
protected:
    void SetUp() override { Open(SampleDriver(2)); }

    void Open(const DriverPackage& driver)
    {
        printer_ = std::make_unique<BenchPrinter>(driver);
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        event_ = driver_->Entry<DocumentEventEntry>("DrvDocumentEvent");
        ASSERT_NE(event_, nullptr);
    }

    void TearDown() override
    {
        Event(DOCUMENTEVENT_DELETEDC);
        DeleteFileW(JobFilePath().c_str());
        driver_.reset();
        printer_.reset();
    }

    int Event(int code, ULONG inputSize = 0, void* input = nullptr, HDC dc = kDc)
    {
        char output[16] = "untouched";
        const int result = event_(printer_->handle(), dc, code, inputSize, input, sizeof(output), output);
        EXPECT_STREQ("untouched", output) << "event " << code << " wrote its output";
        return result;
    }

    int CreateContext(DEVMODEW* devMode, HDC dc = kDc)
    {
        DOCEVENT_CREATEDCPRE create = {const_cast<wchar_t*>(L"MARTENUI"), const_cast<wchar_t*>(printer_->name().c_str()),
                                       devMode, FALSE};
        return Event(DOCUMENTEVENT_CREATEDCPRE, sizeof(create), &create, dc);
    }

    int StartDocument(const wchar_t* documentName)
    {
        DOCINFOW docInfo = {sizeof(docInfo), documentName, nullptr, nullptr, 0};
        DOCINFOW* pointer = &docInfo;
        return Event(DOCUMENTEVENT_STARTDOCPRE, sizeof(pointer), &pointer);
    }

    // A default record of this printer's model, as an application gets it.
    DocumentSettings DefaultRecord()
    {
        ModelProfile profile;
        { PrinterCall call; call.printer = printer_->handle(); profile = FetchProfile(&call); }
        ModelState model;
        BuildModel(profile, &model);
        PjlJobFacts facts;
        GatherPjlJobFacts(nullptr, &facts);
        DocumentSettings settings;
        BuildDefaultSettings(model, printer_->name().c_str(), &profile, facts, &settings);
        return settings;
    }

    void InstallOptions(int16_t outputBinCapable)
    {
        DeviceOptionData options = {};
        options.trayCount = 2;
        options.innerTray = outputBinCapable ? 1 : 0;
        options.finisher = outputBinCapable ? 1 : 0;
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(printer_->handle(), options));
    }

    static inline const HDC kDc = reinterpret_cast<HDC>(0x1001);
    std::unique_ptr<BenchPrinter> printer_;
    std::unique_ptr<InstalledDriver> driver_;
    DocumentEventEntry event_ = nullptr;
};

}  // namespace

TEST_F(DocumentEventsTest, AWholeJobKeepsTheFinalizedRecordAndCountsPages)
{
    DocumentSettings record = DefaultRecord();
    record.renderFinalMark = 0;
    ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
    EXPECT_EQ(1, record.renderFinalMark) << "the application's record is finalized in place";
    const std::string header(record.pjlHeader);
    EXPECT_NE(std::string::npos, header.find("@PJL SET VKPJLFILE=")) << header;
    EXPECT_NE(std::string::npos, header.find("\\JOB" + std::to_string(GetCurrentProcessId()) + "\n")) << header;

    {
        BlockReader block(printer_->handle());
        ASSERT_TRUE(block.exists());
        EXPECT_NE(0u, block.header().sectionHandle);
        EXPECT_EQ(0u, block.header().pageCount);
        EXPECT_EQ(0, memcmp(&record, &block.record(), sizeof(record))) << "the block holds the finalized record";
        for (DWORD i = 8 + sizeof(record); i < kJobSharedBlockBytes; ++i)
            ASSERT_EQ(0, block.bytes()[i]) << "byte " << i << " after the record";
    }

    EXPECT_EQ(1, StartDocument(L"Quarterly report"));
    EXPECT_EQ("@PJL SET JOBNAME=\"Quarterly report\"\r\n", FileText(JobFilePath()));
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(1, Event(DOCUMENTEVENT_STARTPAGE));
        EXPECT_EQ(1, Event(DOCUMENTEVENT_ENDPAGE));
    }
    EXPECT_EQ(3u, BlockReader(printer_->handle()).header().pageCount);
    EXPECT_EQ(1, Event(DOCUMENTEVENT_ENDDOCPRE));
    EXPECT_EQ(1, Event(DOCUMENTEVENT_ENDDOCPOST));
    EXPECT_EQ("<absent>", FileText(JobFilePath())) << "the file goes with the document";
    EXPECT_EQ(1, Event(DOCUMENTEVENT_DELETEDC));
    EXPECT_FALSE(BlockReader(printer_->handle()).exists()) << "the section was not closed";
}

// Variants 1 and 3 name no installed options in their header, and never
// read them.
TEST_F(DocumentEventsTest, ModelsWithoutFinishingLinesTakeTheContextAndTheDocument)
{
    for (int variant : {1, 3}) {
        Event(DOCUMENTEVENT_DELETEDC);
        Open(SampleDriver(variant));
        DocumentSettings record = DefaultRecord();
        record.renderFinalMark = 0;
        EXPECT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record))) << "variant " << variant;
        EXPECT_EQ(1, record.renderFinalMark) << "variant " << variant;
        EXPECT_EQ(1, StartDocument(L"Memo")) << "variant " << variant;
    }
}

// Installed options stored but unreadable: the context and the document
// fail with the spooler's reason rather than print finishing nobody chose;
// a context that fails leaves no block and its record unfinalized.
TEST_F(DocumentEventsTest, UnreadableInstalledOptionsFailTheContextAndTheDocument)
{
    InstallOptions(1);
    for (DWORD error : {DWORD{ERROR_ACCESS_DENIED}, DWORD{RPC_S_SERVER_UNAVAILABLE}}) {
        DocumentSettings record = DefaultRecord();
        record.renderFinalMark = 0;
        {
            InjectedFault fault(driver_->module(), Faulted::GetPrinterData, error, {kDeviceOptionValue});
            SetLastError(0);
            EXPECT_EQ(DOCUMENTEVENT_FAILURE, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
            EXPECT_EQ(error, GetLastError());
            EXPECT_EQ(1, fault.failed());
        }
        EXPECT_EQ(0, record.renderFinalMark) << ErrorName(error);
        EXPECT_FALSE(BlockReader(printer_->handle()).exists()) << ErrorName(error);

        ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
        {
            InjectedFault fault(driver_->module(), Faulted::GetPrinterData, error, {kDeviceOptionValue});
            SetLastError(0);
            EXPECT_EQ(DOCUMENTEVENT_FAILURE, StartDocument(L"Stapled"));
            EXPECT_EQ(error, GetLastError());
        }
        EXPECT_EQ("<absent>", FileText(JobFilePath())) << ErrorName(error);
        EXPECT_EQ(1, Event(DOCUMENTEVENT_DELETEDC));
    }
}

// A documents folder whose path fits 259 characters, but not with
// "\JOB<process id>" after it, has no job file: the header names none.
TEST_F(DocumentEventsTest, TheHeaderNamesTheJobFileExactlyWhenItIsWritten)
{
    const std::string job = "\\JOB" + std::to_string(GetCurrentProcessId());
    for (size_t length : {200u, 250u, 256u, 259u}) {
        const std::wstring folder = FolderOfLength(length);
        DocumentsFolderOverride documents(folder);
        ASSERT_EQ(folder, DocumentsFolder()) << "the shell does not report the folder";
        const bool fits = length + job.size() < MAX_PATH;

        DocumentSettings record = DefaultRecord();
        ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
        EXPECT_EQ(1, StartDocument(L"Deep folder"));
        const std::string header(record.pjlHeader);
        const std::string line = "@PJL SET VKPJLFILE=" + std::string(folder.begin(), folder.end()) + job + "\n";
        EXPECT_EQ(fits ? 0u : std::string::npos, header.find("@PJL SET VKPJLFILE=")) << "folder of " << length;
        if (fits) {
            EXPECT_EQ(0u, header.find(line)) << header;
        }
        const std::wstring file = folder + std::wstring(job.begin(), job.end());
        EXPECT_EQ(fits ? "@PJL SET JOBNAME=\"Deep folder\"\r\n" : "<absent>", FileText(file)) << "folder of " << length;
        DeleteFileW(file.c_str());
        Event(DOCUMENTEVENT_DELETEDC);
    }
}

TEST_F(DocumentEventsTest, ADocumentWritesAndDeletesTheFileItsHeaderNamedThoughTheFolderMoved)
{
    const std::wstring job = L"\\JOB" + std::to_wstring(GetCurrentProcessId());
    const std::wstring named = FolderOfLength(120);
    const std::wstring moved = FolderOfLength(130);
    DocumentSettings record = DefaultRecord();
    {
        DocumentsFolderOverride documents(named);
        ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
    }
    DocumentsFolderOverride documents(moved);
    EXPECT_EQ(1, StartDocument(L"Moved"));
    EXPECT_EQ("@PJL SET JOBNAME=\"Moved\"\r\n", FileText(named + job)) << "the file the header names";
    EXPECT_EQ("<absent>", FileText(moved + job));
    Event(DOCUMENTEVENT_ENDDOCPOST);
    EXPECT_EQ("<absent>", FileText(named + job)) << "deleted at the end of the document";
}

TEST_F(DocumentEventsTest, ResetCopiesTheNewRecordUnchanged)
{
    DocumentSettings record = DefaultRecord();
    ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
    DocumentSettings reset = DefaultRecord();
    reset.dmOrientation = DMORIENT_LANDSCAPE;
    reset.renderFinalMark = 0;
    DocumentSettings* pointer = &reset;
    EXPECT_EQ(1, Event(DOCUMENTEVENT_RESETDCPRE, sizeof(pointer), &pointer));
    BlockReader block(printer_->handle());
    EXPECT_EQ(0, memcmp(&reset, &block.record(), sizeof(reset)));
    EXPECT_EQ(0, block.record().renderFinalMark) << "a reset record is not finalized";
}

TEST_F(DocumentEventsTest, WithoutADeviceModeTheRecordAreaStaysZeroAndTheNameIsPlain)
{
    InstallOptions(1);
    ASSERT_EQ(1, CreateContext(nullptr));
    {
        BlockReader block(printer_->handle());
        ASSERT_TRUE(block.exists());
        for (DWORD i = 8; i < kJobSharedBlockBytes; ++i)
            ASSERT_EQ(0, block.bytes()[i]) << "byte " << i;
    }
    EXPECT_EQ(1, StartDocument(L"Plain"));
    EXPECT_EQ("@PJL SET JOBNAME=\"Plain\"\r\n", FileText(JobFilePath()));
}

TEST_F(DocumentEventsTest, JobNamesAreCutAndQuotedSafely)
{
    DocumentSettings record = DefaultRecord();
    ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
    struct Row {
        std::wstring name;
        std::string line;
    } rows[] = {
        {L"Say \"hello\" twice", "@PJL SET JOBNAME=\"Say  hello  twice\"\r\n"},
        {std::wstring(70, L'n'), "@PJL SET JOBNAME=\"" + std::string(64, 'n') + "\"\r\n"},
        // No name can add a PJL command of its own.
        {L"x\r\n@PJL SET COPIES=99\t\x1b", "@PJL SET JOBNAME=\"x  @PJL SET COPIES=99  \"\r\n"},
        {L"del\x7f\x7f" L"end", "@PJL SET JOBNAME=\"del  end\"\r\n"},
        {L"", "@PJL SET JOBNAME=\"\"\r\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(1, StartDocument(row.name.c_str()));
        EXPECT_EQ(row.line, FileText(JobFilePath()));
    }
}

TEST_F(DocumentEventsTest, StapledJobsOnTheFinisherGetASuffix)
{
    InstallOptions(1);
    DocumentSettings record = DefaultRecord();
    record.outputBin = 3;
    record.staple = 1;
    ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
    EXPECT_EQ(1, StartDocument(std::wstring(70, L's').c_str()));
    const std::string text = FileText(JobFilePath());
    const std::string start = "@PJL SET JOBNAME=\"" + std::string(58, 's') + "?";
    ASSERT_EQ(start.size() + 5 + 3, text.size()) << text;
    EXPECT_EQ(start, text.substr(0, start.size()));
    for (size_t i = start.size(); i < start.size() + 5; ++i)
        EXPECT_TRUE(isdigit(static_cast<unsigned char>(text[i]))) << text;
    EXPECT_EQ("\"\r\n", text.substr(start.size() + 5));
}

TEST_F(DocumentEventsTest, NoSuffixWithoutAFinisherOrOnAnotherBin)
{
    struct Row {
        int16_t installed;
        int16_t outputBin;
        int16_t staple;
    } rows[] = {{0, 3, 1}, {1, 1, 1}, {1, 3, 0}};
    for (const Row& row : rows) {
        InstallOptions(row.installed);
        DocumentSettings record = DefaultRecord();
        record.outputBin = row.outputBin;
        record.staple = row.staple;
        record.shift = 0;
        ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
        EXPECT_EQ(1, StartDocument(L"Memo"));
        EXPECT_EQ("@PJL SET JOBNAME=\"Memo\"\r\n", FileText(JobFilePath()))
            << "finisher " << row.installed << " bin " << row.outputBin << " staple " << row.staple;
        Event(DOCUMENTEVENT_DELETEDC);
    }
}

TEST_F(DocumentEventsTest, AnExistingJobFileIsReplaced)
{
    const std::wstring path = JobFilePath();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string stale(300, 'x');
    DWORD written = 0;
    WriteFile(file, stale.data(), static_cast<DWORD>(stale.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(1, CreateContext(nullptr));
    EXPECT_EQ(1, StartDocument(L"Short"));
    EXPECT_EQ("@PJL SET JOBNAME=\"Short\"\r\n", FileText(path));
}

TEST_F(DocumentEventsTest, OtherEventsChangeNothing)
{
    DocumentSettings record = DefaultRecord();
    ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record)));
    std::vector<BYTE> before;
    {
        BlockReader block(printer_->handle());
        before.assign(block.bytes(), block.bytes() + kJobSharedBlockBytes);
    }
    for (int code : {2, 4, 6, 8, 9, 11, 13, 14, 99, -1}) {
        DWORD input = 0;
        EXPECT_EQ(1, Event(code, sizeof(input), &input)) << "event " << code;
    }
    BlockReader block(printer_->handle());
    EXPECT_EQ(0, memcmp(before.data(), block.bytes(), kJobSharedBlockBytes));
    EXPECT_EQ("<absent>", FileText(JobFilePath()));
}

TEST_F(DocumentEventsTest, EventsWithoutABlockDoNothing)
{
    for (int code : {DOCUMENTEVENT_RESETDCPRE, DOCUMENTEVENT_STARTDOCPRE, DOCUMENTEVENT_ENDPAGE, DOCUMENTEVENT_DELETEDC}) {
        void* nothing = nullptr;
        EXPECT_EQ(1, Event(code, sizeof(nothing), &nothing)) << "event " << code;
    }
    EXPECT_EQ("<absent>", FileText(JobFilePath()));
    EXPECT_FALSE(BlockReader(printer_->handle()).exists());
}

TEST_F(DocumentEventsTest, ContextsSharingAPrinterHandleShareTheBlockUntilTheLastIsDeleted)
{
    const HDC first = reinterpret_cast<HDC>(0x2001);
    const HDC second = reinterpret_cast<HDC>(0x2002);
    DocumentSettings record = DefaultRecord();
    ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record), first));
    ASSERT_EQ(1, CreateContext(reinterpret_cast<DEVMODEW*>(&record), second));
    EXPECT_EQ(1, Event(DOCUMENTEVENT_ENDPAGE, 0, nullptr, second));
    EXPECT_EQ(1, Event(DOCUMENTEVENT_DELETEDC, 0, nullptr, first));
    {
        BlockReader block(printer_->handle());
        ASSERT_TRUE(block.exists()) << "deleting one context took the other's block";
        EXPECT_EQ(1u, block.header().pageCount);
    }
    EXPECT_EQ(1, Event(DOCUMENTEVENT_DELETEDC, 0, nullptr, second));
    EXPECT_FALSE(BlockReader(printer_->handle()).exists());
}

// Device modes of any size, placed so that a read past them faults.
TEST_F(DocumentEventsTest, AShortDeviceModeIsKeptAsItCameAndNotFinalized)
{
    GuardedBlock memory(sizeof(DEVMODEW));
    auto* devMode = static_cast<DEVMODEW*>(memory.data());
    devMode->dmSize = sizeof(DEVMODEW);
    devMode->dmDriverExtra = 0;
    devMode->dmOrientation = DMORIENT_LANDSCAPE;
    ASSERT_EQ(1, CreateContext(devMode));
    BlockReader block(printer_->handle());
    ASSERT_TRUE(block.exists());
    EXPECT_EQ(0, memcmp(devMode, block.bytes() + 8, sizeof(DEVMODEW)));
    EXPECT_EQ(0, block.bytes()[8 + sizeof(DEVMODEW)]) << "nothing past the short record";
}

TEST_F(DocumentEventsTest, AnOversizedDeviceModeIsCutToTheBlock)
{
    const DWORD claimed = sizeof(DEVMODEW) + 9000;
    GuardedBlock memory(claimed);
    auto* devMode = static_cast<DEVMODEW*>(memory.data());
    devMode->dmSize = sizeof(DEVMODEW);
    devMode->dmDriverExtra = 9000;
    memset(reinterpret_cast<BYTE*>(devMode) + sizeof(DEVMODEW), 0xAB, 9000);
    ASSERT_EQ(1, CreateContext(devMode));
    BlockReader block(printer_->handle());
    ASSERT_TRUE(block.exists());
    // The rendering module reads a block of 8192 bytes: 8 of header, 8184 of record.
    EXPECT_EQ(0xAB, block.bytes()[8191]) << "the block's last byte";
    EXPECT_EQ(0, memcmp(devMode, block.bytes() + 8, 8184));
}

TEST(JobNameSuffix, IsAQuestionMarkAndExactlyFiveDigits)
{
    const struct {
        int number;
        const char* suffix;
    } rows[] = {{0, "?00000"}, {7, "?00007"}, {42, "?00042"}, {9999, "?09999"}, {32767, "?32767"}, {99999, "?99999"}};
    for (const auto& row : rows) {
        char suffix[8] = "#######";
        FormatJobNameSuffix(row.number, suffix);
        EXPECT_STREQ(row.suffix, suffix) << "number " << row.number;
    }
}

TEST(ConvertDocumentName, KeepsTheLimitAndTheTerminator)
{
    char name[kJobNameLimit + 1];
    EXPECT_EQ(3, ConvertDocumentName(name, L"abc", kJobNameLimit));
    EXPECT_STREQ("abc", name);
    EXPECT_EQ(0, ConvertDocumentName(name, nullptr, kJobNameLimit));
    EXPECT_STREQ("", name);
    EXPECT_EQ(58, ConvertDocumentName(name, std::wstring(80, L'q').c_str(), kJobNameLimitWithSuffix));
    EXPECT_EQ(std::string(58, 'q'), name);
}

// A double-byte system code page (run with a Japanese locale).
TEST(ConvertDocumentName, DropsADoubleByteCharacterThatWouldStraddleTheLimit)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "the system code page is " << GetACP() << ", not a double-byte one";
    char name[kJobNameLimit + 1];
    const std::wstring text = std::wstring(63, L'a') + L"\x65E5" + L"b";
    EXPECT_EQ(63, ConvertDocumentName(name, text.c_str(), kJobNameLimit));
    EXPECT_EQ(std::string(63, 'a'), name);
    const std::wstring fits = std::wstring(62, L'a') + L"\x65E5";
    EXPECT_EQ(64, ConvertDocumentName(name, fits.c_str(), kJobNameLimit));
}
