#include "job/pjl_header.h"

#include <stdarg.h>
#include <stdio.h>

#include "platform/driver_files.h"
#include "platform/resource_library.h"
#include "profile/device_options.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "../resources/resource_ids.h"

namespace {

constexpr char kUnknown[] = "Unknown";   // any value that has no name
constexpr char kSystemName[] = "NT4";
constexpr char kReleaseDate[] = "Apr 13 2003";
constexpr int kVersionChars = kProfileVersionChars;
constexpr int kPasswordBytes = 5;        // at most 4 bytes and the terminator
constexpr int kLineBytes = 1024;         // longer than any line can be

// A text being built in a fixed field of `capacity` bytes, terminator
// included. A line is appended whole or not at all; once a line does not
// fit, the text is closed, so that it always ends after its last whole line
// and never leaves a gap in the order of its lines.
struct FieldText {
    char* text;
    int capacity;
    int length;
    bool closed;
};

FieldText StartField(char* field, int capacity)
{
    ZeroMemory(field, capacity);
    return FieldText{field, capacity, 0, false};
}

bool AppendLine(FieldText* field, const char* format, ...)
{
    if (field->closed)
        return false;
    char line[kLineBytes];
    va_list arguments;
    va_start(arguments, format);
    const int length = vsnprintf(line, sizeof(line), format, arguments);
    va_end(arguments);
    if (length < 0 || length >= kLineBytes || field->length + length > field->capacity - 1) {
        field->closed = true;
        return false;
    }
    CopyMemory(field->text + field->length, line, length);
    field->length += length;
    field->text[field->length] = 0;
    return true;
}

const char* StapleParameter(const ModelState& model, int32_t index)
{
    if (index == 0 || index == 1)
        return model.stapleParams[index];
    return kUnknown;
}

const char* DuplexParameter(const ModelState& model, int32_t duplexOn, int32_t duplexBinding)
{
    if (duplexOn == 0)
        return model.duplexParams[0];
    if (duplexBinding == 1 || duplexBinding == 2)
        return model.duplexParams[duplexBinding];
    return kUnknown;
}

// The letter of the primary language of the user's default locale.
char LanguageLetter()
{
    switch (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()))) {
    case LANG_GERMAN: return 'G';
    case LANG_ENGLISH: return 'E';
    case LANG_SPANISH: return 'S';
    case LANG_FRENCH: return 'F';
    case LANG_ITALIAN: return 'I';
    case LANG_JAPANESE: return 'J';
    default: return 'O';
    }
}

// The driver's version: the resource library's text for variant 1, else the
// profile's [About] VERSION3, else the resource library's default text.
void VersionText(const PjlJobFacts& facts, int32_t driverVariant, char (&version)[kVersionChars])
{
    WCHAR text[kVersionChars] = {};
    if (driverVariant == 1) {
        LoadResourceString(IDS_VERSION_V1, text, kVersionChars);
    } else {
        if (facts.withPrinter)
            BoundedCopy(text, facts.profileVersion, kVersionChars);
        if (!text[0])
            LoadResourceString(IDS_VERSION_DEFAULT, text, kVersionChars);
    }
    NarrowCopy(version, text, kVersionChars);
}

// The available paper that the header names: the printed paper for zoom,
// the target paper for magnify and N-in-1, else the first of the list.
// Null when that paper is not among the papers in use.
const PaperRow* ChosenPaper(const ModelState& model, const DocumentSettings& record)
{
    switch (record.layoutMode) {
    case 0: return AvailablePaperRowOfCode(model, record.dmPaperSize);
    case 1: return AvailablePaperRowOfCode(model, record.magnifyPaper);
    case 2:
    case 3: return AvailablePaperRowOfCode(model, record.nUpPaper);
    default: return model.enabledPaperCount > 0 ? &model.availablePapers[0] : nullptr;
    }
}

void AppendFinishingLines(FieldText* header, const ModelState& model, const PjlJobFacts& facts,
                          const DocumentSettings& record)
{
    // All zero when the printer has none; the built-in defaults without one.
    const DeviceOptionData installed = facts.withPrinter ? facts.installed : DefaultDeviceOptions(model);

    // Security print and its password.
    const bool security = model.security != 0 && (model.reserve == 0 || installed.memoryIndex != 0) &&
                          installed.securityPrint != 0 && record.securityPrint != 0;
    char password[kPasswordBytes] = {};
    if (security) {
        WCHAR wide[kPasswordBytes];
        CopyMemory(wide, installed.securityPassword, sizeof(wide));
        wide[kPasswordBytes - 1] = 0;   // a stored record may lack the terminator
        NarrowCopy(password, wide, kPasswordBytes);
    }
    AppendLine(header, "@PJL SET SECURITY=%s\r\n", security ? PjlOnOffName(installed.securityPrint) : "OFF");
    AppendLine(header, "@PJL SET JOBPASSWORD=%s\r\n", password);

    // Output bin, offset stacking.
    int16_t bin = record.outputBin;
    if (!IsOutputBinValid(bin, installed.innerTray, installed.outerTray, installed.finisher))
        bin = 0;
    const bool finisherBin = installed.finisher != 0 && bin == 3;
    AppendLine(header, "@PJL SET SHIFT=%s\r\n", finisherBin ? PjlOnOffName(record.shift) : "OFF");
    AppendLine(header, "@PJL SET OUTBIN=%s\r\n", PjlOutputBinName(bin));

    if (model.tonerSave != 0)
        AppendLine(header, "@PJL SET TONERSAVE=%s\r\n", PjlOnOffName(record.tonerSave));
    if (model.staple != 0)
        AppendLine(header, "%s=%s\r\n", model.stapleCommand, StapleParameter(model, finisherBin ? record.staple : 0));
    if (model.duplex != 0) {
        const bool unit = installed.duplexUnit != 0;
        AppendLine(header, "%s=%s\r\n", model.duplexCommand,
                   unit ? DuplexParameter(model, record.duplexOn, record.duplexBinding) : model.duplexParams[0]);
        AppendLine(header, "@PJL SET BINDINGMARGIN=%s\r\n", unit ? PjlOnOffName(record.bindingMargin) : "OFF");
    }
    if (model.model == 3 && model.control != 0 && record.driverControlsSort == 0)
        AppendLine(header, "@PJL SET SORTER=%s\r\n", PjlSorterName(record.sorterMode));
}

}  // namespace

