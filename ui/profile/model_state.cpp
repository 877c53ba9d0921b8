#include "profile/model_state.h"

#include "platform/driver_files.h"
#include "../resources/resource_ids.h"

namespace {

// The master paper table as it is at load. The profile later sets enabled,
// rotatable, duplexAllowed and pjlName of the papers in use.
constexpr PaperRow kLoadTimePaperTable[kPaperKeywordCount] = {
    // enabled, name, icon, code, width, length, metric, rotatable, duplex, pjlName, printable w x l
    {1, IDS_PAPER_A3, IDI_PAPER_A3, 8, 2970, 4200, 1, 0, 0, "A3", 6864, 9744},
    {1, IDS_PAPER_B4, IDI_PAPER_B4, 12, 2570, 3640, 1, 0, 0, "JISB4", 5920, 8432},
    {1, IDS_PAPER_A4, IDI_PAPER_A4, 9, 2100, 2970, 1, 1, 1, "A4", 4848, 6896},
    {1, IDS_PAPER_B5, IDI_PAPER_B5, 13, 1820, 2570, 1, 1, 1, "JISB5", 4192, 5952},
    {1, IDS_PAPER_A5, IDI_PAPER_A5, 11, 1480, 2100, 1, 0, 0, "A5", 3392, 4832},
    {1, IDS_PAPER_POSTCARD, IDI_PAPER_POSTCARD, 43, 1000, 1480, 1, 1, 1, "JPOSTD", 2240, 3376},
    {1, IDS_PAPER_LEGAL, IDI_PAPER_LEGAL, 5, 2159, 3556, 0, 0, 0, "LEGAL", 4992, 8272},
    {1, IDS_PAPER_LETTER, IDI_PAPER_LETTER, 1, 2159, 2794, 0, 1, 1, "LETTER", 4992, 6480},
    {1, IDS_PAPER_LEDGER, IDI_PAPER_LEDGER, 3, 2794, 4318, 0, 0, 0, "LEDGER", 6480, 10080},
    {1, IDS_PAPER_INVOICE, IDI_PAPER_INVOICE, 287, 1397, 2159, 0, 1, 1, "INVOICE", 3168, 4976},
    {1, IDS_PAPER_FLS1, IDI_PAPER_LETTER, 277, 2032, 3302, 0, 0, 0, "FLS1", 4672, 7680},
    {1, IDS_PAPER_FLS2, IDI_PAPER_LETTER, 278, 2159, 3302, 0, 0, 0, "FLS2", 4976, 7680},
    {1, IDS_PAPER_ENV_DL, IDI_PAPER_LETTER, 27, 1100, 2200, 1, 0, 0, "DL", 2480, 5072},
    {1, IDS_PAPER_ENV_C5, IDI_PAPER_LETTER, 28, 1620, 2290, 1, 0, 0, "C5", 3696, 5280},
    {1, IDS_PAPER_ENV_10, IDI_PAPER_LETTER, 20, 1048, 2413, 1, 0, 0, "COM10", 2352, 5568},
    {1, IDS_PAPER_MONARCH, IDI_PAPER_LETTER, 37, 984, 1905, 1, 0, 0, "MONARCH", 2192, 4384},
    {1, IDS_PAPER_ENV_B5, IDI_PAPER_LETTER, 34, 1760, 2500, 1, 0, 0, "ENVB5", 4032, 5776},
    {1, IDS_PAPER_ENV_C4, IDI_PAPER_LETTER, 30, 2290, 3240, 1, 0, 0, "C4", 5280, 7520},
    {1, IDS_PAPER_CHOU1, IDI_PAPER_LETTER, 267, 1420, 3320, 1, 0, 0, "JENVCHOU1", 3232, 7712},
    {1, IDS_PAPER_CHOU2, IDI_PAPER_LETTER, 268, 1170, 2270, 1, 0, 0, "JENVCHOU2", 2640, 5232},
    {1, IDS_PAPER_CHOU3, IDI_PAPER_LETTER, 269, 1200, 2350, 1, 0, 0, "JENVCHOU3", 2704, 5424},
    {1, IDS_PAPER_CHOU4, IDI_PAPER_LETTER, 270, 900, 2050, 1, 0, 0, "JENVCHOU4", 2000, 4720},
    {1, IDS_PAPER_KAKU1, IDI_PAPER_LETTER, 257, 2700, 3820, 1, 0, 0, "JENVKAKU1", 6256, 8896},
    {1, IDS_PAPER_KAKU2, IDI_PAPER_LETTER, 258, 2400, 3320, 1, 0, 0, "JENVKAKU2", 5536, 7712},
    {1, IDS_PAPER_KAKU3, IDI_PAPER_LETTER, 259, 2160, 2770, 1, 0, 0, "JENVKAKU3", 4976, 6416},
    // The user-defined size; its width and length are the largest (A3).
    {0, IDS_PAPER_USER, IDI_PAPER_USER, kUserPaperCode, 2970, 4200, 1, 0, 0, "CUSTOM", 6898, 9803},
};

constexpr WCHAR kLoadTimeKeywords[kPaperKeywordCount][kPaperKeywordChars] = {
    L"A3", L"B4", L"A4", L"B5", L"A5", L"POSTCARD", L"LEGAL", L"LETTER", L"TABLOID",
    L"INVOICE", L"FLS1", L"FLS2", L"DLENV", L"C5ENV", L"N10ENV", L"MONARCH", L"B5ENV",
    L"C4ENV", L"CHOU1", L"CHOU2", L"CHOU3", L"CHOU4", L"KAKU1", L"KAKU2", L"KAKU3", L"USER",
};

// Built-in zoom and N-in-1 keyword tables per locale area, each ended by an
// empty keyword.
constexpr WCHAR kZoomKeywords[kLocaleAreaCount][kTargetRowCount][kPaperKeywordChars] = {
    {L"A4", L"A3", L"B4", L"B5", L"A5", L"POSTCARD", L""},
    {L"A4", L"LEGAL", L"LETTER", L"TABLOID", L"INVOICE", L""},
    {L"A4", L"A3", L"B4", L"B5", L"A5", L"FLS1", L"FLS2", L""},
    {L"A4", L"LEGAL", L"LETTER", L""},
};
constexpr WCHAR kNUpKeywords[kLocaleAreaCount][kTargetRowCount][kPaperKeywordChars] = {
    {L"A3", L"B4", L"A4", L"B5", L"A5", L"POSTCARD", L""},
    {L"A4", L"LEGAL", L"LETTER", L"TABLOID", L""},
    {L"A3", L"B4", L"A4", L"B5", L"A5", L"FLS1", L"FLS2", L""},
    {L"A4", L"LEGAL", L"LETTER", L""},
};
// Rows of each table, its end row included.
constexpr int kZoomRows[kLocaleAreaCount] = {7, 6, 8, 4};
constexpr int kNUpRows[kLocaleAreaCount] = {7, 5, 8, 4};

constexpr BinRow kLoadTimeBins1[kBinRowsVariant1] = {
    {1, IDS_BIN_AUTO, 1025, "AUTO"},
    {1, IDS_BIN_TRAY1, 1034, "TRAY1"},
    {1, IDS_BIN_TRAY2, 1035, "TRAY2"},
    {1, IDS_BIN_TRAY3, 1036, "TRAY3"},
    {1, IDS_BIN_TRAY4, 1037, "TRAY4"},
};
constexpr BinRow kLoadTimeBins23[kBinRowsVariant23] = {
    {1, IDS_BIN_AUTO, 1025, "AUTO"},
    {1, IDS_BIN_BYPASS, 1026, "MANUAL"},
    {1, IDS_BIN_TRAY1, 1034, "TRAY1"},
    {1, IDS_BIN_TRAY2, 1035, "TRAY2"},
    {1, IDS_BIN_TRAY3, 1036, "TRAY3"},
    {1, IDS_BIN_TRAY4, 1037, "TRAY4"},
};
constexpr int kBypassRow = 1;

constexpr ModelState LoadTimeModelState()
{
    ModelState state{};
    state.firstPaperIndex = 0;
    state.lastPaperIndex = kPaperKeywordCount - 1;
    for (int i = 0; i < kPaperKeywordCount; ++i) {
        for (int c = 0; c < kPaperKeywordChars; ++c)
            state.paperKeywords[i][c] = kLoadTimeKeywords[i][c];
        state.paperTable[i] = kLoadTimePaperTable[i];
        state.availablePapers[i] = kLoadTimePaperTable[i];
    }
    for (int area = 0; area < kLocaleAreaCount; ++area) {
        for (int row = 0; row < kTargetRowCount; ++row) {
            for (int c = 0; c < kPaperKeywordChars; ++c) {
                state.zoomTables[area][row].paperKeyword[c] = kZoomKeywords[area][row][c];
                state.nUpTables[area][row].paperKeyword[c] = kNUpKeywords[area][row][c];
            }
        }
    }
    for (int row = 0; row < kBinRowsVariant1; ++row)
        state.binList1[row] = kLoadTimeBins1[row];
    for (int row = 0; row < kBinRowsVariant23; ++row)
        state.binList23[row] = kLoadTimeBins23[row];
    return state;
}

// Built at compile time: every model starts from it.
constexpr ModelState kLoadTimeModel = LoadTimeModelState();

int32_t ValidVariant(int32_t variant)
{
    return (variant == 1 || variant == 2 || variant == 3) ? variant : 3;
}

int32_t ValidArea(int32_t area)
{
    return (area >= 0 && area < kLocaleAreaCount) ? area : 1;
}

// Narrow text fields of a stored record may come without a terminator.
template <size_t N>
void CopyNarrowField(char (&destination)[N], const char (&source)[N])
{
    CopyMemory(destination, source, N);
    destination[N - 1] = 0;
}

void CopyTargetRows(TargetRow* destination, const TargetRow* source, int rows)
{
    for (int row = 0; row < rows; ++row) {
        destination[row] = source[row];
        destination[row].paperKeyword[kPaperKeywordChars - 1] = 0;
    }
}

}  // namespace

