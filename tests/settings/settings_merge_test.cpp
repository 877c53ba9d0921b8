// Converting and merging device modes from outside into this driver's
// settings, and handing records out.
#include "settings/settings_merge.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "facts/printer_call.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/device_options.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "support/guarded_memory.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"

namespace {

// A variant-2 printer (bypass tray, up to four trays, two by default) with
// its model loaded, and its defaults.
class MergeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(2));
        profile_ = LoadPrinterModel(*printer_);
        BuildModel(profile_, &model_);
        PjlJobFacts facts;
        GatherPjlJobFacts(nullptr, &facts);
        BuildDefaultSettings(model_, kQueue, nullptr, facts, &defaults_);
    }
    HANDLE printer() const { return printer_->handle(); }

    // A device mode of the platform's public part only.
    static DEVMODEW PublicPart()
    {
        DEVMODEW mode = {};
        wcscpy(mode.dmDeviceName, L"Some Application");
        mode.dmSpecVersion = DM_SPECVERSION;
        mode.dmSize = sizeof(DEVMODEW);
        mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
        mode.dmOrientation = DMORIENT_LANDSCAPE;
        mode.dmPaperSize = DMPAPER_A4;
        mode.dmCopies = 3;
        return mode;
    }

    static constexpr WCHAR kQueue[] = L"\\\\server\\Merge Queue";

    // Merges as the product does: the printer's installed options and the
    // PJL facts gathered first, then the merge for the printer kQueue.
    static int MergeFor(const void* input, size_t bytes, DocumentSettings* output, HANDLE printer)
    {
        PrinterCall call;
        call.printer = printer;
        if (printer)
            FetchDeviceOptions(&call);
        PjlJobFacts noPrinter;
        GatherPjlJobFacts(nullptr, &noPrinter);
        return MergeSettings(model_, output, input, bytes, printer ? &call : nullptr, kQueue, nullptr, noPrinter);
    }

    // Merges a copy placed at the very end of a readable page.
    int Merge(const void* input, size_t bytes, DocumentSettings* output, HANDLE printer)
    {
        GuardedBlock placed(input, bytes);
        placed.MakeReadOnly();
        return MergeFor(placed.data(), bytes, output, printer);
    }

    std::unique_ptr<BenchPrinter> printer_;
    ModelProfile profile_;
    static ModelState model_;
    DocumentSettings defaults_;
};

bool SameRecord(const DocumentSettings& a, const DocumentSettings& b)
{
    return memcmp(&a, &b, sizeof(a)) == 0;
}

bool SamePrivatePart(const DocumentSettings& a, const DocumentSettings& b)
{
    return memcmp(&a.privateSignature, &b.privateSignature, kSettingsPrivateBytes) == 0;
}

ModelState MergeTest::model_;

}  // namespace

TEST(SettingsVersionFromSize, ComesFromTheHeaderSize)
{
    struct Row {
        WORD size, specVersion, expected;
    } rows[] = {
        {188, 0x0123, 0x0320}, {212, 0, 0x0400}, {220, 0x0300, 0x0401}, {156, 0x0300, 0x0300}, {300, 0, 0},
    };
    for (const Row& row : rows) {
        DEVMODEW mode = {};
        mode.dmSize = row.size;
        mode.dmSpecVersion = row.specVersion;
        EXPECT_EQ(row.expected, SettingsVersionFromSize(&mode, sizeof(mode))) << "dmSize " << row.size;
    }
    DEVMODEW mode = {};
    mode.dmSize = 220;
    EXPECT_EQ(0, SettingsVersionFromSize(nullptr, 220));
    EXPECT_EQ(0, SettingsVersionFromSize(&mode, 71)) << "the size fields are not all there";
}

TEST_F(MergeTest, ConvertsRecordsOfOtherSizes)
{
    // An old 188-byte header with no private part.
    DEVMODEW old = PublicPart();
    old.dmSize = 188;
    old.dmDriverVersion = 0x0100;
    GuardedBlock placed(&old, 188);
    DocumentSettings out = defaults_;
    EXPECT_EQ(188, ConvertSettings(placed.data(), 188, &out, sizeof(out)));
    EXPECT_EQ(220, out.dmSize);
    EXPECT_EQ(3868, out.dmDriverExtra);
    EXPECT_EQ(0x080F, out.dmDriverVersion);
    EXPECT_EQ(0x0401, out.dmSpecVersion);
    EXPECT_EQ(3, out.dmCopies);
    EXPECT_EQ(0, memcmp(reinterpret_cast<BYTE*>(&out) + 188, reinterpret_cast<BYTE*>(&defaults_) + 188, 4088 - 188))
        << "the rest keeps the destination's bytes";

    // A larger private part than this driver's: as much as fits is taken.
    std::vector<BYTE> large(220 + 5000, 0x11);
    memcpy(large.data(), &defaults_, 220);
    reinterpret_cast<DEVMODEW*>(large.data())->dmDriverExtra = 5000;
    out = defaults_;
    EXPECT_EQ(4088, ConvertSettings(large.data(), large.size(), &out, sizeof(out)));
    EXPECT_EQ(0x11111111u, out.privateSignature);
    EXPECT_EQ(0x11, out.reserved2252[1835]) << "up to the last private byte";
}

