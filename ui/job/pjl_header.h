// The PJL texts that the rendering module sends ahead of and after a job:
// the job identification line, the "@PJL SET" job header and the trailer,
// written into the render block of a settings record.
#ifndef MARTENUI_PJL_HEADER_H
#define MARTENUI_PJL_HEADER_H

#include <windows.h>
#include <stdint.h>

#include "profile/device_options.h"
#include "settings/document_settings.h"

// What the header takes from outside the model state, gathered before the
// header is composed: the job file's name, the profile's version text and
// the printer's installed options.
constexpr int kProfileVersionChars = 32;   // at most 31 characters

struct PjlJobFacts {
    bool withPrinter;             // false: the built-in default options count
    bool jobFileFound;
    char jobFile[MAX_PATH];       // system code page, at most 259 bytes
    WCHAR jobPath[MAX_PATH];      // the same file, for the document events
    WCHAR profileVersion[kProfileVersionChars];     // [About] VERSION3 of the profile; may be empty
    DeviceOptionData installed;   // zero-filled when the printer has none
};

// Fills jobIdentification, pjlHeader and pjlTrailer of `record` from the
// record, the applied model and the facts gathered already (the printer's
// installed options, or the built-in default options for no printer). Each
// text stays within its field and terminated: the header ends after the
// last line that fits whole, and no later line is added.
struct ModelState;
void ComposePjlHeader(const ModelState& model, const PjlJobFacts& facts, DocumentSettings* record);

// The names the header gives values, and "Unknown" to any other value: on
// and off, orientation (dmOrientation), paper source (dmDefaultSource),
// output bin and sorter mode.
const char* PjlOnOffName(int32_t value);
const char* PjlOrientationName(int16_t orientation);
const char* PjlSourceName(int16_t source);
const char* PjlOutputBinName(int16_t bin);
const char* PjlSorterName(int32_t sorterMode);

// 1 when output bin 0..3 (auto, inner 1, inner 2, outer or finisher) can be
// used with the installed output options, else 0.
int IsOutputBinValid(int16_t bin, int32_t innerTray, int32_t outerTray, int32_t finisher);

#endif
