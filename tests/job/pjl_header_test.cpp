// The PJL job identification, header and trailer built into settings.
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "facts/printer_call.h"
#include "profile/device_options.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"

namespace {

// The letter of the user locale this run was started with (see the test
// list): English unless a locale entry says otherwise.
char ExpectedLanguageLetter()
{
    const char* letter = getenv("MARTENUI_LANGUAGE_LETTER");
    return letter && letter[0] ? letter[0] : 'E';
}

std::string DocumentsFolder()
{
    char folder[MAX_PATH] = {};
    EXPECT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder));
    return folder;
}

std::string JobFileLine()
{
    return "@PJL SET VKPJLFILE=" + DocumentsFolder() + "\\JOB" + std::to_string(GetCurrentProcessId()) + "\n";
}

// The value of the line that starts with `command` followed by "=", or
// "(absent)".
std::string ValueOf(const char* header, const std::string& command)
{
    const std::string text = header;
    const std::string start = command + "=";
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, start.size(), start) == 0)
            return line.substr(start.size());
        at = end + 1;
    }
    return "(absent)";
}

// Points the user's documents folder elsewhere while it lives.
class DocumentsFolderOverride {
public:
    explicit DocumentsFolderOverride(const std::wstring& folder)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        WCHAR old[MAX_PATH] = {};
        DWORD size = sizeof(old);
        had_ = RegQueryValueExW(key_, L"Personal", nullptr, &type_, reinterpret_cast<BYTE*>(old), &size) == 0;
        old_ = old;
        Set(folder, REG_EXPAND_SZ);
    }
    ~DocumentsFolderOverride()
    {
        if (had_)
            Set(old_, type_);
        else
            RegDeleteValueW(key_, L"Personal");
        RegCloseKey(key_);
    }

private:
    void Set(const std::wstring& value, DWORD type)
    {
        RegSetValueExW(key_, L"Personal", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
    }
    static constexpr WCHAR kKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY key_ = nullptr;
    bool had_ = false;
    DWORD type_ = REG_EXPAND_SZ;
    std::wstring old_;
};

class PjlHeaderTest : public ::testing::Test {
protected:
    void Load(const DriverPackage& driver)
    {
        printer_ = std::make_unique<BenchPrinter>(driver);
        profile_ = LoadPrinterModel(*printer_);
        BuildModel(profile_, &model_);
        PjlJobFacts facts;
        GatherPjlJobFacts(nullptr, &facts);
        BuildDefaultSettings(model_, printer_->name().c_str(), &profile_, facts, &settings_);
    }
    void LoadSample(int variant) { Load(SampleDriver(variant)); }
    HANDLE printer() const { return printer_->handle(); }
    // The header as the product builds it: the printer's facts gathered
    // first, then composed.
    const char* Build(HANDLE printer)
    {
        PrinterCall call;
        call.printer = printer;
        PjlJobFacts facts;
        GatherPjlJobFacts(printer ? &call : nullptr, &facts);
        ComposePjlHeader(model_, facts, &settings_);
        return settings_.pjlHeader;
    }
    const char* Build() { return Build(printer()); }
    void Install(const DeviceOptionData& options)
    {
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(printer(), options));
    }

    std::unique_ptr<BenchPrinter> printer_;
    ModelProfile profile_;
    ModelState model_;
    DocumentSettings settings_;
};

}  // namespace