TEST_F(MergeTest, RefusesRecordsThatAreNotUsable)
{
    DocumentSettings out = defaults_;
    DEVMODEW unknown = PublicPart();
    unknown.dmSize = 100;
    unknown.dmSpecVersion = 0;
    EXPECT_EQ(-1, ConvertSettings(&unknown, sizeof(unknown), &out, sizeof(out))) << "version 0";
    DEVMODEW claims = PublicPart();
    claims.dmDriverExtra = 3868;
    EXPECT_EQ(-1, ConvertSettings(&claims, sizeof(claims), &out, sizeof(out))) << "claims more than it has";
    EXPECT_EQ(-1, ConvertSettings(&defaults_, sizeof(defaults_), &out, 4000)) << "destination too small";
    // One byte short of its size fields, at the end of a readable page.
    GuardedBlock cut(&defaults_, kDeviceModeSizeFieldsEnd - 1);
    cut.MakeReadOnly();
    EXPECT_EQ(-1, ConvertSettings(cut.data(), kDeviceModeSizeFieldsEnd - 1, &out, sizeof(out))) << "too short";
    EXPECT_TRUE(SameRecord(defaults_, out)) << "nothing was written";
}

TEST_F(MergeTest, TakesValidPublicValuesAndFallsBackForOthers)
{
    struct Row {
        const char* what;
        int16_t DEVMODEW::*field;
        int16_t given;
        int16_t DocumentSettings::*result;
        int16_t expected;
    } rows[] = {
        {"orientation 3", &DEVMODEW::dmOrientation, 3, &DocumentSettings::dmOrientation, 1},
        {"orientation 2", &DEVMODEW::dmOrientation, 2, &DocumentSettings::dmOrientation, 2},
        {"copies 0", &DEVMODEW::dmCopies, 0, &DocumentSettings::dmCopies, 1},
        {"copies 1000", &DEVMODEW::dmCopies, 1000, &DocumentSettings::dmCopies, 1},
        {"copies 999", &DEVMODEW::dmCopies, 999, &DocumentSettings::dmCopies, 999},
        {"quality 600 dpi", &DEVMODEW::dmPrintQuality, 600, &DocumentSettings::dmPrintQuality, -4},
        {"quality -2", &DEVMODEW::dmPrintQuality, -2, &DocumentSettings::dmPrintQuality, -2},
        {"duplex 0", &DEVMODEW::dmDuplex, 0, &DocumentSettings::dmDuplex, 1},
        {"duplex 3", &DEVMODEW::dmDuplex, 3, &DocumentSettings::dmDuplex, 3},
        {"collate 2", &DEVMODEW::dmCollate, 2, &DocumentSettings::dmCollate, 0},
        {"collate 1", &DEVMODEW::dmCollate, 1, &DocumentSettings::dmCollate, 1},
        {"TrueType 4", &DEVMODEW::dmTTOption, 4, &DocumentSettings::dmTTOption, 2},
        {"TrueType 1", &DEVMODEW::dmTTOption, 1, &DocumentSettings::dmTTOption, 1},
        {"scale 50 (not merged)", &DEVMODEW::dmScale, 50, &DocumentSettings::dmScale, 0},
        {"paper 999 (taken as is)", &DEVMODEW::dmPaperSize, 999, &DocumentSettings::dmPaperSize, 999},
    };
    for (const Row& row : rows) {
        DEVMODEW input = PublicPart();
        input.*(row.field) = row.given;
        DocumentSettings out;
        ASSERT_EQ(1, Merge(&input, sizeof(input), &out, printer())) << row.what;
        EXPECT_EQ(row.expected, out.*(row.result)) << row.what;
        EXPECT_EQ(0xF703u, out.dmFields) << row.what;
        EXPECT_STREQ(L"Merge Queue", out.dmDeviceName) << row.what << ": the name is the defaults'";
        EXPECT_TRUE(SamePrivatePart(defaults_, out)) << row.what << ": a foreign private part is never taken";
    }
}

