// Reading model profiles into the ModelProfile record, from the file and
// from the printer's cached copy.
#include "profile/model_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "profile/model_state.h"
#include "support/printer_bench.h"
#include "support/profile_files.h"
#include "facts/printer_call.h"

namespace {

ModelProfile Read(const std::wstring& path)
{
    ModelProfile profile;
    memset(&profile, 0xCD, sizeof(profile));
    ReadModelProfile(path.c_str(), &profile);
    return profile;
}

ModelProfile ReadText(const std::wstring& text)
{
    static int counter = 0;
    return Read(WriteProfileFile(L"reader" + std::to_wstring(++counter) + L".ini", text));
}

bool SameRecord(const ModelProfile& a, const ModelProfile& b)
{
    return memcmp(&a, &b, sizeof(a)) == 0;
}

uint32_t Bits(std::initializer_list<int> indices)
{
    uint32_t mask = 0;
    for (int i : indices)
        mask |= 1u << i;
    return mask;
}

const TargetRow* RowOf(const TargetRow* table, const wchar_t* keyword)
{
    for (int row = 0; row < kTargetRowCount && table[row].paperKeyword[0]; ++row) {
        if (wcscmp(table[row].paperKeyword, keyword) == 0)
            return &table[row];
    }
    return nullptr;
}

}  // namespace

TEST(ReadModelProfile, WithoutAFileGivesTheDefaults)
{
    const ModelProfile p = Read(L"C:\\no\\such\\profile.ini");
    EXPECT_EQ(2, p.driverVariant);
    EXPECT_EQ(1, p.localeArea);
    EXPECT_EQ(1, p.paperDefault);
    EXPECT_EQ(3, p.model);
    EXPECT_EQ(1, p.bypass);
    EXPECT_EQ(1, p.duplexDefault);
    EXPECT_EQ(1, p.blackText);
    EXPECT_EQ(2, p.supportColors);
    EXPECT_EQ(2, p.memory);
    EXPECT_EQ(1, p.logNo);
    EXPECT_EQ(2, p.maxTrayCount);
    EXPECT_EQ(2, p.defaultTrayCount);
    EXPECT_EQ(2, p.fixedBinCount);
    EXPECT_EQ(0, p.enabledPaperCount);
    for (int i = 0; i < kPaperKeywordCount; ++i) {
        EXPECT_EQ(0, p.paperEntries[i].enabled) << "paper " << i;
        EXPECT_STREQ("Unkown", p.paperEntries[i].pjlName) << "paper " << i;
    }
    const ProfilePaperEntry zeroSlot = {};
    EXPECT_EQ(0, memcmp(&zeroSlot, &p.paperEntries[26], sizeof(zeroSlot))) << "the 27th slot is never filled";
    for (int row = 0; row < kTargetRowCount; ++row) {
        EXPECT_EQ(0u, p.zoomTable[row].targetMask);
        EXPECT_EQ(0u, p.nUpTable[row].targetMask);
    }
    EXPECT_STREQ("", p.paperCommand);
    EXPECT_STREQ("", p.stapleCommand);
    EXPECT_STREQ(L"", p.timestamp);
    EXPECT_STREQ(L"", p.versions[0]);
    for (uint8_t byte : p.unused)
        ASSERT_EQ(0, byte) << "unused bytes are zero";
}

TEST(ReadModelProfile, LeavesTheRecordAloneWithoutAPath)
{
    ModelProfile profile;
    memset(&profile, 0x5A, sizeof(profile));
    ReadModelProfile(nullptr, &profile);
    EXPECT_EQ(0x5A5A5A5A, profile.driverVariant);
}