TEST_F(PjlHeaderTest, BuildsTheTextsOfTheSampleModels)
{
    const char letter = ExpectedLanguageLetter();
    struct Row {
        int variant;
        std::string identification;
        std::string header;
    } rows[] = {
        {1, std::string("NT4 ") + letter + "1 1.8 Apr 13 2003",
         "@PJL SET PAPER=LETTER\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n"
         "@PJL SET ROTATE=OFF\r\n@PJL SET RESOLUTION=300\r\n@PJL SET SMOOTH=OFF\r\n"},
        {2, std::string("NT4 ") + letter + "2 4.11 Apr 13 2003",
         "@PJL SET PAPER=A4\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n"
         "@PJL SET ROTATE=OFF\r\n@PJL SET RESOLUTION=600\r\n@PJL SET SMOOTH=OFF\r\n"
         "@PJL SET SECURITY=OFF\r\n@PJL SET JOBPASSWORD=\r\n@PJL SET SHIFT=OFF\r\n@PJL SET OUTBIN=AUTO\r\n"
         "@PJL SET TONERSAVE=OFF\r\n@PJL SET STAPLE=OFF\r\n@PJL SET DUPLEX=OFF\r\n"
         "@PJL SET BINDINGMARGIN=OFF\r\n@PJL SET SORTER=STACK\r\n"},
        {3, std::string("NT4 ") + letter + "3 4.10 Apr 13 2003",
         "@PJL SET PAPER=LETTER\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n"
         "@PJL SET RESOLUTION=600\r\n"},
    };
    for (const Row& row : rows) {
        LoadSample(row.variant);
        Build();
        EXPECT_EQ(row.identification, settings_.jobIdentification) << "variant " << row.variant;
        EXPECT_EQ(JobFileLine() + row.header, settings_.pjlHeader) << "variant " << row.variant;
        EXPECT_STREQ("@PJL EOJ\r\n", settings_.pjlTrailer) << "variant " << row.variant;
    }
}

TEST_F(PjlHeaderTest, IdentifiesTheUsersLanguage)
{
    LoadSample(3);
    Build();
    ASSERT_GE(strlen(settings_.jobIdentification), 5u);
    EXPECT_EQ(ExpectedLanguageLetter(), settings_.jobIdentification[4]) << settings_.jobIdentification;
}

TEST_F(PjlHeaderTest, WithoutAPrinterTakesTheLibrarysVersionAndTheDefaultOptions)
{
    LoadSample(3);
    Build(nullptr);
    EXPECT_NE(nullptr, strstr(settings_.jobIdentification, "3 4.11 Apr 13 2003")) << settings_.jobIdentification;

    // The model's default options have a duplex unit (DUPLEXDEF=1); a printer
    // without "DeviceOption" has none.
    LoadSample(2);
    settings_.duplexOn = 1;
    settings_.duplexBinding = 1;
    EXPECT_EQ("LONGEDGE", ValueOf(Build(nullptr), "@PJL SET DUPLEX"));
    EXPECT_EQ("OFF", ValueOf(Build(), "@PJL SET DUPLEX"));
}

// The profile's version at its limit of 31 characters, read from the
// printer's profile file, is named whole.
TEST_F(PjlHeaderTest, NamesAProfileVersionAtItsLimitWhole)
{
    Load(DriverWithProfile(L"Bench long version", L"PjlVer.ini",
                           L"[Setup]\nDRIVER=3\n[PaperSize]\nA4=1,1,1,A4\n[About]\n"
                           L"VERSION3=1234567890123456789012345678901\n"));
    Build();
    EXPECT_NE(nullptr, strstr(settings_.jobIdentification, "3 1234567890123456789012345678901 Apr 13 2003"))
        << settings_.jobIdentification;
}

TEST_F(PjlHeaderTest, NamesThePublicValues)
{
    LoadSample(1);   // LETTER and A4 rotatable, A5 not
    struct Row {
        const char* what;
        void (*change)(DocumentSettings*);
        const char* command;
        const char* expected;
    } rows[] = {
        {"landscape", [](DocumentSettings* s) { s->dmOrientation = 2; }, "@PJL SET ORIENTATION", "LANDSCAPE"},
        {"orientation 0", [](DocumentSettings* s) { s->dmOrientation = 0; }, "@PJL SET ORIENTATION", "Unknown"},
        {"bypass tray", [](DocumentSettings* s) { s->dmDefaultSource = 1026; }, "@PJL SET MEDIASOURCE", "MANUAL"},
        {"tray 4", [](DocumentSettings* s) { s->dmDefaultSource = 1037; }, "@PJL SET MEDIASOURCE", "TRAY4"},
        {"source 7", [](DocumentSettings* s) { s->dmDefaultSource = 7; }, "@PJL SET MEDIASOURCE", "Unknown"},
        {"1200 dpi", [](DocumentSettings* s) { s->resolutionDpi = 1200; }, "@PJL SET RESOLUTION", "300"},
        {"600 dpi", [](DocumentSettings* s) { s->resolutionDpi = 600; }, "@PJL SET RESOLUTION", "600"},
        {"rotate", [](DocumentSettings* s) { s->rotate = 1; }, "@PJL SET ROTATE", "ON"},
        {"rotate 2", [](DocumentSettings* s) { s->rotate = 2; }, "@PJL SET ROTATE", "Unknown"},
        {"rotate, A5", [](DocumentSettings* s) { s->rotate = 1; s->dmPaperSize = 11; }, "@PJL SET ROTATE", "OFF"},
        {"smoothing", [](DocumentSettings* s) { s->smoothing = 1; }, "@PJL SET SMOOTH", "ON"},
    };
    const DocumentSettings defaults = settings_;
    for (const Row& row : rows) {
        settings_ = defaults;
        row.change(&settings_);
        EXPECT_EQ(row.expected, ValueOf(Build(), row.command)) << row.what;
    }
}