const char* PjlOnOffName(int32_t value)
{
    switch (value) {
    case 0: return "OFF";
    case 1: return "ON";
    default: return kUnknown;
    }
}

const char* PjlOrientationName(int16_t orientation)
{
    switch (orientation) {
    case DMORIENT_PORTRAIT: return "PORTRAIT";
    case DMORIENT_LANDSCAPE: return "LANDSCAPE";
    default: return kUnknown;
    }
}

const char* PjlSourceName(int16_t source)
{
    switch (source) {
    case 1025: return "AUTO";
    case 1026: return "MANUAL";
    case 1034: return "TRAY1";
    case 1035: return "TRAY2";
    case 1036: return "TRAY3";
    case 1037: return "TRAY4";
    default: return kUnknown;
    }
}

const char* PjlOutputBinName(int16_t bin)
{
    switch (bin) {
    case 0: return "AUTO";
    case 1: return "OUTBIN1";
    case 2: return "OUTBIN2";
    case 3: return "OUTBIN3";
    default: return kUnknown;
    }
}

const char* PjlSorterName(int32_t sorterMode)
{
    switch (sorterMode) {
    case 0: return "STACK";
    case 1: return "SORT";
    default: return kUnknown;
    }
}

int IsOutputBinValid(int16_t bin, int32_t innerTray, int32_t outerTray, int32_t finisher)
{
    const bool inner = innerTray != 0;
    const bool outer = outerTray != 0;
    const bool finishing = finisher != 0;
    if (bin < 0 || bin > 3)
        return 0;
    // An outer tray needs an inner tray, and excludes a finisher.
    if (outer && (!inner || finishing))
        return 0;
    // Without an inner tray: the automatic bin, and bin 3 with a finisher.
    if (!inner)
        return (bin == 0 || (finishing && bin == 3)) ? 1 : 0;
    // An inner tray alone: the automatic bin and the two inner trays.
    if (!outer && !finishing)
        return bin <= 2 ? 1 : 0;
    return 1;
}

void ComposePjlHeader(const ModelState& model, const PjlJobFacts& facts, DocumentSettings* record)
{
    if (!record)
        return;
    DocumentSettings& s = *record;

    // 1. and 2. Job identification.
    char version[kVersionChars];
    VersionText(facts, model.driverVariant, version);
    FieldText identification = StartField(s.jobIdentification, kJobIdentificationBytes);
    AppendLine(&identification, "%s %c%d %s %s", kSystemName, LanguageLetter(), static_cast<int>(model.driverVariant),
               version, kReleaseDate);

    // 3. Header: first the job file that the document events write, named
    // exactly when they can write it.
    FieldText header = StartField(s.pjlHeader, kPjlHeaderBytes);
    if (facts.jobFileFound)
        AppendLine(&header, "@PJL SET VKPJLFILE=%s\n", facts.jobFile);

    const PaperRow* paper = ChosenPaper(model, s);
    AppendLine(&header, "%s=%s\r\n", model.paperCommand, paper ? paper->pjlName : kUnknown);
    AppendLine(&header, "@PJL SET ORIENTATION=%s\r\n", PjlOrientationName(s.dmOrientation));
    AppendLine(&header, "@PJL SET MEDIASOURCE=%s\r\n", PjlSourceName(s.dmDefaultSource));
    if (model.rotate != 0)
        AppendLine(&header, "@PJL SET ROTATE=%s\r\n", (paper && paper->rotatable) ? PjlOnOffName(s.rotate) : "OFF");
    AppendLine(&header, "@PJL SET RESOLUTION=%d\r\n", s.resolutionDpi == 600 ? 600 : 300);
    if (model.smoothing != 0)
        AppendLine(&header, "@PJL SET SMOOTH=%s\r\n", PjlOnOffName(s.smoothing));
    if (model.driverVariant == 2)
        AppendFinishingLines(&header, model, facts, s);

    // 4. Trailer.
    FieldText trailer = StartField(s.pjlTrailer, kPjlTrailerBytes);
    AppendLine(&trailer, "@PJL EOJ\r\n");
}
