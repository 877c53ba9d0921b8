#include "settings/finalize_settings.h"

#include "job/pjl_header.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"

namespace {

// The paper sizes go into the header's custom-size fields; the paper is
// named by its code when it is a platform paper, else by those sizes.
void MarkPaperFields(DocumentSettings* s)
{
    s->dmFields |= s->dmPaperSize < kUserPaperCode ? DM_PAPERSIZE : (DM_PAPERLENGTH | DM_PAPERWIDTH);
}

// A paper that is not among the papers in use has no size: both are 0.
void PutPrintedPaperSize(const ModelState& model, DocumentSettings* s)
{
    PaperSizeOfCode(model, s, s->dmPaperSize, &s->dmPaperWidth, &s->dmPaperLength);
}

void Scale(const ModelState& model, DocumentSettings* s)
{
    switch (s->layoutMode) {
    case 0:
        if (s->zoomPercent == 100) {
            s->scalingMode = 0;
        } else {
            s->scalingMode = 2;
            s->scalingValue = s->zoomPercent;
        }
        PutPrintedPaperSize(model, s);
        PaperSizeOfCode(model, s, s->dmPaperSize, &s->targetPaperWidth, &s->targetPaperLength);
        break;
    case 1:
    case 2:
    case 3:
        s->scalingMode = 1;
        s->scalingValue = s->layoutMode == 1 ? s->magnifyPaper : s->nUpPaper;
        PaperSizeOfCode(model, s, s->scalingValue, &s->targetPaperWidth, &s->targetPaperLength);
        PutPrintedPaperSize(model, s);
        break;
    default:
        return;
    }
    MarkPaperFields(s);
}

}  // namespace

bool IsCompleteSettingsRecord(const void* record, size_t recordBytes)
{
    if (!record || recordBytes < kSettingsBytes)
        return false;
    const auto* s = static_cast<const DocumentSettings*>(record);
    return s->dmSize == kSettingsHeaderBytes && s->dmDriverExtra == kSettingsPrivateBytes;
}

void FinalizeForPrinting(const ModelState& model, void* record, size_t recordBytes, const PjlJobFacts& facts)
{
    if (!IsCompleteSettingsRecord(record, recordBytes))
        return;
    DocumentSettings& s = *static_cast<DocumentSettings*>(record);

    // 1. The resolution of a platform quality code.
    if (s.dmPrintQuality >= DMRES_HIGH && s.dmPrintQuality <= DMRES_DRAFT)
        s.resolutionDpi = s.dmPrintQuality == DMRES_HIGH ? 600 : 300;

    // 2. The PJL texts.
    ComposePjlHeader(model, facts, &s);

    // 3. Scaling and the paper sizes.
    Scale(model, &s);

    // 4. Render parameters the rendering side expects cleared.
    s.renderParamB = 0;
    s.renderWordTable[kRenderWordCount - 1] = 0;

    // 5. With a printer that offers the choice, the printer sorts unless the
    // user gave sorting to the driver.
    s.driverCollate = s.sorterMode == 1 ? 1 : 0;
    if (model.model == 3 && model.control != 0 && s.driverControlsSort == 0)
        s.driverCollate = 0;

    // 6. Booklets are sorted, collated and printed short-edge duplex.
    if (model.driverVariant == 2) {
        s.bookletOutput = s.booklet;
        if (s.booklet != 0) {
            s.pagesPerSheetCode = 2;
            s.scalingMode = 1;
            s.driverCollate = 1;
            s.dmCollate = DMCOLLATE_TRUE;
            s.dmFields |= DM_COLLATE;
            s.dmDuplex = DMDUP_HORIZONTAL;
            s.dmFields |= DM_DUPLEX;
        }
    }

    // 7. Device-font substitution follows the TrueType option.
    s.substituteFontValue = s.dmTTOption == DMTT_SUBDEV ? 45 : 0;
    s.renderReserved = 0;

    // 8. The model's memory code.
    s.memoryCode = (model.memory >= 1 && model.memory <= 4) ? model.memory : 2;

    // 9. The marks of a finalized record.
    s.renderFlagWord = 0x40000000;
    s.renderFinalMark = 1;
    s.choiceMagic = kChoiceMagic;

    // 10. Toner save by the driver prints TrueType as graphics.
    if (model.driverVariant == 2) {
        s.tonerSaveByDriver = 0;
    } else {
        s.tonerSaveByDriver = s.tonerSave;
        if (s.tonerSave != 0) {
            s.trueTypeAsGraphics = 1;
            s.dmTTOption = DMTT_BITMAP;
        }
    }
}
