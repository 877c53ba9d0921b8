#include "settings/default_settings.h"

#include "job/pjl_header.h"
#include "profile/model_state.h"
#include "settings/record_name.h"

namespace {

constexpr WCHAR kFixedPitchDeviceFont[] = L"CourierSWC";
constexpr WCHAR kProportionalDeviceFont[] = L"Swiss721SWM";
constexpr char kPjlTrailer[] = "@PJL EOJ\r\n";
constexpr int16_t kRenderWords[kRenderWordCount] = {0, 1025, -1, 0, 0, 1, 0, 0, 1025, -1, 0, 0, 0, 1025, -1, 0, 0, 0};

template <typename Char, size_t N, size_t M>
constexpr void CopyText(Char (&field)[N], const Char (&text)[M])
{
    static_assert(M <= N, "the text fits its field with its terminator");
    for (size_t i = 0; i < M; ++i)
        field[i] = text[i];
}

// The record before any model is known: the model-independent defaults,
// and placeholders that BuildDefaultSettings replaces. Everything from
// offset 1740 on is zero: there is no choice block yet.
constexpr DocumentSettings LoadTimeTemplate()
{
    DocumentSettings s{};
    // Public header.
    // dmDeviceName: the printer's, put in by BuildDefaultSettings
    s.dmSpecVersion = kSettingsSpecVersion;          // 0x0401
    s.dmDriverVersion = kSettingsDriverVersion;      // 0x080F
    s.dmSize = kSettingsHeaderBytes;                 // 220
    s.dmDriverExtra = kSettingsPrivateBytes;         // 3868
    s.dmFields = kSettingsFields;                    // orientation, paper, copies, source, quality, duplex,
                                                     // Y resolution, TrueType option, collate
    s.dmOrientation = DMORIENT_PORTRAIT;             // 1
    s.dmPaperSize = 1;                               // placeholder: the model's default paper
    s.dmPaperLength = 0;                             // no custom size
    s.dmPaperWidth = 0;
    s.dmScale = 0;                                   // never used: the driver scales itself
    s.dmCopies = 1;
    s.dmDefaultSource = 1025;                        // automatic tray selection
    s.dmPrintQuality = -3;                           // placeholder: -4 for a 600 dpi model
    s.dmColor = 1;
    s.dmDuplex = DMDUP_SIMPLEX;                      // 1: flagged, so valid; the pages write 1, 2 or 3
    s.dmYResolution = -3;                            // as dmPrintQuality
    s.dmTTOption = DMTT_SUBDEV;                      // 3: substitute device fonts
    s.dmCollate = 0;
    // dmFormName: empty
    s.dmLogPixels = static_cast<WORD>(-3);           // as dmPrintQuality
    s.dmBitsPerPel = 1;
    s.dmPelsWidth = 5100;
    s.dmPelsHeight = 6600;
    // dmDisplayFlags .. dmPanningHeight: 0

    // Render block.
    s.privateSignature = kPrivateSignature;          // marks the private extension
    s.substituteFontValue = 0;                       // placeholder: 45 once built
    s.renderReserved = 0;
    CopyText(s.fixedPitchDeviceFont, kFixedPitchDeviceFont);
    CopyText(s.proportionalDeviceFont, kProportionalDeviceFont);
    s.renderParamA = 10;                             // opaque to this library
    s.renderParamB = 0;
    s.memoryCode = 2;                                // until finalized: the model's memory
    s.resolutionDpi = 300;                           // placeholder: 600 for a 600 dpi model
    s.driverCollate = 0;                             // the printer sorts
    s.scalingMode = 0;                               // no scaling
    s.scalingValue = 0;                              // placeholder: the default paper
    s.targetPaperLength = 0;
    s.targetPaperWidth = 0;
    s.bookletOutput = 0;
    s.pagesPerSheetCode = 1;                         // one page per sheet (magnify code)
    // renderTextLong, renderTextShort: empty, opaque to this library
    s.renderParamC = 4400;                           // opaque to this library
    s.renderParamD = 3400;                           // opaque to this library
    for (int i = 0; i < kRenderWordCount; ++i)
        s.renderWordTable[i] = kRenderWords[i];      // opaque to this library
    // jobIdentification, pjlHeader: built with the defaults
    CopyText(s.pjlTrailer, kPjlTrailer);
    // blackText, colorCount, reverseOrder, renderFlagWord and the whole
    // choice block: zero until built.
    return s;
}

constexpr DocumentSettings kLoadTimeSettings = LoadTimeTemplate();

int16_t ResolutionCode(int32_t resolution)
{
    return resolution != 0 ? DMRES_HIGH : DMRES_MEDIUM;   // -4 (600 dpi) or -3 (300 dpi)
}

// The profile's colour and output-order options.
void ApplyProfileColourOptions(const ModelProfile& profile, DocumentSettings* s)
{
    s->blackText = profile.blackText;
    s->colorCount = profile.supportColors;
    if (profile.colorSwitch != 0)
        s->colorCount = profile.blackText != 0 ? 2 : 256;
    s->reverseOrder = (profile.order != 0 && profile.orderDefault != 0) ? 1 : 0;
    s->blackTextChoice = profile.blackText;
    s->orderChoice = s->reverseOrder ? 0 : 1;
}

}  // namespace

