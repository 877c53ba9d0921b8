#include "profile/paper_lookups.h"

#include "settings/document_settings.h"

namespace {

int PapersInUse(const ModelState& model)
{
    const int32_t count = model.enabledPaperCount;
    if (count < 0)
        return 0;
    return count > kPaperKeywordCount ? kPaperKeywordCount : count;
}

int AvailableIndexOfCode(const ModelState& state, int16_t paperCode)
{
    const int rows = PapersInUse(state);
    for (int row = 0; row < rows; ++row) {
        if (state.availablePapers[row].paperCode == paperCode)
            return row;
    }
    return -1;
}

bool SameKeyword(const WCHAR* a, const WCHAR* b)
{
    for (int c = 0; c < kPaperKeywordChars; ++c) {
        if (a[c] != b[c])
            return false;
        if (!a[c])
            return true;
    }
    return true;
}

uint32_t TargetMask(const ModelState& state, const TargetRow* table, int keywordIndex)
{
    if (keywordIndex < state.firstPaperIndex || keywordIndex > state.lastPaperIndex ||
        keywordIndex < 0 || keywordIndex >= kPaperKeywordCount)
        return 0;
    const WCHAR* keyword = state.paperKeywords[keywordIndex];
    if (!keyword[0])
        return 0;
    for (int row = 0; row < kTargetRowCount && table[row].paperKeyword[0]; ++row) {
        if (SameKeyword(table[row].paperKeyword, keyword))
            return table[row].targetMask;
    }
    return 0;
}

bool ValidArea(int32_t localeArea)
{
    return localeArea >= 0 && localeArea < kLocaleAreaCount;
}

}  // namespace

bool UserPaperOffered(const ModelState& state)
{
    const int last = state.lastPaperIndex;
    return last >= 0 && last < kPaperKeywordCount && state.paperTable[last].enabled != 0 && PapersInUse(state) > 0;
}

int PapersBeforeUserSize(const ModelState& model)
{
    const int inUse = PapersInUse(model);
    return UserPaperOffered(model) ? inUse - 1 : inUse;
}

const PaperRow* AvailablePaperRowOfCode(const ModelState& model, int16_t paperCode)
{
    const int row = AvailableIndexOfCode(model, paperCode);
    return row < 0 ? nullptr : &model.availablePapers[row];
}

int AvailablePaperOfCode(const ModelState& model, int16_t paperCode)
{
    const int row = AvailableIndexOfCode(model, paperCode);
    return row < 0 ? 0 : row;
}

int KeywordIndexOfCode(const ModelState& state, int16_t paperCode)
{
    for (int i = 0; i < kPaperKeywordCount; ++i) {
        if (state.paperTable[i].paperCode == paperCode)
            return i;
    }
    return -1;
}

bool PaperSizeOfCode(const ModelState& model, const DocumentSettings* settings, int16_t paperCode, int16_t* width,
                     int16_t* length)
{
    int16_t foundWidth = 0;
    int16_t foundLength = 0;
    bool found = false;
    if (settings && paperCode == kUserPaperCode) {
        foundWidth = settings->userPaperWidth;
        foundLength = settings->userPaperLength;
        found = true;
    } else if (const PaperRow* row = AvailablePaperRowOfCode(model, paperCode)) {
        foundWidth = row->width;
        foundLength = row->length;
        found = true;
    }
    if (width)
        *width = foundWidth;
    if (length)
        *length = foundLength;
    return found;
}

int PaperRatio(const ModelState& model, int kind, int16_t sourceCode, int16_t targetCode)
{
    int16_t w = 0, l = 0, W = 0, L = 0;
    if (!PaperSizeOfCode(model, nullptr, sourceCode, &w, &l) || !PaperSizeOfCode(model, nullptr, targetCode, &W, &L))
        return 0;
    if (w <= 0 || l <= 0 || W <= 0 || L <= 0)
        return 0;
    int32_t first = 0;
    int32_t second = 0;
    switch (kind) {
    case kRatioMagnify:
        first = L * 1000 / l;
        second = W * 1000 / w;
        break;
    case kRatioTwoInOne:
        first = W * 1000 / l;
        second = L * 500 / w;
        break;
    case kRatioFourInOne:
        first = L * 500 / l;
        second = W * 500 / w;
        break;
    default:
        return 0;
    }
    return (first < second ? first : second) / 10;
}

uint32_t ZoomTargetMask(const ModelState& model, int keywordIndex, int32_t localeArea)
{
    if (!ValidArea(localeArea))
        return 0;
    return TargetMask(model, model.zoomTables[localeArea], keywordIndex);
}

uint32_t NUpTargetMask(const ModelState& model, int keywordIndex, int32_t localeArea)
{
    if (!ValidArea(localeArea))
        return 0;
    return TargetMask(model, model.nUpTables[localeArea], keywordIndex);
}

int16_t SourceCodeOfRow(const ModelState& model, int row)
{
    int rows = 0;
    const BinRow* bins = BinListOfModel(model, &rows);
    if (row < 0 || row >= rows)
        return kBinCodeAuto;
    return bins[row].binCode;
}

int BinRowsInUse(const ModelState& model, int32_t trayCount)
{
    int rows = 0;
    BinListOfModel(model, &rows);
    // A tray count typed past the spin range must not walk past the list.
    const int64_t inUse = static_cast<int64_t>(model.fixedBinCount) + trayCount;
    if (inUse < 0)
        return 0;
    return inUse > rows ? rows : static_cast<int>(inUse);
}