TEST_F(MergeTest, TakesOnlyPaperSourcesAmongTheInstalledBins)
{
    DeviceOptionData installed = DefaultDeviceOptions(model_);
    installed.trayCount = 2;
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(printer(), installed));
    struct Row {
        int16_t source;
        HANDLE printer;
        int16_t expected;
    } rows[] = {
        {1035, printer(), 1035},   // tray 2 of 2
        {1036, printer(), 1025},   // tray 3 is not installed
        {1026, printer(), 1026},   // the bypass tray
        {7, printer(), 1025},
        {1037, nullptr, 1037},     // without a printer the model's most trays stand in
    };
    for (const Row& row : rows) {
        DEVMODEW input = PublicPart();
        input.dmDefaultSource = row.source;
        DocumentSettings out;
        ASSERT_EQ(1, Merge(&input, sizeof(input), &out, row.printer));
        EXPECT_EQ(row.expected, out.dmDefaultSource) << "source " << row.source << (row.printer ? "" : " without printer");
    }

    // A tray count typed past the list walks the list's rows only.
    installed.trayCount = 30;
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(printer(), installed));
    DEVMODEW input = PublicPart();
    input.dmDefaultSource = 1037;
    DocumentSettings out;
    ASSERT_EQ(1, Merge(&input, sizeof(input), &out, printer()));
    EXPECT_EQ(1037, out.dmDefaultSource);
}

TEST_F(MergeTest, WithoutInstalledOptionsTheDefaultTrayCountStandsIn)
{
    DEVMODEW input = PublicPart();
    input.dmDefaultSource = 1036;   // tray 3; DEFNUMBER=2
    DocumentSettings out;
    ASSERT_EQ(1, Merge(&input, sizeof(input), &out, printer()));
    EXPECT_EQ(1025, out.dmDefaultSource);
}

TEST_F(MergeTest, TakesACustomSizeOnlyWithBothBitsAndSizes)
{
    struct Row {
        DWORD fields;
        int16_t width, length;
        bool taken;
    } rows[] = {
        {DM_PAPERWIDTH | DM_PAPERLENGTH, 1000, 1500, true},
        {DM_PAPERWIDTH, 1000, 1500, false},
        {DM_PAPERWIDTH | DM_PAPERLENGTH, 0, 1500, false},
        {DM_PAPERWIDTH | DM_PAPERLENGTH, 1000, -5, false},
        {DM_PAPERWIDTH | DM_PAPERLENGTH, 1, 1, true},
        {DM_PAPERWIDTH | DM_PAPERLENGTH, 1000, 0, false},
    };
    for (const Row& row : rows) {
        DEVMODEW input = PublicPart();
        input.dmFields |= row.fields;
        input.dmPaperWidth = row.width;
        input.dmPaperLength = row.length;
        DocumentSettings out;
        ASSERT_EQ(1, Merge(&input, sizeof(input), &out, printer()));
        EXPECT_EQ(row.taken ? row.width : 0, out.dmPaperWidth) << "fields " << row.fields;
        EXPECT_EQ(row.taken ? row.length : 0, out.dmPaperLength);
        EXPECT_EQ(row.taken ? 0xF70Fu : 0xF703u, out.dmFields);
    }
}

TEST_F(MergeTest, TakesTheWholePrivatePartOnlyFromThisDriversRecords)
{
    DocumentSettings own = defaults_;
    own.dmPrintQuality = -3;
    own.resolutionDpi = 600;
    own.zoomPercent = 150;
    own.outputBin = 3;
    strcpy(own.pjlHeader, "@PJL SET PAPER=A4\r\n");
    DocumentSettings out;
    ASSERT_EQ(1, Merge(&own, sizeof(own), &out, printer()));
    EXPECT_EQ(150, out.zoomPercent);
    EXPECT_EQ(3, out.outputBin);
    EXPECT_STREQ("@PJL SET PAPER=A4\r\n", out.pjlHeader);
    EXPECT_EQ(300, out.resolutionDpi) << "the resolution follows dmPrintQuality";

    // Each text filled to its last unit, without a terminator: all but the
    // last unit are taken over, and the last is the terminator.
    const struct {
        const char* name;
        size_t offset;
        size_t units;
        size_t unitBytes;
    } texts[] = {
        {"fixedPitchDeviceFont", offsetof(DocumentSettings, fixedPitchDeviceFont), kDeviceFontChars, 2},
        {"proportionalDeviceFont", offsetof(DocumentSettings, proportionalDeviceFont), kDeviceFontChars, 2},
        {"renderTextLong", offsetof(DocumentSettings, renderTextLong), kRenderTextLongChars, 2},
        {"renderTextShort", offsetof(DocumentSettings, renderTextShort), kRenderTextShortChars, 2},
        {"jobIdentification", offsetof(DocumentSettings, jobIdentification), kJobIdentificationBytes, 1},
        {"pjlHeader", offsetof(DocumentSettings, pjlHeader), kPjlHeaderBytes, 1},
        {"pjlTrailer", offsetof(DocumentSettings, pjlTrailer), kPjlTrailerBytes, 1},
    };
    DocumentSettings full = own;
    for (const auto& text : texts)
        FillMemory(reinterpret_cast<BYTE*>(&full) + text.offset, text.units * text.unitBytes, 'A');
    ASSERT_EQ(1, Merge(&full, sizeof(full), &out, printer()));
    for (const auto& text : texts) {
        const BYTE* taken = reinterpret_cast<const BYTE*>(&out) + text.offset;
        size_t kept = 0;
        while (kept < text.units && (taken[kept * text.unitBytes] || taken[kept * text.unitBytes + text.unitBytes - 1]))
            ++kept;
        EXPECT_EQ(text.units - 1, kept) << text.name << ": units before the terminator";
    }

    DocumentSettings foreign = own;
    foreign.choiceMagic = 0x4D454955;
    ASSERT_EQ(1, Merge(&foreign, sizeof(foreign), &out, printer()));
    EXPECT_TRUE(SamePrivatePart(defaults_, out)) << "no TIEM: the default private part";

    std::vector<BYTE> otherSize(220 + 3000);
    memcpy(otherSize.data(), &own, otherSize.size());
    reinterpret_cast<DEVMODEW*>(otherSize.data())->dmDriverExtra = 3000;
    ASSERT_EQ(1, Merge(otherSize.data(), otherSize.size(), &out, printer()));
    EXPECT_TRUE(SamePrivatePart(defaults_, out)) << "another private size: the default private part";
}

