#include "printer/margin_table.h"

#include "profile/model_state.h"

const WCHAR kMarginValue[] = L"Margin";

namespace {

constexpr int16_t kMarginDpi = 600;
constexpr int16_t kClosingMargin = 60;

struct Additions {
    int16_t right;
    int16_t bottom;
};

// What the rendering side adds to the right and bottom margins of a paper.
Additions AdditionsOf(int16_t code)
{
    switch (code) {
    case 1: case 3: case 5: case 27: case 259: case 267: case 269: case 270: case 277: case 278: case 287:
        return {4, 4};
    case 8:
        return {5, 5};
    case 9:
        return {8, 6};
    case 11:
        return {20, 8};
    case 12: case 258:
        return {8, 4};
    case 13:
        return {5, 8};
    case 20: case 34: case 37:
        return {6, 4};
    default:
        return {6, 6};
    }
}

// Dots at 600 dpi of a size in 0.1 mm, through whole hundredths of an inch.
int32_t DotsOf(int16_t tenthsOfMm)
{
    return (tenthsOfMm * 100 / 254) * 6;
}

int16_t MarginBetween(int32_t dots, int32_t printable, int16_t first, int16_t addition)
{
    int16_t difference = static_cast<int16_t>(dots - printable - first);
    if (difference < 0)
        difference = static_cast<int16_t>(-difference);
    return static_cast<int16_t>(difference + addition);
}

void SetPaperBit(uint8_t bits[32], int16_t code)
{
    if (code >= 0 && code < 256)
        bits[code / 8] = static_cast<uint8_t>(0x80 >> (code % 8));
    else
        bits[0] = 0x80;   // codes above 256 share the bit of code 0
}

}  // namespace

// From the papers as they are at load: a variant-1 model puts its
// user-defined size in row 8 of the live table, which has no fixed size.
int BuildMarginTable(MarginRecord table[kMarginTableSlots])
{
    for (int i = 0; i < kMarginPaperRecords; ++i) {
        const PaperRow& paper = LoadTimePaperRow(i);
        MarginRecord& record = table[i];
        record.kind = 1;
        SetPaperBit(record.paperBits, paper.paperCode);
        record.width = record.widthAgain = paper.width;
        record.length = record.lengthAgain = paper.length;
        record.marginMode = 3;
        record.resolution = kMarginDpi;
        const int16_t first = (paper.paperCode == 8 || paper.paperCode == 12) ? 83 : 60;
        const Additions add = AdditionsOf(paper.paperCode);
        record.left = record.top = first;
        record.right = MarginBetween(DotsOf(paper.width), paper.printableWidth, first, add.right);
        record.bottom = MarginBetween(DotsOf(paper.length), paper.printableLength, first, add.bottom);
    }
    MarginRecord& closing = table[kMarginPaperRecords];
    closing.resolution = kMarginDpi;
    closing.left = closing.top = closing.right = closing.bottom = kClosingMargin;

    int count = 0;
    while (count < kMarginTableSlots && table[count].kind != 0)
        ++count;
    return count + 1;
}
