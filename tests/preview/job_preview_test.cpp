// The job preview against the driver itself: each row's header is the one
// the document events write for the same record in a real job, decoding
// any header the preview makes gives back choices that make it again, and
// bad input gets one message and nothing else.
#include "job_preview.h"

#include <winddiui.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "header_decode.h"
#include "preview_words.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"

namespace {

using DocumentEventEntry = int(WINAPI*)(HANDLE, HDC, int, ULONG, PVOID, ULONG, PVOID);

std::vector<std::wstring> Words(const std::wstring& text)
{
    std::vector<std::wstring> words;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find(L' ', at);
        words.push_back(text.substr(at, end - at));
        at = end == std::wstring::npos ? text.size() : end + 1;
    }
    return words;
}

const PreviewModel& SampleModel(int variant)
{
    static PreviewModel models[3];
    static bool read[3];
    if (!read[variant - 1]) {
        std::wstring error;
        EXPECT_TRUE(ReadPreviewModel(SampleProfilePath(variant), &models[variant - 1], &error)) << error.c_str();
        read[variant - 1] = true;
    }
    return models[variant - 1];
}

// The header without its job file line, which names this process's file.
std::string WithoutJobFile(const std::string& header)
{
    return header.compare(0, 19, "@PJL SET VKPJLFILE=") == 0 ? header.substr(header.find('\n') + 1) : header;
}

struct Row {
    int variant;
    const wchar_t* choices;
    const wchar_t* installed;
    const char* lines;          // the header after the job file line
    const wchar_t* overridden;  // "choice=used ...", the overridden choices
};