TEST(ReadModelProfile, AppliesTheRangeRules)
{
    struct Row {
        const wchar_t* text;
        int32_t ModelProfile::*field;
        int32_t expected;
    } rows[] = {
        {L"[Setup]\nDRIVER=0\n", &ModelProfile::driverVariant, 3},
        {L"[Setup]\nDRIVER=4\n", &ModelProfile::driverVariant, 3},
        {L"[Setup]\nDRIVER=1\n", &ModelProfile::driverVariant, 1},
        {L"[Language]\nLocaleArea=7\n", &ModelProfile::localeArea, 1},
        {L"[Language]\nLocaleArea=-1\n", &ModelProfile::localeArea, 1},
        {L"[Language]\nLocaleArea=2\n", &ModelProfile::localeArea, 2},
        {L"[MemorySet]\nMEMORY=5\n", &ModelProfile::memory, 2},
        {L"[MemorySet]\nMEMORY=0\n", &ModelProfile::memory, 2},
        {L"[MemorySet]\nMEMORY=4\n", &ModelProfile::memory, 4},
        {L"[Papersource]\nMAXSET=1\n", &ModelProfile::maxTrayCount, 2},
        {L"[Papersource]\nMAXSET=5\n", &ModelProfile::maxTrayCount, 2},
        {L"[Papersource]\nMAXSET=3\n", &ModelProfile::maxTrayCount, 3},
        {L"[PaperSource]\nMAXSET=3\nDEFNUMBER=4\n", &ModelProfile::defaultTrayCount, 2},
        {L"[Papersource]\nMAXSET=4\nDEFNUMBER=4\n", &ModelProfile::defaultTrayCount, 4},
        {L"[PAPERSOURCE]\nMAXSET=4\nDEFNUMBER=0\n", &ModelProfile::defaultTrayCount, 2},
        {L"[Setup]\nDRIVER=1\n[PaperSource]\nMAXSET=4\nDEFNUMBER=4\n",
         &ModelProfile::defaultTrayCount, 1},
        {L"[Setup]\nDRIVER=1\n", &ModelProfile::fixedBinCount, 1},
        {L"[Setup]\nDRIVER=3\n", &ModelProfile::fixedBinCount, 2},
        {L"[Martenx]\nROTATE=1\n", &ModelProfile::rotate, 1},
        {L"[martenx]\nrotate=1\n", &ModelProfile::rotate, 1},
    };
    for (const Row& row : rows) {
        const ModelProfile p = ReadText(row.text);
        EXPECT_EQ(row.expected, p.*(row.field)) << Narrow(row.text);
    }
}

TEST(ReadModelProfile, AppliesTheRangeRulesOfSixteenBitFields)
{
    struct Row {
        const wchar_t* text;
        int16_t ModelProfile::*field;
        int16_t expected;
    } rows[] = {
        {L"[Martenx]\nLOGNO=-1\n", &ModelProfile::logNo, 1},
        {L"[Martenx]\nLOGNO=4\n", &ModelProfile::logNo, 1},
        {L"[Martenx]\nLOGNO=0\n", &ModelProfile::logNo, 0},
        {L"[Marten3]\nSUPPORTCOLORS=256\n", &ModelProfile::supportColors, 256},
        {L"[Marten3]\nSUPPORTCOLORS=0\n", &ModelProfile::supportColors, 0},
        {L"[Marten3]\nSUPPORTCOLORS=16\n", &ModelProfile::supportColors, 2},
        {L"[Marten3]\nBLACKTEXT=2\n", &ModelProfile::blackText, 1},
        {L"[Marten3]\nBLACKTEXT=0\n", &ModelProfile::blackText, 0},
        {L"[Martenx]\nORDER=0\nORDERDEF=1\n", &ModelProfile::orderDefault, 0},
        {L"[Martenx]\nORDER=1\nORDERDEF=1\n", &ModelProfile::orderDefault, 1},
        {L"[Marten3]\nPAPERDEF=9\n", &ModelProfile::paperDefault, 9},
        {L"[Marten3]\nPAPERDEF=65545\n", &ModelProfile::paperDefault, 9},
        {L"[Marten3]\nMODEL=2\n", &ModelProfile::model, 2},
    };
    for (const Row& row : rows) {
        const ModelProfile p = ReadText(row.text);
        EXPECT_EQ(row.expected, p.*(row.field)) << Narrow(row.text);
    }
}

