// Finalizing settings for printing.
#include "profile/model_state.h"
#include "settings/finalize_settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "facts/printer_call.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "settings/default_settings.h"
#include "support/guarded_memory.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"

namespace {

constexpr int16_t kLetter = 1, kLegal = 5, kA3 = 8, kA4 = 9;

// The model of the sample printer loaded last.
ModelState loadedModel;

class FinalizeTest : public ::testing::Test {
protected:
    // The defaults of a printer of the sample model.
    void LoadSample(int variant)
    {
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(variant));
        const ModelProfile profile = LoadPrinterModel(*printer_);
        BuildModel(profile, &loadedModel);
        PjlJobFacts facts;
        GatherPjlJobFacts(nullptr, &facts);
        BuildDefaultSettings(loadedModel, printer_->name().c_str(), &profile, facts, &s_);
    }
    void Finalize() { FinalizeFor(&s_, sizeof(s_), printer_->handle()); }

    // Finalizes as the product does: the printer's PJL facts gathered first.
    static void FinalizeFor(void* record, size_t bytes, HANDLE printer)
    {
        PrinterCall call;
        call.printer = printer;
        PjlJobFacts facts;
        GatherPjlJobFacts(printer ? &call : nullptr, &facts);
        FinalizeForPrinting(loadedModel, record, bytes, facts);
    }

    std::unique_ptr<BenchPrinter> printer_;
    DocumentSettings s_;
};

}  // namespace

TEST_F(FinalizeTest, ScalesByTheLayout)
{
    LoadSample(3);   // default paper Letter
    struct Row {
        int16_t layout, zoom, magnify, nUp;
        int16_t mode, value, targetWidth, targetLength;
    } rows[] = {
        {0, 100, kA4, kLegal, 0, -7, 2159, 2794},
        {0, 150, kA4, kLegal, 2, 150, 2159, 2794},
        {1, 100, kA4, kLegal, 1, kA4, 2100, 2970},
        {2, 100, kA4, kLegal, 1, kLegal, 2159, 3556},
        {3, 150, kA4, kLegal, 1, kLegal, 2159, 3556},
        {1, 100, kA3, kLegal, 1, kA3, 0, 0},   // A3 is not offered: no size
    };
    const DocumentSettings defaults = s_;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "layout " << row.layout << ", zoom " << row.zoom);
        s_ = defaults;
        s_.layoutMode = row.layout;
        s_.zoomPercent = row.zoom;
        s_.magnifyPaper = row.magnify;
        s_.nUpPaper = row.nUp;
        s_.scalingValue = -7;
        Finalize();
        EXPECT_EQ(row.mode, s_.scalingMode);
        EXPECT_EQ(row.value, s_.scalingValue);
        EXPECT_EQ(row.targetWidth, s_.targetPaperWidth);
        EXPECT_EQ(row.targetLength, s_.targetPaperLength);
        EXPECT_EQ(2159, s_.dmPaperWidth) << "the printed paper's size";
        EXPECT_EQ(2794, s_.dmPaperLength);
        EXPECT_EQ(0xF703u, s_.dmFields);
    }

    // Any other layout scales nothing.
    s_ = defaults;
    s_.layoutMode = 7;
    s_.scalingMode = 9;
    Finalize();
    EXPECT_EQ(9, s_.scalingMode);
    EXPECT_EQ(0, s_.dmPaperWidth);
}

TEST_F(FinalizeTest, NamesAUserSizeByItsSizes)
{
    LoadSample(3);
    s_.dmPaperSize = 256;
    s_.userPaperWidth = 1000;
    s_.userPaperLength = 1500;
    Finalize();
    EXPECT_EQ(1000, s_.dmPaperWidth);
    EXPECT_EQ(1500, s_.dmPaperLength);
    EXPECT_EQ(0xF703u | DM_PAPERLENGTH | DM_PAPERWIDTH, s_.dmFields);
}