#define V2_TAIL_PLAIN "@PJL SET TONERSAVE=OFF\r\n@PJL SET STAPLE=OFF\r\n"
const Row kRows[] = {
    {1, L"", L"",
     "@PJL SET PAPER=LETTER\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n@PJL SET ROTATE=OFF\r\n"
     "@PJL SET RESOLUTION=300\r\n@PJL SET SMOOTH=OFF\r\n", L""},
    {1, L"paper=a4 orientation=landscape source=tray2 rotate=on smoothing=on resolution=600", L"trays=2",
     "@PJL SET PAPER=A4\r\n@PJL SET ORIENTATION=LANDSCAPE\r\n@PJL SET MEDIASOURCE=TRAY2\r\n@PJL SET ROTATE=ON\r\n"
     "@PJL SET RESOLUTION=600\r\n@PJL SET SMOOTH=ON\r\n", L""},
    {1, L"source=tray2", L"",
     "@PJL SET PAPER=LETTER\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n@PJL SET ROTATE=OFF\r\n"
     "@PJL SET RESOLUTION=300\r\n@PJL SET SMOOTH=OFF\r\n", L"source=auto"},
    {1, L"paper=a4 n-in-1=2 target=letter position=2", L"",
     "@PJL SET PAPER=LETTER\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n@PJL SET ROTATE=OFF\r\n"
     "@PJL SET RESOLUTION=300\r\n@PJL SET SMOOTH=OFF\r\n", L""},
    {2, L"staple=on shift=on output-tray=finisher duplex=on flip=short", L"finisher=on",
     "@PJL SET PAPER=A4\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n@PJL SET ROTATE=OFF\r\n"
     "@PJL SET RESOLUTION=600\r\n@PJL SET SMOOTH=OFF\r\n@PJL SET SECURITY=OFF\r\n@PJL SET JOBPASSWORD=\r\n"
     "@PJL SET SHIFT=ON\r\n@PJL SET OUTBIN=OUTBIN3\r\n@PJL SET TONERSAVE=OFF\r\n@PJL SET STAPLE=LEFTTOP\r\n"
     "@PJL SET DUPLEX=SHORTEDGE\r\n@PJL SET BINDINGMARGIN=OFF\r\n@PJL SET SORTER=STACK\r\n", L""},
    {2, L"staple=on shift=on output-tray=finisher duplex=on binding-margin=on", L"duplex-unit=off",
     "@PJL SET PAPER=A4\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n@PJL SET ROTATE=OFF\r\n"
     "@PJL SET RESOLUTION=600\r\n@PJL SET SMOOTH=OFF\r\n@PJL SET SECURITY=OFF\r\n@PJL SET JOBPASSWORD=\r\n"
     "@PJL SET SHIFT=OFF\r\n@PJL SET OUTBIN=AUTO\r\n" V2_TAIL_PLAIN
     "@PJL SET DUPLEX=OFF\r\n@PJL SET BINDINGMARGIN=OFF\r\n@PJL SET SORTER=STACK\r\n",
     L"output-tray=auto shift=off staple=off duplex=off binding-margin=off"},
    {2, L"security=on password=1234 copies-by=driver sorter=sort output-tray=inner2", L"memory=2 inner-tray=on",
     "@PJL SET PAPER=A4\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n@PJL SET ROTATE=OFF\r\n"
     "@PJL SET RESOLUTION=600\r\n@PJL SET SMOOTH=OFF\r\n@PJL SET SECURITY=ON\r\n@PJL SET JOBPASSWORD=1234\r\n"
     "@PJL SET SHIFT=OFF\r\n@PJL SET OUTBIN=OUTBIN2\r\n" V2_TAIL_PLAIN
     "@PJL SET DUPLEX=OFF\r\n@PJL SET BINDINGMARGIN=OFF\r\n", L""},
    {2, L"security=on password=1234", L"memory=0",
     "@PJL SET PAPER=A4\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n@PJL SET ROTATE=OFF\r\n"
     "@PJL SET RESOLUTION=600\r\n@PJL SET SMOOTH=OFF\r\n@PJL SET SECURITY=OFF\r\n@PJL SET JOBPASSWORD=\r\n"
     "@PJL SET SHIFT=OFF\r\n@PJL SET OUTBIN=AUTO\r\n" V2_TAIL_PLAIN
     "@PJL SET DUPLEX=OFF\r\n@PJL SET BINDINGMARGIN=OFF\r\n@PJL SET SORTER=STACK\r\n", L"security=off"},
    {2, L"paper=a3 rotate=on toner-save=on source=tray4 resolution=300", L"trays=4 duplex-unit=off",
     "@PJL SET PAPER=A3\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=TRAY4\r\n@PJL SET ROTATE=OFF\r\n"
     "@PJL SET RESOLUTION=300\r\n@PJL SET SMOOTH=OFF\r\n@PJL SET SECURITY=OFF\r\n@PJL SET JOBPASSWORD=\r\n"
     "@PJL SET SHIFT=OFF\r\n@PJL SET OUTBIN=AUTO\r\n@PJL SET TONERSAVE=ON\r\n@PJL SET STAPLE=OFF\r\n"
     "@PJL SET DUPLEX=OFF\r\n@PJL SET BINDINGMARGIN=OFF\r\n@PJL SET SORTER=STACK\r\n", L"rotate=off"},
    {3, L"toner-save=on truetype=download source=manual resolution=300 paper=letter", L"",
     "@PJL SET PAPER=LETTER\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=MANUAL\r\n"
     "@PJL SET RESOLUTION=300\r\n", L"truetype=bitmap"},
    {3, L"source=tray3 orientation=landscape", L"trays=2",
     "@PJL SET PAPER=LETTER\r\n@PJL SET ORIENTATION=LANDSCAPE\r\n@PJL SET MEDIASOURCE=AUTO\r\n"
     "@PJL SET RESOLUTION=600\r\n", L"source=auto"},
};

std::wstring Overridden(const PreviewResult& result)
{
    std::wstring text;
    for (const PreviewOverride& o : result.overrides)
        text += (text.empty() ? L"" : L" ") + o.choice + L"=" + o.used;
    return text;
}

