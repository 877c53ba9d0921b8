#include "settings/paper_name_list.h"

#include "entry/model_lock.h"
#include "entry/printer_access.h"
#include "entry/resource_library.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "settings/default_settings.h"
#include "../resources/resource_ids.h"

void ReferenceUserPaperSize(HANDLE printer, int16_t* width, int16_t* length)
{
    PrinterCall call;
    call.printer = printer;
    const DocumentSettings* settings = printer ? FetchPrinterSettings(&call) : nullptr;
    *width = settings ? settings->userPaperWidth : kDefaultUserPaperWidth;
    *length = settings ? settings->userPaperLength : kDefaultUserPaperLength;
}

void BuildPaperNameList(HANDLE printer, PaperNameList* list)
{
    if (!list)
        return;
    // The printer's user size is read before the lock is taken.
    int16_t userWidth = 0;
    int16_t userLength = 0;
    ReferenceUserPaperSize(printer, &userWidth, &userLength);

    ModelLockHolder lock;
    const ModelState& model = Model();
    ZeroMemory(list, sizeof(*list));
    const int listed = PapersBeforeUserSize();
    for (int i = 0; i < listed; ++i) {
        const PaperRow& paper = model.availablePapers[i];
        PaperNameRow& row = list->rows[list->count++];
        LoadResourceString(static_cast<UINT>(paper.nameStringId), row.name, kPaperNameChars);
        row.paperCode = paper.paperCode;
        row.width = paper.width;
        row.length = paper.length;
        row.paperIndex = static_cast<int16_t>(i);
    }
    if (UserPaperOffered()) {
        PaperNameRow& row = list->rows[list->count++];
        LoadResourceString(IDS_PAPER_USER, row.name, kPaperNameChars);
        row.paperCode = kUserPaperCode;
        row.width = userWidth;
        row.length = userLength;
        row.paperIndex = static_cast<int16_t>(listed);
    }
}