const PaperRow& LoadTimePaperRow(int index)
{
    return kLoadTimePaperTable[index];
}

void PaperRangeOfVariant(int32_t driverVariant, PaperRange* range)
{
    range->first = 0;
    range->last = kPaperKeywordCount - 1;
    CopyMemory(range->keywords, kLoadTimeKeywords, sizeof(range->keywords));
    if (driverVariant == 1) {
        range->last = kPaperIndexUserVariant1;
        BoundedCopy(range->keywords[kPaperIndexUserVariant1], L"USER", kPaperKeywordChars);
        range->keywords[kPaperIndexUserVariant1 + 1][0] = 0;
    }
}

const ModelState& LoadTimeModel()
{
    return kLoadTimeModel;
}

const WCHAR (*BuiltInZoomKeywords(int32_t localeArea))[kPaperKeywordChars]
{
    return kZoomKeywords[ValidArea(localeArea)];
}

const WCHAR (*BuiltInNUpKeywords(int32_t localeArea))[kPaperKeywordChars]
{
    return kNUpKeywords[ValidArea(localeArea)];
}

const BinRow* BinListOfModel(const ModelState& model, int* rows)
{
    if (model.driverVariant == 1) {
        *rows = kBinRowsVariant1;
        return model.binList1;
    }
    *rows = kBinRowsVariant23;
    return model.binList23;
}

