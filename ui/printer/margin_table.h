// The printable margins per paper that the rendering side reads from printer
// data "Margin": 25 paper records and one closing record, 54 bytes each.
#ifndef MARTENUI_MARGIN_TABLE_H
#define MARTENUI_MARGIN_TABLE_H

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

struct MarginRecord {
    int16_t kind;             // 1 a paper, 0 the closing record
    uint8_t paperBits[32];    // 256 bits, most significant first: the paper code
    int16_t width;            // 0.1 mm
    int16_t widthAgain;
    int16_t length;           // 0.1 mm
    int16_t lengthAgain;
    int16_t marginMode;       // 3 for papers; the rendering side's constant
    int16_t resolution;       // dots per inch of the four margins
    int16_t left;             // dots
    int16_t top;
    int16_t right;
    int16_t bottom;
};
static_assert(sizeof(MarginRecord) == 54, "MarginRecord is a stored record");
static_assert(offsetof(MarginRecord, paperBits) == 2, "layout");
// The alignment of `width` would hide a shorter bit field.
static_assert(sizeof(MarginRecord::paperBits) == 32, "layout");
static_assert(offsetof(MarginRecord, width) == 34, "layout");
static_assert(offsetof(MarginRecord, widthAgain) == 36, "layout");
static_assert(offsetof(MarginRecord, length) == 38, "layout");
static_assert(offsetof(MarginRecord, lengthAgain) == 40, "layout");
static_assert(offsetof(MarginRecord, marginMode) == 42, "layout");
static_assert(offsetof(MarginRecord, resolution) == 44, "layout");
static_assert(offsetof(MarginRecord, left) == 46, "layout");
static_assert(offsetof(MarginRecord, top) == 48, "layout");
static_assert(offsetof(MarginRecord, right) == 50, "layout");
static_assert(offsetof(MarginRecord, bottom) == 52, "layout");

extern const WCHAR kMarginValue[];   // "Margin"

constexpr int kMarginPaperRecords = 25;
constexpr int kMarginTableSlots = 32;

// Fills `table` (kMarginTableSlots zero-filled records) from the first 25
// papers of the master paper table and returns the records to store, the
// closing one included.
int BuildMarginTable(MarginRecord table[kMarginTableSlots]);

#endif