int16_t DefaultPaperOf(int32_t paperDefault)
{
    return paperDefault != 0 ? static_cast<int16_t>(paperDefault) : 1;
}

void BuildDefaultSettings(const ModelState& model, const WCHAR* printerName, const ModelProfile* profile,
                          const PjlJobFacts& facts, DocumentSettings* output)
{
    const int16_t defaultPaper = DefaultPaperOf(model.paperDefault);
    const bool reverseOrder = model.order != 0 && model.orderDefault != 0;

    // Every field the steps below do not set keeps its load-time value.
    DocumentSettings& next = *output;
    next = kLoadTimeSettings;

    // 1. The printer's name.
    PutPrinterName(&next, printerName);

    // 2. and 3. Header: the constants are the load-time ones.
    next.dmPaperSize = defaultPaper;
    next.dmPrintQuality = ResolutionCode(model.resolution);
    next.dmYResolution = next.dmPrintQuality;
    next.dmLogPixels = static_cast<WORD>(next.dmPrintQuality);

    // 4. Render block.
    next.resolutionDpi = model.resolution != 0 ? 600 : 300;
    next.substituteFontValue = 45;
    next.renderReserved = 0;
    next.scalingValue = defaultPaper;
    next.pagesPerSheetCode = 1;
    next.blackText = 1;
    next.colorCount = 2;
    next.reverseOrder = reverseOrder ? 1 : 0;
    next.renderFlagWord = 0x40000000;

    // 5. Choice block; every field not named here is zero.
    next.choiceMagic = kChoiceMagic;
    next.trueTypeAsGraphics = 0;
    next.zoomEntry = 100;
    next.sorterMode = 0;                       // stack
    next.orderChoice = reverseOrder ? 0 : 1;
    next.tonerSaveByDriver = 0;
    next.choiceParamA = 24;                    // opaque to this library
    for (int16_t& value : next.choiceParamTriple)
        value = 10000;                         // opaque to this library
    next.choiceParamB = 10000;                 // opaque to this library
    next.trayCountSnapshot = static_cast<int16_t>(model.defaultTrayCount);
    next.userPaperWidth = kDefaultUserPaperWidth;   // A4 until the user sets a size
    next.userPaperLength = kDefaultUserPaperLength;
    next.userPaperMetric = 1;
    next.userSizeUnit = 1;
    next.zoomPercent = 100;
    next.nUpPosition = 0;
    next.magnifyPaper = defaultPaper;
    next.layoutMode = 0;                       // zoom
    next.nUpPaper = defaultPaper;
    next.choiceParamC = 1;                     // opaque to this library
    next.useDeviceFonts = 1;
    next.duplexBinding = 1;                    // long edge
    next.bookletPaper = defaultPaper;
    next.blackTextChoice = 1;

    // 6. The PJL texts, without a printer.
    ComposePjlHeader(model, facts, &next);

    // The profile's colour options.
    if (profile)
        ApplyProfileColourOptions(*profile, &next);
}
