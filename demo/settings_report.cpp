#include "settings_report.h"

#include <cstdio>
#include <cstring>

#include "platform/resource_library.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "report_text.h"

namespace {

void Meaning(const char* name, long long value, const char* meaning)
{
    printf("  %-26s %lld (%s)\n", name, value, meaning);
}

void PaperField(const ModelState& model, const char* name, int16_t code)
{
    const PaperRow* row = AvailablePaperRowOfCode(model, code);
    WCHAR paperName[64] = {};
    if (row)
        LoadResourceString(static_cast<UINT>(row->nameStringId), paperName, 64);
    printf("  %-26s %d (%s)\n", name, code, row ? Utf8(paperName).c_str() : "not offered by this model");
}

const char* SourceName(const ModelState& model, int16_t code)
{
    int rows = 0;
    const BinRow* bins = BinListOfModel(model, &rows);
    for (int row = 0; row < rows; ++row) {
        if (bins[row].binCode == code)
            return bins[row].pjlName;
    }
    return "unknown";
}

const char* OnOff(int32_t value)
{
    return value ? "on" : "off";
}

// One text with its line ends shown as \r and \n.
void TextLines(const char* name, const char* text, int capacity)
{
    printf("  %s (%d of at most %d bytes)\n", name, static_cast<int>(strlen(text)), capacity - 1);
    bool lineOpen = false;
    for (const char* at = text; *at; ++at) {
        if (!lineOpen) {
            printf("    ");
            lineOpen = true;
        }
        if (*at == '\r') {
            printf("\\r");
        } else if (*at == '\n') {
            printf("\\n\n");
            lineOpen = false;
        } else {
            putchar(*at);
        }
    }
    if (lineOpen)
        printf("\n");
}

}  // namespace

void ReportDefaultSettings(const ModelState& model, const DocumentSettings& s)
{
    Heading("Default document settings (DocumentSettings record, 4088 bytes)");
    Field("dmDeviceName", s.dmDeviceName);
    Field("dmSize + dmDriverExtra", static_cast<long long>(s.dmSize) + s.dmDriverExtra);
    Meaning("dmOrientation", s.dmOrientation, s.dmOrientation == 2 ? "landscape" : "portrait");
    PaperField(model, "dmPaperSize", s.dmPaperSize);
    Field("dmCopies", s.dmCopies);
    Meaning("dmDefaultSource", s.dmDefaultSource, SourceName(model, s.dmDefaultSource));
    Meaning("dmPrintQuality", s.dmPrintQuality, s.dmPrintQuality == -4 ? "600 dpi" : "300 dpi");
    Field("resolutionDpi", s.resolutionDpi);
    Meaning("dmDuplex", s.dmDuplex, s.dmDuplex == 0 ? "not chosen yet" : s.dmDuplex == 1 ? "simplex" : "duplex");
    Meaning("dmTTOption", s.dmTTOption,
            s.dmTTOption == 3 ? "substitute device fonts" : s.dmTTOption == 2 ? "download" : "as bitmap");
    Meaning("dmCollate", s.dmCollate, OnOff(s.dmCollate));
    Meaning("layoutMode", s.layoutMode, "0 zoom, 1 magnify, 2 two in one, 3 four in one");
    Field("zoomPercent", s.zoomPercent);
    PaperField(model, "magnifyPaper", s.magnifyPaper);
    PaperField(model, "nUpPaper", s.nUpPaper);
    printf("  %-26s %d x %d (0.1 mm)\n", "userPaperWidth x Length", s.userPaperWidth, s.userPaperLength);
    Meaning("sorterMode", s.sorterMode, s.sorterMode ? "sort" : "stack");
    Meaning("driverControlsSort", s.driverControlsSort, s.driverControlsSort ? "driver" : "printer");
    Meaning("reverseOrder", s.reverseOrder, OnOff(s.reverseOrder));
    Meaning("outputBin", s.outputBin, s.outputBin == 0 ? "automatic" : "chosen bin");
    Meaning("staple", s.staple, "staple parameter index");
    Meaning("duplexOn", s.duplexOn, OnOff(s.duplexOn));
    Meaning("duplexBinding", s.duplexBinding, s.duplexBinding == 2 ? "short edge" : "long edge");
    Meaning("bindingMargin", s.bindingMargin, OnOff(s.bindingMargin));
    Meaning("rotate", s.rotate, OnOff(s.rotate));
    Meaning("smoothing", s.smoothing, OnOff(s.smoothing));
    Meaning("tonerSave", s.tonerSave, OnOff(s.tonerSave));
    Meaning("securityPrint", s.securityPrint, OnOff(s.securityPrint));
    Meaning("useDeviceFonts", s.useDeviceFonts, s.useDeviceFonts ? "printer fonts" : "TrueType fonts");
    Meaning("blackText", s.blackText, OnOff(s.blackText));
    Field("colorCount", s.colorCount);
    Field("trayCountSnapshot", s.trayCountSnapshot);
}

void ReportPjlTexts(const DocumentSettings& s)
{
    Heading("PJL texts of the default settings, finalized for printing on the printer");
    Field("jobIdentification", s.jobIdentification);
    TextLines("pjlHeader", s.pjlHeader, kPjlHeaderBytes);
    TextLines("pjlTrailer", s.pjlTrailer, kPjlTrailerBytes);
}
