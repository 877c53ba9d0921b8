// The default settings of the applied model, built per call.
#include "settings/default_settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/model_state.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"

namespace {

// The model of the printer loaded last; the load-time model before any.
ModelState loadedModel;

class DefaultSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        loadedModel = LoadTimeModel();
    }
    ModelProfile Load(int variant)
    {
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(variant));
        const ModelProfile profile = LoadPrinterModel(*printer_);
        BuildModel(profile, &loadedModel);
        return profile;
    }
    std::unique_ptr<BenchPrinter> printer_;
};

DocumentSettings Defaults(const WCHAR* name, const ModelProfile* profile)
{
    PjlJobFacts facts;
    GatherPjlJobFacts(nullptr, &facts);
    DocumentSettings s;
    BuildDefaultSettings(loadedModel, name, profile, facts, &s);
    return s;
}

}  // namespace

TEST_F(DefaultSettingsTest, FollowTheSampleModels)
{
    struct Row {
        int variant;
        int16_t paper, quality;
        int32_t dpi;
        int16_t trays, reverseOrder, blackText, colorCount;
    } rows[] = {
        // v1: 300 dpi, ORDER=0; v2: 600 dpi, ORDER and ORDERDEF, COLORSWITCH with BLACKTEXT;
        // v3: 600 dpi, ORDER without ORDERDEF, BLACKTEXT=0 and SUPPORTCOLORS=0.
        {1, 1, -3, 300, 1, 0, 1, 2},
        {2, 9, -4, 600, 2, 1, 1, 2},
        {3, 1, -4, 600, 3, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "variant " << row.variant);
        const ModelProfile profile = Load(row.variant);
        const DocumentSettings s = Defaults(printer_->name().c_str(), &profile);
        EXPECT_EQ(kSettingsBytes, static_cast<size_t>(s.dmSize) + s.dmDriverExtra);
        EXPECT_EQ(0x0401, s.dmSpecVersion);
        EXPECT_EQ(0x080F, s.dmDriverVersion);
        EXPECT_EQ(0xF703u, s.dmFields);
        EXPECT_EQ(DMDUP_SIMPLEX, s.dmDuplex);   // flagged, so it must hold a valid value
        EXPECT_EQ(DMCOLOR_MONOCHROME, s.dmColor);
        EXPECT_STREQ(printer_->name().c_str(), s.dmDeviceName);
        EXPECT_EQ(row.paper, s.dmPaperSize);
        EXPECT_EQ(row.paper, s.scalingValue);
        EXPECT_EQ(row.paper, s.magnifyPaper);
        EXPECT_EQ(row.paper, s.nUpPaper);
        EXPECT_EQ(row.paper, s.bookletPaper);
        EXPECT_EQ(row.quality, s.dmPrintQuality);
        EXPECT_EQ(row.quality, s.dmYResolution);
        EXPECT_EQ(row.quality, static_cast<int16_t>(s.dmLogPixels));
        EXPECT_EQ(row.dpi, s.resolutionDpi);
        EXPECT_EQ(row.trays, s.trayCountSnapshot);
        EXPECT_EQ(row.reverseOrder, s.reverseOrder);
        EXPECT_EQ(row.reverseOrder ? 0 : 1, s.orderChoice);
        EXPECT_EQ(row.blackText, s.blackText);
        EXPECT_EQ(row.blackText, s.blackTextChoice);
        EXPECT_EQ(row.colorCount, s.colorCount);
        EXPECT_EQ(kPrivateSignature, s.privateSignature);
        EXPECT_EQ(kChoiceMagic, s.choiceMagic);
        EXPECT_EQ(45, s.substituteFontValue);
        EXPECT_STREQ(L"CourierSWC", s.fixedPitchDeviceFont);
        EXPECT_STREQ(L"Swiss721SWM", s.proportionalDeviceFont);
        EXPECT_EQ(100, s.zoomPercent);
        EXPECT_EQ(100, s.zoomEntry);
        EXPECT_EQ(2100, s.userPaperWidth);
        EXPECT_EQ(2970, s.userPaperLength);
        EXPECT_EQ(1, s.duplexBinding);
        EXPECT_EQ(1, s.useDeviceFonts);
        EXPECT_EQ(24, s.choiceParamA);
        EXPECT_EQ(10000, s.choiceParamTriple[2]);
        EXPECT_EQ(0x40000000u, s.renderFlagWord);
        for (int at : {1, 8, 13}) {   // three (automatic tray, -1) pairs
            EXPECT_EQ(1025, s.renderWordTable[at]) << "render word " << at;
            EXPECT_EQ(-1, s.renderWordTable[at + 1]) << "render word " << at + 1;
        }
        EXPECT_STREQ("@PJL EOJ\r\n", s.pjlTrailer);
        EXPECT_EQ(0, strncmp("NT4 ", s.jobIdentification, 4)) << s.jobIdentification;
        EXPECT_NE(nullptr, strstr(s.pjlHeader, "@PJL SET PAPER=")) << s.pjlHeader;
    }
}

