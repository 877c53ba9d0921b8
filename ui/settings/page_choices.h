// The document pages' choices written into a settings record: what each
// page stores at apply, as values rather than controls, so that the pages
// and the job preview store a choice the same way.
#ifndef MARTENUI_PAGE_CHOICES_H
#define MARTENUI_PAGE_CHOICES_H

#include <windows.h>
#include <stdint.h>

#include "profile/model_profile.h"
#include "settings/document_settings.h"

struct ModelState;

// Layout modes, as layoutMode stores them.
constexpr int kLayoutZoom = 0;
constexpr int kLayoutMagnify = 1;
constexpr int kLayoutTwoInOne = 2;
constexpr int kLayoutFourInOne = 3;

// Flipping directions, as duplexBinding stores them.
constexpr int16_t kLongEdge = 1;
constexpr int16_t kShortEdge = 2;

// The Paper/Layout page's choices. A list without a choice leaves the
// record's value; copies and zoom are within their up-downs' ranges.
struct LayoutChoices {
    bool paperChosen;
    int16_t paperCode;
    bool sourceChosen;
    int16_t sourceCode;
    int16_t orientation;          // DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE
    int16_t copies;
    int layout;                   // kLayoutZoom .. kLayoutFourInOne
    int16_t zoom;
    bool magnifyChosen;
    int16_t magnifyPaper;
    bool targetChosen;
    int16_t targetPaper;
    int16_t position;             // the Position list's index
    int32_t nUpCode;              // pagesPerSheetCode of N in 1 and position
    int32_t driverControlsSort;
};

// pagesPerSheetCode of 2 or 4 pages per sheet and a Position index.
int32_t NUpCodeOf(int pagesPerSheet, int position);

// The paper with its size and field bits: a user paper never stands in the
// record without them.
void StoreLayoutPaper(const ModelState& model, int16_t paperCode, DocumentSettings* settings);

void StoreLayoutChoices(const ModelState& model, const LayoutChoices& choices, DocumentSettings* settings);

// The Handling page's choices. The variant 2 choices are stored only for
// driver variant 2, whose template holds them.
struct HandlingChoices {
    bool orderShown;              // the order buttons exist
    int32_t orderNormal;
    int32_t sort;                 // 0 stack, 1 sort
    bool overlayShown;            // the overlay list exists
    int16_t overlay;
    int32_t rotate;
    int32_t bindingMargin;
    int16_t duplexBinding;
    int32_t duplexOn;
    int16_t staple;
    int32_t securityPrint;
    int16_t outputBin;
    int32_t shift;
};

void StoreHandlingChoices(const ModelProfile& profile, const HandlingChoices& choices, DocumentSettings* settings);

// The Quality page's choices. `withPrinter`: the sheet has a printer, whose
// colour switch then follows the text colour.
struct QualityChoices {
    bool halftoneText;
    bool resolution600;
    bool smoothing;
    bool tonerSave;
};

void StoreQualityChoices(const ModelProfile& profile, bool withPrinter, const QualityChoices& choices,
                         DocumentSettings* settings);

#endif