TEST_F(PjlHeaderTest, NamesThePaperOfTheLayout)
{
    LoadSample(3);   // A4, A5, LEGAL, LETTER, TABLOID, INVOICE, ...
    struct Row {
        int16_t layout, paper, magnify, nUp;
        const char* expected;
    } rows[] = {
        {0, 5, 9, 11, "LEGAL"},
        {1, 5, 9, 11, "A4"},
        {2, 5, 9, 11, "A5"},
        {3, 5, 9, 287, "STATEMENT"},
        {9, 5, 9, 11, "A4"},          // any other layout: the first paper
        {0, 8, 9, 11, "Unknown"},     // A3 is not offered by this model
        {1, 5, 999, 11, "Unknown"},
    };
    for (const Row& row : rows) {
        settings_.layoutMode = row.layout;
        settings_.dmPaperSize = row.paper;
        settings_.magnifyPaper = row.magnify;
        settings_.nUpPaper = row.nUp;
        EXPECT_EQ(row.expected, ValueOf(Build(), "@PJL SET PAPER")) << "layout " << row.layout;
    }
}

TEST_F(PjlHeaderTest, SendsFinishingOnlyAsTheInstalledOptionsAllow)
{
    LoadSample(2);
    struct Row {
        const char* what;
        int32_t inner, outer, finisher, duplexUnit;
        int16_t bin;
        const char* outbin;
        const char* shift;
        const char* staple;
        const char* duplex;
        const char* margin;
    } rows[] = {
        {"finisher, bin 3", 0, 0, 1, 0, 3, "OUTBIN3", "ON", "LEFTTOP", "OFF", "OFF"},
        {"finisher, bin 1", 0, 0, 1, 0, 1, "AUTO", "OFF", "OFF", "OFF", "OFF"},
        {"inner tray, bin 2", 1, 0, 0, 0, 2, "OUTBIN2", "OFF", "OFF", "OFF", "OFF"},
        {"inner and outer trays, bin 3", 1, 1, 0, 0, 3, "OUTBIN3", "OFF", "OFF", "OFF", "OFF"},
        {"everything installed, bin 2", 1, 1, 1, 0, 2, "AUTO", "OFF", "OFF", "OFF", "OFF"},
        {"duplex unit", 0, 0, 0, 1, 0, "AUTO", "OFF", "OFF", "SHORTEDGE", "ON"},
    };
    for (const Row& row : rows) {
        DeviceOptionData installed = {};
        installed.innerTray = row.inner;
        installed.outerTray = row.outer;
        installed.finisher = row.finisher;
        installed.duplexUnit = row.duplexUnit;
        Install(installed);
        settings_.outputBin = row.bin;
        settings_.shift = 1;
        settings_.staple = 1;
        settings_.duplexOn = 1;
        settings_.duplexBinding = 2;
        settings_.bindingMargin = 1;
        const char* header = Build();
        EXPECT_EQ(row.outbin, ValueOf(header, "@PJL SET OUTBIN")) << row.what;
        EXPECT_EQ(row.shift, ValueOf(header, "@PJL SET SHIFT")) << row.what;
        EXPECT_EQ(row.staple, ValueOf(header, "@PJL SET STAPLE")) << row.what;
        EXPECT_EQ(row.duplex, ValueOf(header, "@PJL SET DUPLEX")) << row.what;
        EXPECT_EQ(row.margin, ValueOf(header, "@PJL SET BINDINGMARGIN")) << row.what;
    }
    DeviceOptionData installed = {};
    installed.duplexUnit = 1;
    Install(installed);
    settings_.duplexBinding = 5;
    EXPECT_EQ("Unknown", ValueOf(Build(), "@PJL SET DUPLEX"));
    settings_.duplexOn = 0;
    EXPECT_EQ("OFF", ValueOf(Build(), "@PJL SET DUPLEX")) << "duplex off sends the first parameter";
}

