// Lookups over the paper and bin tables of the model applied last.
#include "profile/paper_lookups.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/document_settings.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"

namespace {

constexpr int16_t kLetter = 1, kTabloid = 3, kLegal = 5, kA3 = 8, kA4 = 9, kA5 = 11, kUnknownCode = 999;


class SampleModel : public ::testing::Test {
protected:
    void Load(int variant)
    {
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(variant));
        BuildModel(LoadPrinterModel(*printer_), &model_);
    }
    std::unique_ptr<BenchPrinter> printer_;
    ModelState model_;
};

uint32_t Bits(std::initializer_list<int> indices)
{
    uint32_t mask = 0;
    for (int i : indices)
        mask |= 1u << i;
    return mask;
}

}  // namespace

TEST_F(SampleModel, FindsPapersInTheAvailableListAndTheMasterTable)
{
    Load(3);   // A4, A5, LEGAL, LETTER, TABLOID, INVOICE, DL, C5, #10, MONARCH, USER
    EXPECT_EQ(2, AvailablePaperOfCode(model_, kLegal));
    EXPECT_EQ(10, AvailablePaperOfCode(model_, 256));
    EXPECT_EQ(0, AvailablePaperOfCode(model_, kA3)) << "a paper the model does not offer gives the first";
    EXPECT_EQ(nullptr, AvailablePaperRowOfCode(model_, kA3));
    EXPECT_EQ(0, AvailablePaperOfCode(model_, kUnknownCode));

    EXPECT_EQ(2, KeywordIndexOfCode(model_, kA4));
    EXPECT_EQ(0, KeywordIndexOfCode(model_, kA3)) << "the master table holds every paper";
    EXPECT_EQ(25, KeywordIndexOfCode(model_, 256));
    EXPECT_EQ(-1, KeywordIndexOfCode(model_, kUnknownCode));
    EXPECT_EQ(0u, ZoomTargetMask(model_, -1, 1));
    EXPECT_EQ(0u, NUpTargetMask(model_, -1, 1));

    Load(1);
    EXPECT_EQ(8, KeywordIndexOfCode(model_, 256)) << "variant 1 keeps the user size at index 8";
    EXPECT_EQ(-1, KeywordIndexOfCode(model_, kTabloid));
}

TEST_F(SampleModel, MeasuresPapersInUse)
{
    Load(3);
    int16_t width = -1, length = -1;
    EXPECT_TRUE(PaperSizeOfCode(model_, nullptr, kA4, &width, &length));
    EXPECT_EQ(2100, width);
    EXPECT_EQ(2970, length);
    EXPECT_TRUE(PaperSizeOfCode(model_, nullptr, 256, &width, &length));
    EXPECT_EQ(2970, width) << "without settings the user size is its row's, A3";
    EXPECT_EQ(4200, length);

    DocumentSettings settings = {};
    settings.userPaperWidth = 1234;
    settings.userPaperLength = 2345;
    EXPECT_TRUE(PaperSizeOfCode(model_, &settings, 256, &width, &length));
    EXPECT_EQ(1234, width);
    EXPECT_EQ(2345, length);
    EXPECT_TRUE(PaperSizeOfCode(model_, &settings, kLetter, &width, &length));
    EXPECT_EQ(2159, width);

    EXPECT_FALSE(PaperSizeOfCode(model_, &settings, kA3, &width, &length)) << "A3 is not offered by this model";
    EXPECT_EQ(0, width);
    EXPECT_EQ(0, length);
}

TEST_F(SampleModel, ComparesPaperSizes)
{
    Load(2);   // offers A3, A4, A5, LETTER ...
    struct Row {
        int kind;
        int16_t source, target;
        int expected;
    } rows[] = {
        {kRatioMagnify, kA4, kLetter, 94},     // min(2794000 / 2970, 2159000 / 2100) / 10
        {kRatioFourInOne, kA4, kA3, 70},      // min(4200 * 500 / 2970, 2970 * 500 / 2100) / 10
        {kRatioTwoInOne, kA4, kA3, 100},      // min(2970000 / 2970, 4200 * 500 / 2100) / 10
        {kRatioMagnify, kA3, kA5, 49},        // min(2100000 / 4200, 1480000 / 2970) / 10
        {kRatioMagnify, kA4, kUnknownCode, 0},
        {kRatioMagnify, kUnknownCode, kA4, 0},
        {kRatioMagnify, kA4, 20, 0},           // Envelope #10: not offered by this model
        {7, kA4, kA3, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, PaperRatio(model_, row.kind, row.source, row.target))
            << "kind " << row.kind << ", " << row.source << " onto " << row.target;
}

TEST_F(SampleModel, GivesTheTargetMasksOfTheAppliedArea)
{
    Load(3);   // area 1: [ZoomPaper1] A4=A4,LEGAL,LETTER,TABLOID; [Nin1Paper1] A4=A4,LETTER,TABLOID
    EXPECT_EQ(Bits({2, 6, 7, 8}), ZoomTargetMask(model_, 2, 1));
    EXPECT_EQ(Bits({2, 7, 8}), NUpTargetMask(model_, 2, 1));
    EXPECT_EQ(Bits({2, 7, 9}), ZoomTargetMask(model_, 9, 1)) << "INVOICE=A4,LETTER,INVOICE";
    EXPECT_EQ(0u, ZoomTargetMask(model_, 0, 1)) << "A3 has no row in the area's table";
    EXPECT_EQ(0u, ZoomTargetMask(model_, 2, 4)) << "no such area";
    EXPECT_EQ(0u, ZoomTargetMask(model_, 26, 1));

    Load(1);   // variant 1, area 3
    EXPECT_EQ(Bits({2, 6, 7}), ZoomTargetMask(model_, 2, 3));
    for (int index = 9; index < 26; ++index) {
        EXPECT_EQ(0u, ZoomTargetMask(model_, index, 3)) << "index " << index << " is past the variant's papers";
        EXPECT_EQ(0u, NUpTargetMask(model_, index, 3)) << "index " << index;
    }
}

TEST_F(SampleModel, GivesTheSourceCodeOfABinRow)
{
    Load(2);
    const int16_t expected[] = {1025, 1026, 1034, 1035, 1036, 1037};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(expected[row], SourceCodeOfRow(model_, row)) << "row " << row;
    EXPECT_EQ(kBinCodeAuto, SourceCodeOfRow(model_, 6));
    EXPECT_EQ(kBinCodeAuto, SourceCodeOfRow(model_, -1));
    Load(1);
    EXPECT_EQ(1034, SourceCodeOfRow(model_, 1));
    EXPECT_EQ(1037, SourceCodeOfRow(model_, 4));
    EXPECT_EQ(kBinCodeAuto, SourceCodeOfRow(model_, 5));
}
