#include "settings/paper_name_list.h"

#include <winspool.h>

#include "entry/model_lock.h"
#include "entry/resource_library.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/finalize_settings.h"
#include "../resources/resource_ids.h"

namespace {

bool UserPaperOffered()
{
    const ModelState& model = Model();
    const int last = model.lastPaperIndex;
    return last >= 0 && last < kPaperKeywordCount && model.paperTable[last].enabled != 0;
}

int PapersInUse()
{
    const int32_t count = Model().enabledPaperCount;
    if (count < 0)
        return 0;
    return count > kPaperKeywordCount ? kPaperKeywordCount : count;
}

}  // namespace

HeapBlock ReadPrinterInfo(HANDLE printer, DWORD level)
{
    DWORD needed = 0;
    if (GetPrinterW(printer, level, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || !needed)
        return HeapBlock();
    HeapBlock block(needed);
    if (!block || !GetPrinterW(printer, level, block.as<BYTE>(), needed, &needed))
        return HeapBlock();
    return block;
}

void ReferenceUserPaperSize(HANDLE printer, int16_t* width, int16_t* length)
{
    ModelLockHolder lock;
    const DocumentSettings* reference = nullptr;
    HeapBlock info;
    if (printer)
        info = ReadPrinterInfo(printer, 2);
    if (info) {
        // The spooler keeps whatever device mode was stored last: read its
        // choice block only when it is a complete record of this driver.
        const DEVMODEW* mode = info.as<PRINTER_INFO_2W>()->pDevMode;
        const BYTE* blockStart = info.as<BYTE>();
        const BYTE* at = reinterpret_cast<const BYTE*>(mode);
        if (mode && at >= blockStart && at < blockStart + info.size()) {
            const size_t available = static_cast<size_t>(blockStart + info.size() - at);
            const auto* settings = reinterpret_cast<const DocumentSettings*>(mode);
            if (IsCompleteSettingsRecord(settings, available) && settings->choiceMagic == kChoiceMagic)
                reference = settings;
        }
    }
    if (!reference) {
        BuildDefaultSettings(nullptr);
        reference = &DefaultTemplate();
    }
    *width = reference->userPaperWidth;
    *length = reference->userPaperLength;
}

void BuildPaperNameList(HANDLE printer, PaperNameList* list)
{
    if (!list)
        return;
    ModelLockHolder lock;
    const ModelState& model = Model();
    ZeroMemory(list, sizeof(*list));

    const int available = PapersInUse();
    const bool userOffered = UserPaperOffered() && available > 0;
    const int listed = userOffered ? available - 1 : available;
    for (int i = 0; i < listed; ++i) {
        const PaperRow& paper = model.availablePapers[i];
        PaperNameRow& row = list->rows[list->count++];
        LoadResourceString(static_cast<UINT>(paper.nameStringId), row.name, kPaperNameChars);
        row.paperCode = paper.paperCode;
        row.width = paper.width;
        row.length = paper.length;
        row.paperIndex = static_cast<int16_t>(i);
    }
    if (userOffered) {
        PaperNameRow& row = list->rows[list->count++];
        LoadResourceString(IDS_PAPER_USER, row.name, kPaperNameChars);
        row.paperCode = kUserPaperCode;
        ReferenceUserPaperSize(printer, &row.width, &row.length);
        row.paperIndex = static_cast<int16_t>(available - 1);
    }
}