TEST_F(FinalizeTest, SavesTonerThroughTheDriverOnVariantsOtherThanTwo)
{
    LoadSample(3);   // TONERSAVE=1, MEMORY=2, MODEL=2
    s_.tonerSave = 1;
    s_.sorterMode = 1;
    s_.renderParamB = 7;
    s_.renderReserved = 7;
    s_.renderWordTable[kRenderWordCount - 1] = 7;
    Finalize();
    EXPECT_EQ(0, s_.renderParamB);
    EXPECT_EQ(0, s_.renderReserved);
    EXPECT_EQ(45, s_.substituteFontValue) << "from the TrueType option before toner save changed it";
    EXPECT_EQ(DMTT_BITMAP, s_.dmTTOption);
    EXPECT_EQ(1, s_.trueTypeAsGraphics);
    EXPECT_EQ(1, s_.tonerSaveByDriver);
    EXPECT_EQ(1, s_.driverCollate);
    EXPECT_EQ(2, s_.memoryCode);
    EXPECT_EQ(600, s_.resolutionDpi);
    EXPECT_EQ(0, s_.renderWordTable[kRenderWordCount - 1]);
    EXPECT_EQ(1, s_.renderFinalMark);
    EXPECT_EQ(0x40000000u, s_.renderFlagWord);

    LoadSample(1);   // MEMORY=1
    s_.dmTTOption = DMTT_DOWNLOAD;
    s_.dmPrintQuality = -3;
    s_.resolutionDpi = 600;
    s_.choiceMagic = 0;
    Finalize();
    EXPECT_EQ(0, s_.substituteFontValue);
    EXPECT_EQ(DMTT_DOWNLOAD, s_.dmTTOption);
    EXPECT_EQ(0, s_.tonerSaveByDriver);
    EXPECT_EQ(1, s_.memoryCode);
    EXPECT_EQ(300, s_.resolutionDpi);
    EXPECT_EQ(kChoiceMagic, s_.choiceMagic);
}

TEST_F(FinalizeTest, PrintsBookletsCollatedAndShortEdgeOnVariantTwo)
{
    LoadSample(2);   // MODEL=3 with CONTROL=1: the printer sorts unless the driver is asked to
    s_.sorterMode = 1;
    s_.tonerSave = 1;
    Finalize();
    EXPECT_EQ(0, s_.driverCollate);
    EXPECT_EQ(0, s_.tonerSaveByDriver);
    EXPECT_EQ(DMTT_SUBDEV, s_.dmTTOption);
    EXPECT_EQ(3, s_.memoryCode);

    s_.driverControlsSort = 1;
    s_.booklet = 1;
    s_.dmFields = 0;
    Finalize();
    EXPECT_EQ(1, s_.bookletOutput);
    EXPECT_EQ(2, s_.pagesPerSheetCode);
    EXPECT_EQ(1, s_.scalingMode);
    EXPECT_EQ(1, s_.driverCollate);
    EXPECT_EQ(DMCOLLATE_TRUE, s_.dmCollate);
    EXPECT_EQ(DMDUP_HORIZONTAL, s_.dmDuplex);
    EXPECT_EQ(static_cast<DWORD>(DM_COLLATE | DM_DUPLEX | DM_PAPERSIZE), s_.dmFields);
}

TEST_F(FinalizeTest, BuildsThePjlTextsWithThePrinter)
{
    LoadSample(3);
    memset(s_.pjlHeader, 0, sizeof(s_.pjlHeader));
    Finalize();
    EXPECT_NE(nullptr, strstr(s_.jobIdentification, "3 4.10 Apr 13 2003")) << "the profile's version";
    EXPECT_NE(nullptr, strstr(s_.pjlHeader, "@PJL SET PAPER=LETTER\r\n"));
}

TEST_F(FinalizeTest, LeavesAnythingButACompleteRecordUntouched)
{
    LoadSample(3);
    struct Row {
        const char* what;
        WORD size, extra;
        size_t handedIn;
    } rows[] = {
        {"a public part alone", 220, 0, 220},
        {"a record one byte short", 220, 3868, 4087},
        {"another header size", 212, 3876, 4088},
        {"too short for its sizes", 220, 3868, 40},
    };
    for (const Row& row : rows) {
        std::vector<BYTE> bytes(row.handedIn, 0x5A);
        DocumentSettings header = s_;
        header.dmSize = row.size;
        header.dmDriverExtra = row.extra;
        memcpy(bytes.data(), &header, row.handedIn < 220 ? row.handedIn : 220);
        GuardedBlock placed(bytes.data(), bytes.size());
        FinalizeFor(placed.data(), placed.size(), printer_->handle());
        EXPECT_EQ(0, memcmp(bytes.data(), placed.data(), bytes.size())) << row.what;
    }
    FinalizeFor(nullptr, kSettingsBytes, printer_->handle());

    // A complete record that ends at a page edge is finalized in place.
    GuardedBlock exact(&s_, sizeof(s_));
    FinalizeFor(exact.data(), exact.size(), nullptr);
    EXPECT_EQ(1, exact.as<DocumentSettings>()->renderFinalMark);
}
