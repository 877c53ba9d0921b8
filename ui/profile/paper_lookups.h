// Small questions about papers and bins, answered from a model value.
#ifndef MARTENUI_PAPER_LOOKUPS_H
#define MARTENUI_PAPER_LOOKUPS_H

#include <windows.h>
#include <stdint.h>

#include "profile/model_state.h"

struct DocumentSettings;

// Kinds of PaperRatio.
constexpr int kRatioMagnify = 0;
constexpr int kRatioTwoInOne = 1;
constexpr int kRatioFourInOne = 2;

// A target paper is offered when its ratio lies in this range.
constexpr int kMinimumRatio = 25;
constexpr int kMaximumRatio = 400;

// The papers offered, in the order that the capability answers and the
// paper name list give them: the first PapersBeforeUserSize() rows of
// availablePapers, then the user-defined size when UserPaperOffered(): its
// row (at lastPaperIndex) is enabled and the model has papers in use.
bool UserPaperOffered(const ModelState& model);
int PapersBeforeUserSize(const ModelState& model);

// The first of the enabledPaperCount rows of availablePapers with this code,
// or null when no row in use holds it.
const PaperRow* AvailablePaperRowOfCode(const ModelState& model, int16_t paperCode);

// Row index in availablePapers of the first row in use with this code; 0
// (the first available paper) when none has it.
int AvailablePaperOfCode(const ModelState& model, int16_t paperCode);

// Keyword index 0..25 of the first paperTable row with this code, or -1.
int KeywordIndexOfCode(const ModelState& model, int16_t paperCode);

// Width and length (0.1 mm) of a paper in use. With settings, code 256
// answers the settings' user-defined size. False, and both 0, when no row
// in use holds the code.
bool PaperSizeOfCode(const ModelState& model, const DocumentSettings* settings, int16_t paperCode, int16_t* width,
                     int16_t* length);

// How much (percent) a page of the source paper is scaled onto the target
// for the kind: magnify, two in one or four in one. 0 when either paper is
// not in use (or has no size), so such a target is never offered.
int PaperRatio(const ModelState& model, int kind, int16_t sourceCode, int16_t targetCode);

// Which papers (bit i = keyword index i) a paper of this keyword index may be
// zoomed or printed N-in-1 onto in the locale area; 0 outside the papers in
// use, for a keyword the area's table lacks, or for an unknown area.
uint32_t ZoomTargetMask(const ModelState& model, int keywordIndex, int32_t localeArea);
uint32_t NUpTargetMask(const ModelState& model, int keywordIndex, int32_t localeArea);

// The paper source code (dmDefaultSource) of a row of the driver variant's
// bin list; the automatic tray's code for a row the list does not have.
int16_t SourceCodeOfRow(const ModelState& model, int row);

// The bin rows in use for this many installed trays: the first
// fixedBinCount + trayCount rows of the variant's list, never more rows
// than the list holds and never fewer than none.
int BinRowsInUse(const ModelState& model, int32_t trayCount);

constexpr int16_t kBinCodeAuto = 1025;

#endif