TEST(ReadModelProfile, ReadsPaperValuesByPosition)
{
    const ModelProfile p = ReadText(
        L"[PaperSize]\n"
        L"A3=1\n"                      // single digit
        L"B4=1,1,0,JISB4,X\n"          // the name is the last item
        L"A4=1,1,1,A4\n"
        L"B5=2,1,1,JISB5\n"            // not a 0 or 1: disabled
        L"POSTCARD=1,x,1,JPOSTD\n"
        L"LEGAL=0,1,1,LEGAL\n"
        L"LETTER=1,0,1,AVERYLONGPAPERNAME\n");
    struct Row {
        int index;
        int32_t enabled, rotatable, duplexAllowed;
        const char* name;
    } rows[] = {
        {0, 1, 0, 0, "Unkown"},
        {1, 1, 1, 0, "X"},
        {2, 1, 1, 1, "A4"},
        {3, 0, 1, 1, "JISB5"},
        {4, 0, 0, 0, "Unkown"},             // key missing
        {5, 1, 0, 1, "JPOSTD"},
        {6, 0, 1, 1, "LEGAL"},
        {7, 1, 0, 1, "AVERYLONGPAPERN"},    // 15 bytes and the terminator
    };
    for (const Row& row : rows) {
        const ProfilePaperEntry& slot = p.paperEntries[row.index];
        EXPECT_EQ(row.enabled, slot.enabled) << "paper " << row.index;
        EXPECT_EQ(row.rotatable, slot.rotatable) << "paper " << row.index;
        EXPECT_EQ(row.duplexAllowed, slot.duplexAllowed) << "paper " << row.index;
        EXPECT_STREQ(row.name, slot.pjlName) << "paper " << row.index;
    }
    EXPECT_EQ(5, p.enabledPaperCount);
}

TEST(ReadModelProfile, ReadsZoomTargetsOfEnabledPapersInTheAreasTable)
{
    const ModelProfile p = ReadText(
        L"[Language]\nLocaleArea=1\n"
        L"[PaperSize]\nA4=1,1,1,A4\nLEGAL=1,0,0,LEGAL\nLETTER=1,1,1,LETTER\nPOSTCARD=1,1,1,JPOSTD\n"
        L"TABLOID=0,0,0,LEDGER\n"
        L"[ZoomPaper1]\n"
        L"A4=A4,LETTER,LEGAL\n"
        L"LEGAL=A4, LETTER\n"            // an item with a leading blank is no keyword
        L"LETTER=LETTER,POSTCARD\n"      // POSTCARD is not in area 1's table
        L"TABLOID=TABLOID,A4\n"          // TABLOID is not enabled
        L"INVOICE=a4,A4,LE\x00ADGAL\n"   // keywords compare case-sensitively, unit by unit
        L"[ZoomPaper0]\nA4=A4,POSTCARD\n");
    EXPECT_EQ(Bits({2, 6, 7}), RowOf(p.zoomTable, L"A4")->targetMask);
    EXPECT_EQ(Bits({2}), RowOf(p.zoomTable, L"LEGAL")->targetMask);
    EXPECT_EQ(Bits({7}), RowOf(p.zoomTable, L"LETTER")->targetMask);
    EXPECT_EQ(Bits({2}), RowOf(p.zoomTable, L"TABLOID")->targetMask);
    EXPECT_EQ(Bits({2}), RowOf(p.zoomTable, L"INVOICE")->targetMask);
}

TEST(ReadModelProfile, CopiesTheBuiltInTablesOfTheLocaleArea)
{
    struct Row {
        int area;
        std::vector<std::wstring> zoom;
        std::vector<std::wstring> nUp;
    } rows[] = {
        {0, {L"A4", L"A3", L"B4", L"B5", L"A5", L"POSTCARD"}, {L"A3", L"B4", L"A4", L"B5", L"A5", L"POSTCARD"}},
        {1, {L"A4", L"LEGAL", L"LETTER", L"TABLOID", L"INVOICE"}, {L"A4", L"LEGAL", L"LETTER", L"TABLOID"}},
        {2, {L"A4", L"A3", L"B4", L"B5", L"A5", L"FLS1", L"FLS2"}, {L"A3", L"B4", L"A4", L"B5", L"A5", L"FLS1", L"FLS2"}},
        {3, {L"A4", L"LEGAL", L"LETTER"}, {L"A4", L"LEGAL", L"LETTER"}},
    };
    for (const Row& row : rows) {
        const ModelProfile p = ReadText(L"[Language]\nLocaleArea=" + std::to_wstring(row.area) + L"\n");
        for (size_t i = 0; i < row.zoom.size(); ++i)
            EXPECT_EQ(row.zoom[i], p.zoomTable[i].paperKeyword) << "area " << row.area << " zoom row " << i;
        EXPECT_STREQ(L"", p.zoomTable[row.zoom.size()].paperKeyword) << "area " << row.area;
        for (size_t i = 0; i < row.nUp.size(); ++i)
            EXPECT_EQ(row.nUp[i], p.nUpTable[i].paperKeyword) << "area " << row.area << " N-in-1 row " << i;
        EXPECT_STREQ(L"", p.nUpTable[row.nUp.size()].paperKeyword) << "area " << row.area;
    }
}

