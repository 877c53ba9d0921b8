// The list of papers with display names and sizes that the Paper/Layout
// page shows.
#ifndef MARTENUI_PAPER_NAME_LIST_H
#define MARTENUI_PAPER_NAME_LIST_H

#include <windows.h>
#include <stdint.h>

#include "entry/holders.h"
#include "profile/model_profile.h"

constexpr int kPaperNameChars = 32;

struct PaperNameRow {
    WCHAR name[kPaperNameChars];   // display name from the resource library
    int16_t paperCode;
    int16_t width;                 // 0.1 mm
    int16_t length;                // 0.1 mm
    int16_t paperIndex;            // row in availablePapers
};

struct PaperNameList {
    PaperNameRow rows[kPaperKeywordCount];
    int16_t count;
};

// The user-defined paper size of the printer's default settings (its
// level-2 device mode) when that is a complete record of this driver with
// its choice block, else of freshly built defaults.
void ReferenceUserPaperSize(HANDLE printer, int16_t* width, int16_t* length);

// Rebuilds `list` for the printer from the applied model: the available
// papers, and last the user-defined size when the model offers it. Each
// caller (each open page) keeps its own list.
void BuildPaperNameList(HANDLE printer, PaperNameList* list);

#endif