// The header the driver's document events write for `record` on a printer
// of the sample model with these installed options.
std::string HeaderOfRealJob(int variant, const DocumentSettings& record, const DeviceOptionData& installed)
{
    const std::string key(reinterpret_cast<const char*>(&installed), sizeof(installed));
    BenchPrinter& printer = SharedPrinter(SampleDriver(variant), key, [&](const BenchPrinter& p) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(p.handle(), installed));
    });
    InstalledDriver driver(printer.handle());
    const auto event = driver.Entry<DocumentEventEntry>("DrvDocumentEvent");
    if (!event)
        return "<no DrvDocumentEvent>";
    DocumentSettings copy = record;
    const HDC dc = reinterpret_cast<HDC>(0x2002);
    DOCEVENT_CREATEDCPRE create = {const_cast<wchar_t*>(L"MARTENUI"), const_cast<wchar_t*>(printer.name().c_str()),
                                   reinterpret_cast<DEVMODEW*>(&copy), FALSE};
    event(printer.handle(), dc, DOCUMENTEVENT_CREATEDCPRE, sizeof(create), &create, 0, nullptr);
    event(printer.handle(), dc, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr);
    return copy.pjlHeader;
}

// Decoding the header gives no flag, gives back every asked choice that a
// line carries and no override changed, and its choices make the same header.
void ExpectRoundTrip(const PreviewModel& model, const PreviewResult& result, const std::vector<std::wstring>& installed,
                     const std::wstring& asked)
{
    DecodedHeader decoded;
    std::wstring error;
    ASSERT_TRUE(DecodeJobHeader(model, result.record.pjlHeader, &decoded, &error)) << error.c_str();
    const std::vector<std::wstring> back = decoded.Choices();
    for (const std::wstring& choice : Words(asked)) {
        const std::wstring name = choice.substr(0, choice.find(L'='));
        // The paper line names the paper printed on: magnify's or N-in-1's target.
        bool overridden = name == L"paper" && (asked.find(L"magnify=") != std::wstring::npos ||
                                               asked.find(L"target=") != std::wstring::npos);
        for (const PreviewOverride& o : result.overrides)
            overridden = overridden || o.choice == name;
        for (const std::wstring& decodedChoice : back) {
            if (overridden || decodedChoice.compare(0, name.size() + 1, name + L"=") != 0)
                continue;
            // Bin 3 is the outer tray or the finisher: the header cannot tell.
            if (name == L"output-tray")
                EXPECT_EQ(OutputBinOfWord(choice.substr(name.size() + 1)),
                          OutputBinOfWord(decodedChoice.substr(name.size() + 1))) << "from " << asked.c_str();
            else
                EXPECT_EQ(choice, decodedChoice) << "from " << asked.c_str();
        }
    }
    for (const DecodedLine& line : decoded.lines)
        EXPECT_EQ(L"", line.flag) << line.text << " from " << asked.c_str();
    for (const std::wstring& problem : decoded.problems)
        ADD_FAILURE() << problem.c_str() << " from " << asked.c_str();
    PreviewResult again;
    ASSERT_TRUE(BuildPreview(model, decoded.Choices(), installed, &again, &error)) << error.c_str();
    EXPECT_EQ(std::string(result.record.pjlHeader), std::string(again.record.pjlHeader)) << "from " << asked.c_str();
}

}  // namespace

TEST(JobPreview, EachRowGivesItsHeaderLinesAndOverridesAsTheDriversJobDoes)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << "v" << row.variant << " " << row.choices << " --installed " << row.installed);
        const PreviewModel& model = SampleModel(row.variant);
        PreviewResult result;
        std::wstring error;
        ASSERT_TRUE(BuildPreview(model, Words(row.choices), Words(row.installed), &result, &error)) << error.c_str();
        EXPECT_EQ(row.lines, WithoutJobFile(result.record.pjlHeader));
        EXPECT_EQ(std::wstring(row.overridden), Overridden(result));
        EXPECT_EQ("@PJL EOJ\r\n", std::string(result.record.pjlTrailer));
        EXPECT_EQ(std::string(result.record.pjlHeader), HeaderOfRealJob(row.variant, result.record, result.installed));
        ExpectRoundTrip(model, result, Words(row.installed), row.choices);
    }
}