TEST(ReadModelProfile, ReadsTheMasksOfAreaThreeFromItsOwnSections)
{
    const ModelProfile p = ReadText(
        L"[Language]\nLocaleArea=3\n"
        L"[PaperSize]\nA4=1,1,1,A4\nLEGAL=1,0,0,LEGAL\nLETTER=1,1,1,LETTER\n"
        L"[ZoomPaper3]\nA4=A4,LEGAL\n[Nin1Paper3]\nLETTER=A4,LETTER\n"
        L"[ZoomPaper1]\nLEGAL=A4\n[Nin1Paper1]\nA4=A4\n");
    EXPECT_EQ(Bits({2, 6}), RowOf(p.zoomTable, L"A4")->targetMask);
    EXPECT_EQ(0u, RowOf(p.zoomTable, L"LEGAL")->targetMask);
    EXPECT_EQ(Bits({2, 7}), RowOf(p.nUpTable, L"LETTER")->targetMask);
    EXPECT_EQ(0u, RowOf(p.nUpTable, L"A4")->targetMask);
}

TEST(ReadModelProfile, VariantOneReadsOnlyNinePapersWithUserAtEight)
{
    const ModelProfile p = ReadText(
        L"[Setup]\nDRIVER=1\n"
        L"[PaperSize]\nLETTER=1,1,1,LETTER\nTABLOID=1,0,0,LEDGER\nINVOICE=1,0,0,INVOICE\nUSER=1,0,0,CUSTOM\n"
        L"A4=1,0,0,A4\n"
        L"[Language]\nLocaleArea=1\n"
        L"[ZoomPaper1]\nLETTER=LETTER,TABLOID,A4\nA4=USER,A4\n");
    EXPECT_EQ(1, p.paperEntries[7].enabled);
    EXPECT_EQ(1, p.paperEntries[8].enabled) << "slot 8 is the user-defined size";
    EXPECT_STREQ("CUSTOM", p.paperEntries[8].pjlName);
    for (int i = 9; i < kPaperSlotCount; ++i) {
        EXPECT_EQ(0, p.paperEntries[i].enabled) << "slot " << i << " is past the variant's papers";
        EXPECT_STREQ("", p.paperEntries[i].pjlName) << "slot " << i;
    }
    EXPECT_EQ(3, p.enabledPaperCount);
    // TABLOID is no paper of variant 1, and USER is no zoom keyword.
    EXPECT_EQ(Bits({2, 7}), RowOf(p.zoomTable, L"LETTER")->targetMask);
    EXPECT_EQ(Bits({2}), RowOf(p.zoomTable, L"A4")->targetMask);
}

TEST(ReadModelProfile, ReadsCommandNamesParametersAndAboutTexts)
{
    const ModelProfile p = Read(SampleProfilePath(2));
    EXPECT_STREQ("@PJL SET PAPER", p.paperCommand);
    EXPECT_STREQ("@PJL SET STAPLE", p.stapleCommand);
    EXPECT_STREQ("OFF", p.stapleParams[0]);
    EXPECT_STREQ("LEFTTOP", p.stapleParams[1]);
    EXPECT_STREQ("@PJL SET DUPLEX", p.duplexCommand);
    EXPECT_STREQ("OFF", p.duplexParams[0]);
    EXPECT_STREQ("LONGEDGE", p.duplexParams[1]);
    EXPECT_STREQ("SHORTEDGE", p.duplexParams[2]);
    EXPECT_STREQ(L"Release Date : 2003/04/13", p.timestamp);
    EXPECT_STREQ(L"MARTENUI.DLL", p.dependencies[0]);
    EXPECT_STREQ(L"KOL6MAN.PDF", p.dependencies[8]);
    EXPECT_STREQ(L"4.11", p.versions[2]);
}