TEST_F(PjlHeaderTest, SendsTheSecurityPasswordOnlyWhenPrinterAndJobAskForIt)
{
    LoadSample(2);   // SECURITY=1 with RESERVE=1: needs installed memory
    struct Row {
        const char* what;
        int32_t installedSecurity;
        int16_t memoryIndex;
        int32_t jobSecurity;
        const char* security;
        const char* password;
    } rows[] = {
        {"both ask, memory installed", 1, 1, 1, "ON", "1234"},
        {"the job does not ask", 1, 1, 0, "OFF", ""},
        {"no memory installed", 1, 0, 1, "OFF", ""},
        {"the printer has it off", 0, 1, 1, "OFF", ""},
        {"an installed value of 2", 2, 1, 1, "Unknown", "1234"},
    };
    for (const Row& row : rows) {
        DeviceOptionData installed = {};
        installed.securityPrint = row.installedSecurity;
        installed.memoryIndex = row.memoryIndex;
        wcscpy(installed.securityPassword, L"1234");
        Install(installed);
        settings_.securityPrint = row.jobSecurity;
        const char* header = Build();
        EXPECT_EQ(row.security, ValueOf(header, "@PJL SET SECURITY")) << row.what;
        EXPECT_EQ(row.password, ValueOf(header, "@PJL SET JOBPASSWORD")) << row.what;
    }
}

TEST_F(PjlHeaderTest, SendsTheSorterOnlyWhenThePrinterSorts)
{
    LoadSample(2);   // MODEL=3 with CONTROL=1
    settings_.sorterMode = 1;
    EXPECT_EQ("SORT", ValueOf(Build(), "@PJL SET SORTER"));
    settings_.sorterMode = 4;
    EXPECT_EQ("Unknown", ValueOf(Build(), "@PJL SET SORTER"));
    settings_.driverControlsSort = 1;
    EXPECT_EQ("(absent)", ValueOf(Build(), "@PJL SET SORTER"));
    settings_.tonerSave = 1;
    EXPECT_EQ("ON", ValueOf(Build(), "@PJL SET TONERSAVE"));
}

TEST_F(PjlHeaderTest, AModelWithoutOptionsSendsTheFiveBasicLines)
{
    Load(DriverForProfileText(L"[Setup]\nDRIVER=3\n[PaperSize]\nCMDNAME=@PJL SET PAPER\nA4=1,1,1,A4\n"
                              L"[Marten3]\nPAPERDEF=9\n"));
    EXPECT_EQ(JobFileLine() +
                  "@PJL SET PAPER=A4\r\n@PJL SET ORIENTATION=PORTRAIT\r\n@PJL SET MEDIASOURCE=AUTO\r\n"
                  "@PJL SET RESOLUTION=300\r\n",
              Build());
    // Without a command name the line starts with the equals sign.
    Load(DriverForProfileText(L"[Setup]\nDRIVER=3\n[PaperSize]\nA4=1,1,1,A4\n[Marten3]\nPAPERDEF=9\n"));
    EXPECT_NE(nullptr, strstr(Build(), "\n=A4\r\n@PJL SET ORIENTATION")) << settings_.pjlHeader;
}

TEST_F(PjlHeaderTest, LeavesTheJobFileLineOutWithoutADocumentsFolder)
{
    LoadSample(3);
    DocumentsFolderOverride missing(L"C:\\no\\such\\documents");
    EXPECT_EQ(0, strncmp(Build(), "@PJL SET PAPER=LETTER\r\n", 23)) << settings_.pjlHeader;
}

