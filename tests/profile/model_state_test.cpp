// Building the model of a profile, through printers installed in the spooler.
#include "profile/model_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/device_options.h"
#include "profile/paper_lookups.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"
#include "../resources/resource_ids.h"

namespace {

// The model built last.
ModelState built;

class ModelStateTest : public ::testing::Test {
protected:
    void SetUp() override { built = LoadTimeModel(); }

    // Loads the profile of a fresh printer of the model and builds its model.
    static ModelProfile Apply(const DriverPackage& driver)
    {
        BenchPrinter printer(driver);
        const ModelProfile profile = LoadPrinterModel(printer);
        BuildModel(profile, &built);
        return profile;
    }
    static ModelProfile ApplyText(const std::wstring& text) { return Apply(DriverForProfileText(text)); }
};

std::vector<int> AvailableCodes()
{
    std::vector<int> codes;
    for (int row = 0; row < built.enabledPaperCount; ++row)
        codes.push_back(built.availablePapers[row].paperCode);
    return codes;
}

std::vector<int> OfferedBinCodes(int32_t trayCount)
{
    int rows = 0;
    const BinRow* bins = BinListOfModel(built, &rows);
    std::vector<int> codes;
    for (int row = 0; row < BinRowsInUse(built, trayCount); ++row) {
        if (bins[row].enabled)
            codes.push_back(bins[row].binCode);
    }
    return codes;
}

}  // namespace

TEST_F(ModelStateTest, AppliesEachSampleModel)
{
    struct Row {
        int variant;
        int area;
        std::vector<int> papers;
        int16_t trayCount;
        int32_t duplexUnit;
        std::vector<int> bins;   // offered for the default tray count
    } rows[] = {
        {1, 3, {9, 13, 11, 5, 1, 256}, 1, 0, {1025, 1034}},
        {2, 0, {8, 12, 9, 13, 11, 43, 5, 1, 3, 277, 278, 27, 28, 30, 269, 258, 256}, 2, 1, {1025, 1026, 1034, 1035}},
        {3, 1, {9, 11, 5, 1, 3, 287, 27, 28, 20, 37, 256}, 3, 0, {1025, 1026, 1034, 1035, 1036}},
    };
    for (const Row& row : rows) {
        const ModelProfile profile = Apply(SampleDriver(row.variant));
        const ModelState& state = built;
        EXPECT_EQ(row.variant, state.driverVariant);
        EXPECT_EQ(row.area, state.localeArea) << "variant " << row.variant;
        EXPECT_EQ(row.papers, AvailableCodes()) << "variant " << row.variant;
        EXPECT_EQ(row.trayCount, DefaultDeviceOptions(built).trayCount) << "variant " << row.variant;
        EXPECT_EQ(row.duplexUnit, DefaultDeviceOptions(built).duplexUnit) << "variant " << row.variant;
        EXPECT_EQ(row.bins, OfferedBinCodes(DefaultDeviceOptions(built).trayCount)) << "variant " << row.variant;
        EXPECT_STREQ(profile.paperCommand, state.paperCommand);
        EXPECT_EQ(0, memcmp(profile.zoomTable, state.zoomTables[row.area], sizeof(TargetRow) * 4))
            << "variant " << row.variant << ": the area's zoom table is the profile's";
        EXPECT_EQ(profile.paperDefault, state.paperDefault);
        EXPECT_EQ(profile.model, state.model);
    }
}

TEST_F(ModelStateTest, TakesThePaperFlagsAndDropsRotationForAModelThatCannotRotate)
{
    Apply(SampleDriver(3));   // ROTATE=0; A4 is marked rotatable in the profile
    const PaperRow& a4 = built.availablePapers[0];
    EXPECT_EQ(9, a4.paperCode);
    EXPECT_EQ(0, a4.rotatable) << "the model cannot rotate";
    EXPECT_EQ(1, built.paperTable[kPaperIndexA4].rotatable) << "the master table keeps the profile's flag";
    EXPECT_STREQ("STATEMENT", built.availablePapers[5].pjlName) << "INVOICE's printer name is the profile's";

    Apply(SampleDriver(1));   // ROTATE=1
    EXPECT_EQ(1, built.availablePapers[0].rotatable);
}

TEST_F(ModelStateTest, WithEveryPaperDisabledListsThePapersInUseButCountsNone)
{
    ApplyText(L"[Setup]\nDRIVER=3\n");
    EXPECT_EQ(0, built.enabledPaperCount);
    for (int row = 0; row < kPaperKeywordCount; ++row)
        EXPECT_EQ(built.paperTable[row].paperCode, built.availablePapers[row].paperCode) << "row " << row;
    EXPECT_TRUE(AvailableCodes().empty());
}

TEST_F(ModelStateTest, ListsOnlyTheEnabledPapersInKeywordOrder)
{
    // Each duplex flag the opposite of the built-in table's.
    ApplyText(L"[Setup]\nDRIVER=2\n[Martenx]\nROTATE=0\n[PaperSize]\nUSER=1,1,1,CUSTOM\nA4=1,1,0,A4\n");
    EXPECT_EQ((std::vector<int>{9, 256}), AvailableCodes());
    EXPECT_EQ(0, built.availablePapers[0].rotatable);
    EXPECT_EQ(0, built.availablePapers[1].rotatable);
    EXPECT_EQ(0, built.availablePapers[0].duplexAllowed);
    EXPECT_EQ(1, built.availablePapers[1].duplexAllowed);
}