TEST(ReadModelProfile, CutsTextsToTheirFields)
{
    const ModelProfile p = ReadText(
        L"[PaperSize]\nCMDNAME=@PJL SET PAPERSIZE WITH A VERY LONG COMMAND NAME\n"
        L"[Staple]\nPARA0=ABCDEFGHIJKLMNOPQRSTUVWXYZ\nPARA2=NOT A KEY OF STAPLE\n[Duplex]\nCMDNAME=D\n"
        L"[About]\nDEPENDENCY1=AVERYLONGFILENAME.DLL\nTIMESTAMP=" + std::wstring(100, L'T') + L"\n");
    EXPECT_EQ(31u, strlen(p.paperCommand));
    EXPECT_STREQ("@PJL SET PAPERSIZE WITH A VERY ", p.paperCommand);
    EXPECT_STREQ("ABCDEFGHIJKLMNO", p.stapleParams[0]);
    EXPECT_EQ(std::string("D") + std::string(31, '\0'), std::string(p.duplexCommand, 32)) << "zeros after the text";
    EXPECT_STREQ(L"AVERYLONGFILENA", p.dependencies[0]);
    EXPECT_EQ(79u, wcslen(p.timestamp));
}

TEST(ReadModelProfile, ReadsTheSampleModels)
{
    struct Row {
        int variant, area, papers, maxTrays, defaultTrays, fixedBins, paperDefault;
    } rows[] = {
        {1, 3, 6, 2, 1, 1, 1},
        {2, 0, 17, 4, 2, 2, 9},
        {3, 1, 11, 3, 3, 2, 1},
    };
    for (const Row& row : rows) {
        const ModelProfile p = Read(SampleProfilePath(row.variant));
        EXPECT_EQ(row.variant, p.driverVariant);
        EXPECT_EQ(row.area, p.localeArea) << "variant " << row.variant;
        EXPECT_EQ(row.papers, p.enabledPaperCount) << "variant " << row.variant;
        EXPECT_EQ(row.maxTrays, p.maxTrayCount) << "variant " << row.variant;
        EXPECT_EQ(row.defaultTrays, p.defaultTrayCount) << "variant " << row.variant;
        EXPECT_EQ(row.fixedBins, p.fixedBinCount) << "variant " << row.variant;
        EXPECT_EQ(row.paperDefault, p.paperDefault) << "variant " << row.variant;
    }
}

// One model must not leak into another: the reader answers for the file alone.
TEST(ReadModelProfile, GivesTheSameRecordWhateverWasReadOrAppliedBefore)
{
    ModelState model;
    const ModelProfile fresh[3] = {Read(SampleProfilePath(1)), Read(SampleProfilePath(2)), Read(SampleProfilePath(3))};
    const int orders[][6] = {{1, 2, 3, 1, 3, 2}, {2, 1, 3, 3, 1, 2}, {3, 1, 1, 2, 3, 2}};
    for (const auto& order : orders) {
        for (int variant : order) {
            const ModelProfile again = Read(SampleProfilePath(variant));
            EXPECT_TRUE(SameRecord(fresh[variant - 1], again)) << "variant " << variant << " read after others";
            BuildModel(again, &model);
        }
    }
    // A variant-2 record whose targets name TABLOID, read after a variant-1
    // profile narrowed the papers, keeps its TABLOID bit.
    const std::wstring usText =
        L"[Setup]\nDRIVER=2\n[Language]\nLocaleArea=1\n"
        L"[PaperSize]\nLETTER=1,1,1,LETTER\nTABLOID=1,0,0,LEDGER\n"
        L"[ZoomPaper1]\nLETTER=LETTER,TABLOID\n";
    const ModelProfile before = ReadText(usText);
    BuildModel(Read(SampleProfilePath(1)), &model);
    const ModelProfile after = ReadText(usText);
    EXPECT_EQ(Bits({7, 8}), RowOf(after.zoomTable, L"LETTER")->targetMask);
    EXPECT_TRUE(SameRecord(before, after));
}

