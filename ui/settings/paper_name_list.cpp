#include "settings/paper_name_list.h"

#include "facts/printer_call.h"
#include "platform/resource_library.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "settings/default_settings.h"
#include "../resources/resource_ids.h"

void ReferenceUserPaperSize(PrinterCall* call, int16_t* width, int16_t* length)
{
    const DocumentSettings* settings = CallPrinter(call) ? FetchPrinterSettings(call) : nullptr;
    *width = settings ? settings->userPaperWidth : kDefaultUserPaperWidth;
    *length = settings ? settings->userPaperLength : kDefaultUserPaperLength;
}

void BuildPaperNameList(const ModelState& model, int16_t userWidth, int16_t userLength, PaperNameList* list)
{
    if (!list)
        return;
    ZeroMemory(list, sizeof(*list));
    const int listed = PapersBeforeUserSize(model);
    for (int i = 0; i < listed; ++i) {
        const PaperRow& paper = model.availablePapers[i];
        PaperNameRow& row = list->rows[list->count++];
        LoadResourceString(static_cast<UINT>(paper.nameStringId), row.name, kPaperNameChars);
        row.paperCode = paper.paperCode;
        row.width = paper.width;
        row.length = paper.length;
        row.paperIndex = static_cast<int16_t>(i);
    }
    if (UserPaperOffered(model)) {
        PaperNameRow& row = list->rows[list->count++];
        LoadResourceString(IDS_PAPER_USER, row.name, kPaperNameChars);
        row.paperCode = kUserPaperCode;
        row.width = userWidth;
        row.length = userLength;
        row.paperIndex = static_cast<int16_t>(listed);
    }
}