void BuildModel(const ModelProfile& profile, ModelState* model)
{
    ModelState& state = *model;
    state = kLoadTimeModel;
    const int32_t variant = ValidVariant(profile.driverVariant);

    // 1. Model values, the bypass tray and the default duplex unit.
    state.driverVariant = variant;
    state.rotate = profile.rotate;
    state.shift = profile.shift;
    state.tonerSave = profile.tonerSave;
    state.smoothing = profile.smoothing;
    state.control = profile.control;
    state.color = profile.color;
    state.resolution = profile.resolution;
    state.paperDefault = profile.paperDefault;
    state.model = profile.model;
    state.bypass = profile.bypass;
    CopyMemory(state.binList1, kLoadTimeBins1, sizeof(state.binList1));
    CopyMemory(state.binList23, kLoadTimeBins23, sizeof(state.binList23));
    state.binList23[kBypassRow].enabled = profile.bypass;
    state.duplexDefault = profile.duplexDefault;
    CopyNarrowField(state.paperCommand, profile.paperCommand);

    // 2. The paper range of this profile's variant, over the load-time paper
    // table.
    PaperRange range;
    PaperRangeOfVariant(variant, &range);
    state.firstPaperIndex = range.first;
    state.lastPaperIndex = range.last;
    // Row by row: a whole-array copy into a record reached through a pointer
    // draws a false overflow warning from the compiler.
    for (int i = 0; i < kPaperKeywordCount; ++i) {
        CopyMemory(state.paperKeywords[i], range.keywords[i], sizeof(state.paperKeywords[i]));
        state.paperTable[i] = kLoadTimePaperTable[i];
    }
    if (variant == 1)
        state.paperTable[kPaperIndexUserVariant1] = kLoadTimePaperTable[kPaperIndexUser];

    // 3. The profile's flags for the papers in use.
    for (int i = 0; i <= state.lastPaperIndex; ++i) {
        const ProfilePaperEntry& slot = profile.paperEntries[i];
        PaperRow& row = state.paperTable[i];
        row.enabled = static_cast<int16_t>(slot.enabled);
        row.rotatable = slot.rotatable;
        row.duplexAllowed = slot.duplexAllowed;
        CopyNarrowField(row.pjlName, slot.pjlName);
    }

    // 4. and 5. The available papers, in index order.
    for (int i = 0; i < kPaperKeywordCount; ++i)
        state.availablePapers[i] = kLoadTimePaperTable[i];
    int copied = 0;
    for (int i = 0; i <= state.lastPaperIndex; ++i) {
        if (profile.enabledPaperCount != 0 && profile.paperEntries[i].enabled != 1)
            continue;
        state.availablePapers[copied] = state.paperTable[i];
        if (state.rotate == 0)
            state.availablePapers[copied].rotatable = 0;
        ++copied;
    }
    // A stored record cannot make the users of the list read past it.
    int32_t count = profile.enabledPaperCount;
    if (count < 0 || count > copied)
        count = count < 0 ? 0 : copied;
    state.enabledPaperCount = count;

    // 6. The zoom and N-in-1 tables of this profile's locale area.
    const int32_t area = ValidArea(profile.localeArea);
    state.localeArea = area;
    CopyTargetRows(state.zoomTables[area], profile.zoomTable, kZoomRows[area]);
    CopyTargetRows(state.nUpTables[area], profile.nUpTable, kNUpRows[area]);

    // 7. Finishing and installable options.
    state.staple = profile.staple;
    state.duplex = profile.duplex;
    state.outputTray = profile.outputTray;
    state.memory = profile.memory;
    state.reserve = profile.reserve;
    state.security = profile.security;
    state.duplexUnit = profile.duplexUnit;
    state.innerTray = profile.innerTray;
    state.outputTrayCount = profile.outputTrayCount;
    state.finisher = profile.finisher;
    state.logNo = profile.logNo;
    state.order = profile.order;
    state.orderDefault = profile.orderDefault;

    // 8. PJL command names and parameters.
    CopyNarrowField(state.stapleCommand, profile.stapleCommand);
    CopyNarrowField(state.stapleParams[0], profile.stapleParams[0]);
    CopyNarrowField(state.stapleParams[1], profile.stapleParams[1]);
    CopyNarrowField(state.duplexCommand, profile.duplexCommand);
    for (int i = 0; i < 3; ++i)
        CopyNarrowField(state.duplexParams[i], profile.duplexParams[i]);

    // 9. Trays.
    state.maxTrayCount = profile.maxTrayCount;
    state.defaultTrayCount = profile.defaultTrayCount;
    state.fixedBinCount = profile.fixedBinCount;
}
