// The PJL texts that the rendering module sends ahead of and after a job:
// the job identification line, the "@PJL SET" job header and the trailer,
// written into the render block of a settings record.
#ifndef MARTENUI_PJL_HEADER_H
#define MARTENUI_PJL_HEADER_H

#include <windows.h>
#include <stdint.h>

#include "settings/document_settings.h"

// Fills jobIdentification, pjlHeader and pjlTrailer of `record` from the
// record, the applied model and the printer's installed options (the
// built-in default options without a printer). Each text stays within its
// field and terminated: the header ends after the last line that fits whole,
// and no later line is added.
void BuildPjlHeader(HANDLE printer, DocumentSettings* record);

// 1 when output bin 0..3 (auto, inner 1, inner 2, outer or finisher) can be
// used with the installed output options, else 0.
int IsOutputBinValid(int16_t bin, int32_t innerTray, int32_t outerTray, int32_t finisher);

#endif