TEST_F(MergeTest, GivesTheDefaultsForWhatCannotBeADeviceMode)
{
    struct Row {
        const char* what;
        WORD size, extra, specVersion;
        size_t handedIn;
    } rows[] = {
        {"unknown size, version 0", 100, 0, 0, 100},
        {"a header shorter than its size fields", 40, 0, 0x0401, 220},
        {"claims a private part it does not have", 220, 3868, 0x0401, 220},
        {"claims a header it does not have", 220, 0, 0x0401, 180},
        {"too short to hold its sizes", 220, 0, 0x0401, 60},
    };
    for (const Row& row : rows) {
        std::vector<BYTE> bytes(row.handedIn);
        DEVMODEW header = PublicPart();
        header.dmSize = row.size;
        header.dmDriverExtra = row.extra;
        header.dmSpecVersion = row.specVersion;
        memcpy(bytes.data(), &header, row.handedIn < sizeof(header) ? row.handedIn : sizeof(header));
        DocumentSettings out;
        memset(&out, 0x5A, sizeof(out));
        EXPECT_EQ(0, Merge(bytes.data(), bytes.size(), &out, printer())) << row.what;
        EXPECT_TRUE(SameRecord(defaults_, out)) << row.what << ": the output holds the defaults";
    }
}

TEST_F(MergeTest, LeavesTheOutputAloneWithoutInput)
{
    DocumentSettings out;
    memset(&out, 0x5A, sizeof(out));
    const DocumentSettings before = out;
    EXPECT_EQ(1, MergeFor(nullptr, 0, &out, printer()));
    EXPECT_TRUE(SameRecord(before, out));
}

TEST_F(MergeTest, ReadsARecordThatEndsAtAPageEdgeWithoutReadingPastIt)
{
    // Exactly the bytes the record claims, then a page that faults.
    DocumentSettings out;
    EXPECT_EQ(1, Merge(&defaults_, sizeof(defaults_), &out, printer()));
    DEVMODEW input = PublicPart();
    EXPECT_EQ(1, Merge(&input, ClaimedRecordBytes(&input), &out, printer()));
    EXPECT_EQ(sizeof(DEVMODEW), ClaimedRecordBytes(&input));
    EXPECT_EQ(0u, ClaimedRecordBytes(nullptr));
}

TEST_F(MergeTest, CopiesOutIntoABufferThatHoldsTheRecord)
{
    GuardedBlock exact(kSettingsBytes);
    EXPECT_EQ(1, CopySettingsOut(defaults_, exact.data(), exact.size()));
    EXPECT_EQ(0, memcmp(&defaults_, exact.data(), kSettingsBytes));

    GuardedBlock small(kSettingsBytes - 1);
    EXPECT_EQ(0, CopySettingsOut(defaults_, small.data(), small.size()));
    const std::vector<BYTE> zeros(small.size());
    EXPECT_EQ(0, memcmp(zeros.data(), small.data(), small.size())) << "nothing was written";
    EXPECT_EQ(0, CopySettingsOut(defaults_, nullptr, 0));
}