TEST(JobPreview, RandomChoicesDecodeBackToTheSameHeader)
{
    const wchar_t* const kNames[] = {L"paper",  L"source", L"orientation", L"copies", L"copies-by", L"zoom",
                                     L"sorter", L"order",  L"rotate",      L"shift",  L"duplex",    L"flip",
                                     L"binding-margin", L"output-tray", L"staple", L"resolution", L"smoothing",
                                     L"toner-save", L"truetype", L"security"};
    const wchar_t* const kOptions[] = {L"trays", L"memory", L"duplex-unit", L"inner-tray", L"outer-tray", L"finisher"};
    std::mt19937 random(20261209);
    auto pick = [&](const PreviewModel& model, const wchar_t* name, bool installed, std::vector<std::wstring>* out) {
        const std::vector<std::wstring> values = OfferedValues(model, name, installed);
        if (values.empty() || random() % 2)
            return;
        std::wstring value = values[random() % values.size()];
        if (values.size() == 2 && iswdigit(values[0][0]) && name != std::wstring(L"resolution"))
            value = std::to_wstring(_wtoi(values[0].c_str()) +
                                    static_cast<int>(random() % (_wtoi(values[1].c_str()) - _wtoi(values[0].c_str()) + 1)));
        out->push_back(std::wstring(name) + L"=" + value);
    };
    for (int variant = 1; variant <= 3; ++variant) {
        const PreviewModel& model = SampleModel(variant);
        for (int round = 0; round < 1000; ++round) {
            std::vector<std::wstring> choices, installed;
            for (const wchar_t* name : kNames)
                pick(model, name, false, &choices);
            for (const wchar_t* name : kOptions)
                pick(model, name, true, &installed);
            if (variant == 2 && random() % 2)
                choices.push_back(L"password=" + std::to_wstring(1000 + random() % 9000));
            std::wstring asked;
            for (const std::wstring& c : choices)
                asked += c + L" ";
            PreviewResult result;
            std::wstring error;
            ASSERT_TRUE(BuildPreview(model, choices, installed, &result, &error)) << error.c_str() << " from " << asked.c_str();
            ExpectRoundTrip(model, result, installed, asked);
            if (HasFailure())
                return;   // one seed's finding is enough to replay it
        }
    }
}

TEST(JobPreview, DecodingFlagsWhatTheModelsDriverCouldNotHaveWritten)
{
    const PreviewModel& model = SampleModel(2);
    PreviewResult result;
    std::wstring error;
    ASSERT_TRUE(BuildPreview(model, {}, {}, &result, &error));
    const std::string header = WithoutJobFile(result.record.pjlHeader);
    struct Case {
        std::string job;
        const wchar_t* expected;   // the first flag
    } cases[] = {
        {"@PJL SET FAXMODE=ON\r\n" + header, L"this model's driver never writes this line"},
        {"@PJL SET PAPER=A9\r\n" + header.substr(header.find('\n') + 1), L"the value is not in this model's table"},
        {header.substr(header.find('\n') + 1), L"the line \"@PJL SET PAPER\" that the driver always writes is missing"},
        {header.substr(header.find('\n') + 1) + "@PJL SET PAPER=A4\r\n", L"\"@PJL SET PAPER\" comes out of the driver's order"},
    };
    for (const Case& c : cases) {
        DecodedHeader decoded;
        ASSERT_TRUE(DecodeJobHeader(model, c.job, &decoded, &error)) << error.c_str();
        std::wstring first;
        for (const DecodedLine& line : decoded.lines)
            if (first.empty())
                first = line.flag;
        if (first.empty() && !decoded.problems.empty())
            first = decoded.problems[0];
        EXPECT_EQ(std::wstring(c.expected), first) << c.job;
    }
}

namespace {

std::string Findings(const std::vector<RecordFinding>& findings)
{
    std::string text;
    for (const RecordFinding& f : findings)
        text += (text.empty() ? "" : " ") + f.field + "=" + f.stored + ">" + f.used;
    return text;
}

}  // namespace