TEST_F(ModelStateTest, VariantOnePutsTheUserSizeAtIndexEightAndUsesTheFiveBinList)
{
    ApplyText(L"[Setup]\nDRIVER=1\n[PaperSize]\nLETTER=1,1,1,LETTER\nUSER=1,0,0,CUSTOM\n");
    EXPECT_EQ((std::vector<int>{1, 256}), AvailableCodes());
    const PaperRow& user = built.availablePapers[1];
    EXPECT_EQ(IDS_PAPER_USER, user.nameStringId);
    EXPECT_EQ(IDI_PAPER_USER, user.iconId);
    EXPECT_EQ(2970, user.width);
    EXPECT_EQ(4200, user.length);
    EXPECT_STREQ("CUSTOM", user.pjlName);
    EXPECT_EQ(8, built.lastPaperIndex);
    EXPECT_STREQ(L"USER", built.paperKeywords[8]);
    EXPECT_STREQ(L"", built.paperKeywords[9]);
    int rows = 0;
    BinListOfModel(built, &rows);
    EXPECT_EQ(5, rows);
    EXPECT_EQ((std::vector<int>{1025, 1034, 1035, 1036, 1037}), OfferedBinCodes(4));
}

TEST_F(ModelStateTest, AVariantOneModelLeavesNothingBehindForTheNextModel)
{
    Apply(SampleDriver(1));
    Apply(SampleDriver(3));
    EXPECT_EQ(25, built.lastPaperIndex);
    EXPECT_STREQ(L"TABLOID", built.paperKeywords[8]);
    EXPECT_STREQ(L"INVOICE", built.paperKeywords[9]);
    EXPECT_EQ(3, built.paperTable[8].paperCode) << "row 8 is TABLOID again";
    EXPECT_EQ(1, built.paperTable[8].enabled) << "enabled as the variant-3 profile says";
    EXPECT_EQ((std::vector<int>{9, 11, 5, 1, 3, 287, 27, 28, 20, 37, 256}), AvailableCodes());
}

TEST_F(ModelStateTest, WithoutABypassTrayItsRowStaysInTheBinsInUseButIsNotOffered)
{
    ApplyText(L"[Setup]\nDRIVER=2\n[Marten3]\nBYPASS=0\n");
    EXPECT_EQ(0, built.binList23[1].enabled);
    EXPECT_EQ((std::vector<int>{1025, 1034, 1035}), OfferedBinCodes(2));
    ApplyText(L"[Setup]\nDRIVER=2\n[Marten3]\nBYPASS=1\n");
    EXPECT_EQ((std::vector<int>{1025, 1026, 1034, 1035}), OfferedBinCodes(2));
}

TEST_F(ModelStateTest, TakesNoTableOfAnotherModelsLocaleArea)
{
    ApplyText(L"[Language]\nLocaleArea=0\n[PaperSize]\nA3=1,0,0,A3\nA4=1,1,1,A4\n[ZoomPaper0]\nA4=A3,A4\n");
    EXPECT_EQ((1u << 0) | (1u << 2), built.zoomTables[0][0].targetMask);
    ApplyText(L"[Language]\nLocaleArea=2\n[PaperSize]\nA4=1,1,1,A4\n[ZoomPaper2]\nA4=A4\n");
    EXPECT_EQ(2, built.localeArea);
    EXPECT_EQ(1u << 2, built.zoomTables[2][0].targetMask);
    EXPECT_EQ(LoadTimeModel().zoomTables[0][0].targetMask, built.zoomTables[0][0].targetMask)
        << "area 0 is as at load, not the previous model's";
}

TEST_F(ModelStateTest, LimitsTheBinsInUseToTheList)
{
    struct Row {
        int variant;
        int32_t trayCount;
        int expected;
    } rows[] = {
        {2, 1, 3}, {2, 4, 6}, {2, 5, 6}, {2, 200, 6}, {2, 0, 2}, {2, -2, 0}, {2, -100, 0},
        {1, 1, 2}, {1, 4, 5}, {1, 9, 5}, {1, -1, 0},
    };
    for (const Row& row : rows) {
        if (built.driverVariant != row.variant)
            Apply(SampleDriver(row.variant));
        EXPECT_EQ(row.expected, BinRowsInUse(built, row.trayCount))
            << "variant " << row.variant << ", " << row.trayCount << " trays";
    }
}

TEST_F(ModelStateTest, ACachedRecordCannotClaimMorePapersThanItEnables)
{
    BenchPrinter printer(SampleDriver(3));
    ModelProfile cached;
    ReadModelProfile(SampleProfilePath(3).c_str(), &cached);
    cached.enabledPaperCount = 40;
    ASSERT_EQ(ERROR_SUCCESS, printer.SetData(kDriverProfileValue, REG_BINARY, &cached, sizeof(cached)));
    BuildModel(LoadPrinterModel(printer), &built);
    EXPECT_EQ(11, built.enabledPaperCount);
}