TEST(ReadProfileVersion, ReadsTheNumberedVersionKey)
{
    WCHAR version[32];
    EXPECT_EQ(4, ReadProfileVersion(SampleProfilePath(3).c_str(), 3, 32, version));
    EXPECT_STREQ(L"4.10", version);
    EXPECT_EQ(0, ReadProfileVersion(SampleProfilePath(3).c_str(), 9, 32, version));
    EXPECT_STREQ(L"", version);
    EXPECT_EQ(0, ReadProfileVersion(nullptr, 3, 32, version));
    EXPECT_EQ(0, ReadProfileVersion(SampleProfilePath(3).c_str(), 3, 32, nullptr));
    // "4.10" against the buffer's capacity: below, at and above its 5 units.
    const struct {
        int capacity;
        const wchar_t* text;   // what the buffer holds after
        int read;
    } rows[] = {{0, L"#", 0}, {1, L"", 0}, {4, L"4.1", 3}, {5, L"4.10", 4}, {6, L"4.10", 4}};
    for (const auto& row : rows) {
        WCHAR buffer[8] = L"#";
        EXPECT_EQ(row.read, ReadProfileVersion(SampleProfilePath(3).c_str(), 3, row.capacity, buffer))
            << "capacity " << row.capacity;
        EXPECT_STREQ(row.text, buffer) << "capacity " << row.capacity;
    }
}

// A call's profile, fetched through an installed printer.
class FetchProfileTest : public ::testing::Test {};

TEST_F(FetchProfileTest, ParsesTheProfileFileWhenThePrinterHasNoCachedRecord)
{
    BenchPrinter printer(SampleDriver(3));
    ModelProfile loaded;
    { PrinterCall call; call.printer = printer.handle(); loaded = FetchProfile(&call); }
    EXPECT_TRUE(SameRecord(Read(SampleProfilePath(3)), loaded));
    EXPECT_EQ(-1, printer.GetData(kDriverProfileValue, &loaded, sizeof(loaded))) << "loading never caches";
}

TEST_F(FetchProfileTest, PrefersThePrintersCachedRecord)
{
    BenchPrinter printer(SampleDriver(3));
    ModelProfile cached = Read(SampleProfilePath(1));
    ASSERT_EQ(ERROR_SUCCESS, printer.SetData(kDriverProfileValue, REG_BINARY, &cached, sizeof(cached)));
    ModelProfile loaded;
    { PrinterCall call; call.printer = printer.handle(); loaded = FetchProfile(&call); }
    EXPECT_TRUE(SameRecord(cached, loaded));
}

TEST_F(FetchProfileTest, TreatsACachedValueOfAnotherSizeAsAbsent)
{
    BenchPrinter printer(SampleDriver(3));
    const ModelProfile expected = Read(SampleProfilePath(3));
    std::vector<BYTE> value(sizeof(ModelProfile) + 1);
    const ModelProfile other = Read(SampleProfilePath(1));
    memcpy(value.data(), &other, sizeof(other));
    for (DWORD size : {DWORD(sizeof(ModelProfile) - 1), DWORD(sizeof(ModelProfile) + 1), DWORD(4)}) {
        ASSERT_EQ(ERROR_SUCCESS, printer.SetData(kDriverProfileValue, REG_BINARY, value.data(), size));
        ModelProfile loaded;
        { PrinterCall call; call.printer = printer.handle(); loaded = FetchProfile(&call); }
        EXPECT_TRUE(SameRecord(expected, loaded)) << "a cached value of " << size << " bytes was used";
    }
}

TEST_F(FetchProfileTest, WithoutAPrinterOrProfileGivesTheDefaults)
{
    ModelProfile loaded;
    { PrinterCall call; call.printer = nullptr; loaded = FetchProfile(&call); }
    EXPECT_TRUE(SameRecord(Read(L""), loaded));
    EXPECT_EQ(0, loaded.enabledPaperCount);
    EXPECT_EQ(2, loaded.driverVariant);
}
