#include "settings/page_choices.h"

#include "profile/model_state.h"
#include "profile/paper_lookups.h"

namespace {

constexpr int16_t kFullSize = 100;
constexpr int16_t kQuality600 = -4;
constexpr int16_t kQuality300 = -3;

// The paper a layout prints on, its size in the header's custom fields.
void StoreTarget(const ModelState& model, int16_t code, DocumentSettings* s)
{
    s->scalingMode = 1;
    s->scalingValue = code;
    PaperSizeOfCode(model, s, code, &s->dmPaperWidth, &s->dmPaperLength);
}

}  // namespace

int32_t NUpCodeOf(int pagesPerSheet, int position)
{
    if (pagesPerSheet == 2)
        return position == 1 ? -2 : 2;
    static const int32_t kFourInOne[] = {4, -4, 5, -5};
    return kFourInOne[position >= 0 && position < 4 ? position : 0];
}

void StoreLayoutPaper(const ModelState& model, int16_t paperCode, DocumentSettings* settings)
{
    // Written whole even when the code is already there (variant 2 stores it
    // as it is chosen, and a reopened record holds no sizes): applying the
    // same choices again must write the same record.
    settings->dmPaperSize = paperCode;
    PaperSizeOfCode(model, settings, paperCode, &settings->dmPaperWidth, &settings->dmPaperLength);
    settings->dmFields |= paperCode < kUserPaperCode ? DM_PAPERSIZE : (DM_PAPERLENGTH | DM_PAPERWIDTH);
}

void StoreLayoutChoices(const ModelState& model, const LayoutChoices& c, DocumentSettings* settings)
{
    DocumentSettings& s = *settings;
    s.driverControlsSort = c.driverControlsSort;
    if (c.paperChosen)
        StoreLayoutPaper(model, c.paperCode, &s);
    if (c.sourceChosen && c.sourceCode != s.dmDefaultSource) {
        s.dmDefaultSource = c.sourceCode;
        s.dmFields |= DM_DEFAULTSOURCE;
    }
    if (c.orientation != s.dmOrientation) {
        s.dmOrientation = c.orientation;
        s.dmFields |= DM_ORIENTATION;
    }
    if (c.copies != s.dmCopies) {
        s.dmCopies = c.copies;
        s.dmFields |= DM_COPIES;
    }

    s.layoutMode = static_cast<int16_t>(c.layout);
    int16_t target = static_cast<int16_t>(model.paperDefault);
    if (c.layout == kLayoutMagnify && c.magnifyChosen)
        target = c.magnifyPaper;
    else if (c.layout != kLayoutZoom && c.layout != kLayoutMagnify && c.targetChosen)
        target = c.targetPaper;
    if (c.layout == kLayoutZoom)
        s.zoomPercent = c.zoom;
    // The Magnify and Target choices, whichever layout is in use: the list the
    // layout leaves disabled still shows its choice, which comes back when the
    // layout changes, and the page opens on the record with the same choice.
    if (c.magnifyChosen)
        s.magnifyPaper = c.magnifyPaper;
    if (c.targetChosen)
        s.nUpPaper = c.targetPaper;
    s.nUpPosition = c.position < 0 ? 0 : c.position;
    s.zoomEntry = c.zoom;

    if (c.layout == kLayoutZoom) {
        s.scalingMode = c.zoom == kFullSize ? 0 : 2;
        s.scalingValue = c.zoom;
        s.pagesPerSheetCode = 0;
    } else {
        StoreTarget(model, target, &s);
        s.pagesPerSheetCode = c.layout == kLayoutMagnify ? 1 : c.nUpCode;
    }
}

void StoreHandlingChoices(const ModelProfile& profile, const HandlingChoices& c, DocumentSettings* settings)
{
    DocumentSettings& s = *settings;
    // Without the order buttons (or the overlay list) the stored choice stays.
    if (profile.order == 0) {
        s.orderChoice = 1;
        s.reverseOrder = 0;
    } else if (c.orderShown) {
        s.orderChoice = c.orderNormal;
        s.reverseOrder = c.orderNormal == 1 ? 0 : 1;
    }

    if (c.sort != s.sorterMode) {
        s.sorterMode = c.sort;
        s.dmFields |= DM_COLLATE;
        s.dmCollate = 0;
        // A printer that sorts by itself leaves it to the driver only when
        // the user chose so on the Paper/Layout page.
        const bool printerSorts = profile.model == 3 && profile.control != 0;
        s.driverCollate = c.sort == 1 && (!printerSorts || s.driverControlsSort != 0) ? 1 : 0;
    }

    if (c.overlayShown)
        s.handlingListChoice = c.overlay;
    s.rotate = c.rotate;

    if (profile.driverVariant != 2)
        return;
    s.bindingMargin = c.bindingMargin;
    s.duplexBinding = c.duplexBinding;
    s.duplexOn = c.duplexOn;
    s.dmFields |= DM_DUPLEX;
    if (s.duplexOn != 1)
        s.dmDuplex = DMDUP_SIMPLEX;
    else
        s.dmDuplex = s.duplexBinding == kLongEdge ? DMDUP_VERTICAL : DMDUP_HORIZONTAL;
    s.staple = c.staple;
    s.booklet = 0;
    s.securityPrint = c.securityPrint;
    s.outputBin = c.outputBin;
    s.shift = c.shift;
}

void StoreQualityChoices(const ModelProfile& profile, bool withPrinter, const QualityChoices& c,
                         DocumentSettings* settings)
{
    DocumentSettings& s = *settings;
    if (profile.color == 1) {
        s.blackTextChoice = c.halftoneText ? 0 : 1;
        if (s.blackText != s.blackTextChoice) {
            if (withPrinter && profile.colorSwitch)
                s.colorCount = s.blackTextChoice == 1 ? 2 : 256;
            s.blackText = static_cast<int16_t>(s.blackTextChoice);
        }
    } else {
        s.blackText = 0;
    }

    const int16_t resolution = c.resolution600 ? kQuality600 : kQuality300;
    if (resolution != s.dmPrintQuality) {
        s.dmFields |= DM_PRINTQUALITY;
        s.dmPrintQuality = resolution;
        s.resolutionDpi = resolution == kQuality600 ? 600 : 300;
    }

    s.smoothing = c.smoothing ? 1 : 0;
    s.tonerSave = c.tonerSave ? 1 : 0;
    // Toner save prints TrueType text as graphics, except on variant 2.
    if (profile.driverVariant != 2 && s.tonerSave) {
        s.useDeviceFonts = 0;
        s.trueTypeAsGraphics = 1;
        s.dmFields |= DM_TTOPTION;
        s.dmTTOption = DMTT_BITMAP;
    }
}
