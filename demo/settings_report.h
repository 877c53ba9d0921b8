// The demo's report of a printer's default document settings and of the PJL
// texts they carry once finalized for printing.
#ifndef MARTENUI_DEMO_SETTINGS_REPORT_H
#define MARTENUI_DEMO_SETTINGS_REPORT_H

#include "settings/document_settings.h"

// The fields a user chooses, by name, with what their values mean.
struct ModelState;
void ReportDefaultSettings(const ModelState& model, const DocumentSettings& settings);

// The job identification, header and trailer, one line each, with the line
// ends shown.
void ReportPjlTexts(const DocumentSettings& settings);

#endif