// A saved record gives the header of the choices it was made with; the
// fields the merge would not take are named with what the driver uses.
TEST(JobPreview, ASavedRecordIsReportedFieldByFieldAsTheDriverTakesIt)
{
    const PreviewModel& model = SampleModel(2);
    const std::vector<std::wstring> installed = {L"finisher=on"};
    PreviewResult made;
    std::wstring error;
    ASSERT_TRUE(BuildPreview(model, {L"staple=on", L"output-tray=finisher", L"copies=3"}, installed, &made, &error));
    const struct {
        void (*change)(DocumentSettings*);
        const char* findings;
    } cases[] = {
        {[](DocumentSettings*) {}, ""},
        {[](DocumentSettings* s) { s->dmCopies = 1000; s->dmOrientation = 3; s->dmDuplex = 0; },
         "dmOrientation=3>1 dmCopies=1000>1 dmDuplex=0>1"},
        {[](DocumentSettings* s) { s->choiceMagic = 0; }, "private part=not this driver's>the model's defaults"},
    };
    for (const auto& c : cases) {
        DocumentSettings saved = made.record;
        c.change(&saved);
        PreviewResult result;
        std::vector<RecordFinding> findings;
        ASSERT_TRUE(PreviewRecord(model, std::string(reinterpret_cast<const char*>(&saved), sizeof(saved)), installed,
                                  &result, &findings, &error)) << error.c_str();
        EXPECT_EQ(c.findings, Findings(findings));
        if (findings.empty()) {
            EXPECT_EQ(std::string(made.record.pjlHeader), std::string(result.record.pjlHeader));
        }
    }
}

namespace {

struct ToolRun {
    DWORD status;
    std::string out;
    std::string err;
};

std::string ReadAll(HANDLE pipe)
{
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read)
        text.append(buffer, read);
    return text;
}

// Runs the built tool with `arguments` and waits for it.
ToolRun RunTool(const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 1 << 16);
    CreatePipe(&errRead, &errWrite, &inherit, 1 << 16);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    std::string exe = JOB_PREVIEW_EXE;
    std::wstring command = L"\"Z:" + std::wstring(exe.begin(), exe.end()) + L"\" " + arguments;
    PROCESS_INFORMATION process = {};
    ToolRun run = {~0u, "", ""};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(outWrite);
        CloseHandle(errWrite);
        run.out = ReadAll(outRead);
        run.err = ReadAll(errRead);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &run.status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    } else {
        CloseHandle(outWrite);
        CloseHandle(errWrite);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return run;
}

std::wstring TempFileWith(const wchar_t* name, const std::string& bytes)
{
    WCHAR folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

}  // namespace

TEST(JobPreview, BadInputGetsOneMessageAndNothingElse)
{
    const std::wstring v2 = L"\"" + SampleProfilePath(2) + L"\" ";
    const std::string binary("\x7f" "ELF\x02\x01\x01\x00\x00\x00", 10);
    PreviewResult made;
    std::wstring error;
    ASSERT_TRUE(BuildPreview(SampleModel(2), {}, {}, &made, &error));
    const DocumentSettings& record = made.record;
    const struct {
        std::wstring arguments;
        const char* message;
    } cases[] = {
        {v2 + L"colour=on", "\"colour=on\": not a choice of this model; it offers paper, source"},
        {v2 + L"paper=a9", "paper=a9: not a value of this model; it offers a3, b4, a4"},
        {v2 + L"copies=1000", "copies=1000: out of range; it takes 1 to 999"},
        {v2 + L"--installed trays=5", "trays=5: out of range; it takes 1 to 4"},
        {v2 + L"--record \"" + TempFileWith(L"short.dev", std::string(reinterpret_cast<const char*>(&record), 2000)) + L"\"",
         "a truncated record: it says 4088 bytes and the file holds 2000"},
        {v2 + L"--record \"" + TempFileWith(L"text.dev", "not a record\r\n") + L"\"",
         "not a device-mode record: 14 bytes, fewer than its size fields"},
        {v2 + L"--decode \"" + TempFileWith(L"empty.prn", "") + L"\"", "the job is empty"},
        {v2 + L"--decode \"" + TempFileWith(L"plain.prn", "%!PS-Adobe-3.0\r\n") + L"\"",
         "the job does not start with a PJL header"},
        {v2 + L"--decode \"" + TempFileWith(L"binary.prn", binary) + L"\"", "the job is not text and has no PJL header"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(2u, run.status) << run.err;
        EXPECT_EQ("", run.out);
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << "stderr: " << run.err;
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << "stderr: " << run.err;
    }
}