TEST_F(PjlHeaderTest, EndsALongHeaderAfterItsLastWholeLine)
{
    Load(DriverForProfileText(
        L"[Setup]\nDRIVER=2\n[Marten3]\nPAPERDEF=9\nMODEL=3\n"
        L"[PaperSize]\nCMDNAME=@PJL SET PAPER WITH A LONG NAME\nA4=1,1,1,ABCDEFGHIJKLMNO\n"
        L"[Martenx]\nROTATE=1\nSHIFT=1\nSTAPLE=1\nDUPLEX=1\nSECURITY=1\nCONTROL=1\n"
        L"[Quality]\nSMOOTHING=1\nTONERSAVE=1\n"
        L"[Staple]\nCMDNAME=@PJL SET STAPLE WITH A LONG NAME\nPARA0=ABCDEFGHIJKLMNO\n"
        L"[Duplex]\nCMDNAME=@PJL SET DUPLEX WITH A LONG NAME\nPARA0=ABCDEFGHIJKLMNO\n"));
    // A documents folder of 230 characters.
    std::wstring folder = L"C:\\users";
    while (folder.size() < 230) {
        folder += L"\\" + std::wstring(std::min<size_t>(40, 229 - folder.size()), L'd');
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    DocumentsFolderOverride longFolder(folder);
    ASSERT_EQ(230u, DocumentsFolder().size());

    const std::vector<std::string> lines = {
        JobFileLine(),
        "@PJL SET PAPER WITH A LONG NAME=ABCDEFGHIJKLMNO\r\n",
        "@PJL SET ORIENTATION=PORTRAIT\r\n",
        "@PJL SET MEDIASOURCE=AUTO\r\n",
        "@PJL SET ROTATE=OFF\r\n",
        "@PJL SET RESOLUTION=300\r\n",
        "@PJL SET SMOOTH=OFF\r\n",
        "@PJL SET SECURITY=OFF\r\n",
        "@PJL SET JOBPASSWORD=\r\n",
        "@PJL SET SHIFT=OFF\r\n",
        "@PJL SET OUTBIN=AUTO\r\n",
        "@PJL SET TONERSAVE=OFF\r\n",
        "@PJL SET STAPLE WITH A LONG NAM=ABCDEFGHIJKLMNO\r\n",
        "@PJL SET DUPLEX WITH A LONG NAM=ABCDEFGHIJKLMNO\r\n",   // no longer fits
        "@PJL SET BINDINGMARGIN=OFF\r\n",
        "@PJL SET SORTER=STACK\r\n",
    };
    std::string expected;
    for (size_t i = 0; i < 13; ++i)
        expected += lines[i];
    ASSERT_LE(expected.size(), 639u);
    ASSERT_GT(expected.size() + lines[13].size(), 639u) << "the duplex line must not fit";
    ASSERT_LE(expected.size() + lines[14].size(), 639u) << "a later, shorter line would fit";
    memset(settings_.pjlHeader, 'X', sizeof(settings_.pjlHeader));
    EXPECT_EQ(expected, Build());
    for (int i = static_cast<int>(expected.size()); i < kPjlHeaderBytes; ++i)
        ASSERT_EQ(0, settings_.pjlHeader[i]) << "byte " << i << " after the text";
}

TEST(IsOutputBinValid, FollowsTheInstalledOutputOptions)
{
    struct Row {
        int32_t inner, outer, finisher;
        const char* valid;   // bins -1..4 in turn
    } rows[] = {
        {0, 0, 0, "010000"}, {0, 0, 1, "010010"}, {0, 1, 0, "000000"}, {0, 1, 1, "000000"},
        {1, 0, 0, "011100"}, {1, 0, 1, "011110"}, {1, 1, 0, "011110"}, {1, 1, 1, "000000"},
        {2, 0, 5, "011110"},   // any non-zero value counts as installed
    };
    for (const Row& row : rows) {
        for (int16_t bin = -1; bin <= 4; ++bin) {
            EXPECT_EQ(row.valid[bin + 1] - '0', IsOutputBinValid(bin, row.inner, row.outer, row.finisher))
                << "inner " << row.inner << ", outer " << row.outer << ", finisher " << row.finisher << ", bin " << bin;
        }
    }
}
