// A printer model as a value: what building from a model profile makes of
// it. Each request builds its own from the profile it fetched and hands it,
// read-only, to whatever computes its answer.
#ifndef MARTENUI_MODEL_STATE_H
#define MARTENUI_MODEL_STATE_H

#include <windows.h>
#include <stdint.h>

#include "profile/model_profile.h"

// Paper keyword indices that other code names.
constexpr int kPaperIndexA4 = 2;
constexpr int kPaperIndexLetter = 7;
constexpr int kPaperIndexUserVariant1 = 8;
constexpr int kPaperIndexUser = 25;
constexpr int kPaperKeywordChars = 16;

// Device-mode paper code of the user-defined size.
constexpr int16_t kUserPaperCode = 256;

// One row of the master paper table (and of the available-paper list).
struct PaperRow {
    int16_t enabled;          // 1 = offered; set from the profile
    int16_t nameStringId;     // display name in the resource library
    int16_t iconId;           // group icon in the resource library
    int16_t paperCode;        // dmPaperSize value; 256 = user-defined
    int16_t width;            // 0.1 mm
    int16_t length;           // 0.1 mm
    int32_t metric;           // 1 = shown in millimetres, 0 = in inches
    int32_t rotatable;        // set from the profile
    int32_t duplexAllowed;    // set from the profile
    char pjlName[16];         // set from the profile
    int32_t printableWidth;   // dots at 600 dpi
    int32_t printableLength;  // dots at 600 dpi
};

// One paper source.
struct BinRow {
    int32_t enabled;
    int16_t nameStringId;     // display name in the resource library
    int16_t binCode;          // dmDefaultSource value
    char pjlName[8];
};

constexpr int kBinRowsVariant1 = 5;
constexpr int kBinRowsVariant23 = 6;
constexpr int kLocaleAreaCount = 4;

struct ModelState {
    // Model values copied from the applied profile.
    int32_t driverVariant;
    int32_t localeArea;
    int32_t enabledPaperCount;
    char paperCommand[32];
    int32_t maxTrayCount;
    int32_t defaultTrayCount;
    int32_t fixedBinCount;
    int32_t rotate;
    int32_t shift;
    int32_t outputTray;
    int32_t staple;
    int32_t duplex;
    int32_t memory;
    int32_t security;
    int32_t reserve;
    int32_t duplexUnit;
    int32_t innerTray;
    int32_t outputTrayCount;
    int32_t finisher;
    int32_t logNo;             // sign-extended from 16 bits
    int32_t order;
    int32_t orderDefault;      // sign-extended from 16 bits
    char stapleCommand[32];
    char stapleParams[2][16];
    char duplexCommand[32];
    char duplexParams[3][16];
    int32_t smoothing;
    int32_t tonerSave;
    int32_t control;
    int32_t color;
    int32_t resolution;
    int32_t paperDefault;      // sign-extended from 16 bits
    int32_t model;             // sign-extended from 16 bits
    int32_t bypass;
    int32_t duplexDefault;     // the duplex unit a printer without options has

    // Papers in use: keyword indices firstPaperIndex..lastPaperIndex.
    int32_t firstPaperIndex;
    int32_t lastPaperIndex;
    WCHAR paperKeywords[kPaperKeywordCount][kPaperKeywordChars];

    PaperRow paperTable[kPaperKeywordCount];
    PaperRow availablePapers[kPaperKeywordCount];
    TargetRow zoomTables[kLocaleAreaCount][kTargetRowCount];
    TargetRow nUpTables[kLocaleAreaCount][kTargetRowCount];
    BinRow binList1[kBinRowsVariant1];
    BinRow binList23[kBinRowsVariant23];
};

// The model before any profile: the load-time tables, no papers in use.
const ModelState& LoadTimeModel();

// Row `index` of the master paper table as it is at load, before any
// profile: the papers' fixed sizes, codes and printable areas.
const PaperRow& LoadTimePaperRow(int index);

// The paper keywords and range of a driver variant: variant 1 knows A3 to
// LETTER and USER (keyword 8 becomes "USER", keyword 9 empty).
struct PaperRange {
    int32_t first;
    int32_t last;
    WCHAR keywords[kPaperKeywordCount][kPaperKeywordChars];
};
void PaperRangeOfVariant(int32_t driverVariant, PaperRange* range);

// The built-in keywords of the zoom and N-in-1 tables of a locale area
// (areas outside 0..3 count as 1), ended by an empty keyword.
const WCHAR (*BuiltInZoomKeywords(int32_t localeArea))[kPaperKeywordChars];
const WCHAR (*BuiltInNUpKeywords(int32_t localeArea))[kPaperKeywordChars];

// The bin list of the model's driver variant and its number of rows.
const BinRow* BinListOfModel(const ModelState& model, int* rows);

// Builds the model of `profile` into `model`, starting from the load-time
// tables each time: nothing of another profile stays behind.
void BuildModel(const ModelProfile& profile, ModelState* model);

#endif