TEST_F(DefaultSettingsTest, NameTheQueueOfAPrinterName)
{
    Load(3);
    struct Row {
        const WCHAR* given;
        const WCHAR* expected;
    } rows[] = {
        {L"\\\\server\\Queue", L"Queue"},
        {L"Local Printer", L"Local Printer"},
        {L"\\\\server\\A queue with a name of forty units..", L"A queue with a name of forty un"},
        {L"Thirty-one units, the whole cut", L"Thirty-one units, the whole cut"},
        {L"Thirty-two units, one beyond it!", L"Thirty-two units, one beyond it"},
        {L"Thirty units, one under a cut.", L"Thirty units, one under a cut."},
        // No name: none, never an earlier call's or the load-time one.
        {L"", L""},
        {nullptr, L""},
    };
    for (const Row& row : rows) {
        const DocumentSettings s = Defaults(row.given, nullptr);
        const std::wstring expected = row.expected;
        EXPECT_EQ(expected, s.dmDeviceName) << "given " << (row.given ? Narrow(row.given) : "none");
        for (size_t unit = expected.size(); unit < kDeviceNameChars; ++unit)
            EXPECT_EQ(0, s.dmDeviceName[unit]) << "unit " << unit << " after the name " << Narrow(row.expected);
    }
}

TEST_F(DefaultSettingsTest, TakeTheColourOptionsOfTheProfile)
{
    Load(3);
    struct Row {
        int16_t blackText, supportColors;
        int32_t colorSwitch;
        int16_t expectedColors;
    } rows[] = {
        {0, 2, 1, 256}, {1, 256, 1, 2}, {0, 256, 0, 256}, {1, 0, 0, 0},
    };
    for (const Row& row : rows) {
        ModelProfile profile = {};
        profile.blackText = row.blackText;
        profile.supportColors = row.supportColors;
        profile.colorSwitch = row.colorSwitch;
        const DocumentSettings s = Defaults(nullptr, &profile);
        EXPECT_EQ(row.expectedColors, s.colorCount)
            << "blackText " << row.blackText << ", supportColors " << row.supportColors << ", switch "
            << row.colorSwitch;
        EXPECT_EQ(row.blackText, s.blackText);
        EXPECT_EQ(row.blackText, s.blackTextChoice);
    }
    ModelProfile ordered = {};
    ordered.order = 1;
    ordered.orderDefault = 1;
    const DocumentSettings s = Defaults(nullptr, &ordered);
    EXPECT_EQ(1, s.reverseOrder);
    EXPECT_EQ(0, s.orderChoice);
}

TEST_F(DefaultSettingsTest, KeepNothingOfAnEarlierModel)
{
    const ModelProfile third = Load(3);
    const DocumentSettings fresh = Defaults(L"Same", &third);
    const ModelProfile second = Load(2);
    Defaults(L"Other", &second);
    Load(3);
    const DocumentSettings again = Defaults(L"Same", &third);
    EXPECT_EQ(0, memcmp(&fresh, &again, sizeof(fresh)));
}

// Two threads building defaults for printers of different names at once:
// each copy is whole and carries its own name.
TEST_F(DefaultSettingsTest, AreBuiltWholeWhenTwoThreadsBuildAtOnce)
{
    const ModelProfile profile = Load(2);
    const DocumentSettings expectedA = Defaults(L"Printer A", &profile);
    const DocumentSettings expectedB = Defaults(L"Printer B", &profile);
    std::atomic<int> mixed{0};
    auto build = [&](const WCHAR* name, const DocumentSettings& expected) {
        for (int i = 0; i < 300; ++i) {
            const DocumentSettings s = Defaults(name, &profile);
            if (memcmp(&s, &expected, sizeof(s)) != 0)
                ++mixed;
        }
    };
    std::thread a(build, L"Printer A", std::cref(expectedA));
    std::thread b(build, L"Printer B", std::cref(expectedB));
    a.join();
    b.join();
    EXPECT_EQ(0, mixed.load()) << "copies mixed two printers' defaults";
}
