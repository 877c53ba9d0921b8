// The ModelProfile record: one printer model's profile as parsed from its
// initialisation file, and cached as printer data "DriverProfile".
// A stored format: 3264 bytes, little-endian, every offset fixed.
#ifndef MARTENUI_MODEL_PROFILE_H
#define MARTENUI_MODEL_PROFILE_H

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

constexpr int kPaperKeywordCount = 26;   // A3 .. USER
constexpr int kPaperSlotCount = 27;      // the last slot is never filled
constexpr int kTargetRowCount = 8;       // 7 rows and the empty end row
constexpr int kAboutEntryCount = 9;

// One paper of the profile, slot i describing paper keyword i.
struct ProfilePaperEntry {
    int32_t enabled;          // 1 = the paper is offered
    int32_t rotatable;        // 1 = may be printed rotated
    int32_t duplexAllowed;    // 1 = two-sided printing possible
    char pjlName[16];         // the printer language's name for the paper
};
static_assert(sizeof(ProfilePaperEntry) == 28, "paper slot layout");
static_assert(offsetof(ProfilePaperEntry, enabled) == 0, "paper slot layout");
static_assert(offsetof(ProfilePaperEntry, rotatable) == 4, "paper slot layout");
static_assert(offsetof(ProfilePaperEntry, duplexAllowed) == 8, "paper slot layout");
static_assert(offsetof(ProfilePaperEntry, pjlName) == 12, "paper slot layout");

// One row of a zoom or N-in-1 table: which papers a document of
// `paperKeyword` size may be zoomed or printed N-in-1 onto.
struct TargetRow {
    WCHAR paperKeyword[16];   // empty keyword ends the table
    uint32_t targetMask;      // bit i = paper keyword i may be the target
};
static_assert(sizeof(TargetRow) == 36, "target row layout");
static_assert(offsetof(TargetRow, targetMask) == 32, "target row layout");

struct ModelProfile {
    int32_t driverVariant;                        // [Setup] DRIVER: 1, 2 or 3
    int32_t localeArea;                           // [Language] LocaleArea: 0..3
    uint8_t unused[896];
    int32_t enabledPaperCount;                    // papers whose `enabled` is 1
    char paperCommand[32];                        // [PaperSize] CMDNAME
    ProfilePaperEntry paperEntries[kPaperSlotCount];
    TargetRow zoomTable[kTargetRowCount];         // [ZoomPaperN]
    TargetRow nUpTable[kTargetRowCount];          // [Nin1PaperN]
    int32_t maxTrayCount;                         // [Papersource] MAXSET: 2..4
    int32_t defaultTrayCount;                     // [PaperSource] DEFNUMBER
    int32_t fixedBinCount;                        // 1 for variant 1, else 2
    int32_t rotate;                               // [Martenx] ROTATE
    int32_t shift;                                // [Martenx] SHIFT
    int32_t outputTray;                           // [Martenx] OUTPUTTRAY
    int32_t staple;                               // [Martenx] STAPLE
    int32_t duplex;                               // [Martenx] DUPLEX
    int32_t memory;                               // [MemorySet] MEMORY: 1..4
    int32_t security;                             // [Martenx] SECURITY
    int32_t reserve;                              // [Martenx] RESERVE
    int32_t duplexUnit;                           // [Martenx] DUPLEXUNIT
    int32_t innerTray;                            // [Martenx] INNERTRAY
    int32_t outputTrayCount;                      // [Martenx] OUTPUTTRAYNUM
    int32_t finisher;                             // [Martenx] FINISHER
    int16_t logNo;                                // [Martenx] LOGNO: 0..3
    uint8_t padding1[2];
    int32_t order;                                // [Martenx] ORDER
    int16_t orderDefault;                         // [Martenx] ORDERDEF
    char stapleCommand[32];                       // [Staple] CMDNAME
    char stapleParams[2][16];                     // [Staple] PARA0, PARA1
    char duplexCommand[32];                       // [Duplex] CMDNAME
    char duplexParams[3][16];                     // [Duplex] PARA0..PARA2
    uint8_t padding2[2];
    int32_t smoothing;                            // [Quality] SMOOTHING
    int32_t tonerSave;                            // [Quality] TONERSAVE
    int32_t control;                              // [Martenx] CONTROL
    int32_t color;                                // [Marten3] COLOR
    int32_t resolution;                           // [Marten3] RESOLUTION
    int16_t paperDefault;                         // [Marten3] PAPERDEF
    int16_t model;                                // [Marten3] MODEL
    int32_t bypass;                               // [Marten3] BYPASS
    int32_t duplexDefault;                        // [Marten3] DUPLEXDEF
    int16_t blackText;                            // [Marten3] BLACKTEXT: 0, 1
    int16_t supportColors;                        // [Marten3] SUPPORTCOLORS
    int32_t colorSwitch;                          // [Marten3] COLORSWITCH
    WCHAR timestamp[80];                          // [About] TIMESTAMP
    WCHAR dependencies[kAboutEntryCount][16];     // [About] DEPENDENCY1..9
    WCHAR versions[kAboutEntryCount][16];         // [About] VERSION1..9
};

static_assert(sizeof(ModelProfile) == 3264, "ModelProfile is a stored record");
static_assert(offsetof(ModelProfile, driverVariant) == 0, "layout");
static_assert(offsetof(ModelProfile, localeArea) == 4, "layout");
static_assert(offsetof(ModelProfile, unused) == 8, "layout");
static_assert(offsetof(ModelProfile, enabledPaperCount) == 904, "layout");
static_assert(offsetof(ModelProfile, paperCommand) == 908, "layout");
static_assert(offsetof(ModelProfile, paperEntries) == 940, "layout");
static_assert(offsetof(ModelProfile, zoomTable) == 1696, "layout");
static_assert(offsetof(ModelProfile, nUpTable) == 1984, "layout");
static_assert(offsetof(ModelProfile, maxTrayCount) == 2272, "layout");
static_assert(offsetof(ModelProfile, defaultTrayCount) == 2276, "layout");
static_assert(offsetof(ModelProfile, fixedBinCount) == 2280, "layout");
static_assert(offsetof(ModelProfile, rotate) == 2284, "layout");
static_assert(offsetof(ModelProfile, shift) == 2288, "layout");
static_assert(offsetof(ModelProfile, outputTray) == 2292, "layout");
static_assert(offsetof(ModelProfile, staple) == 2296, "layout");
static_assert(offsetof(ModelProfile, duplex) == 2300, "layout");
static_assert(offsetof(ModelProfile, memory) == 2304, "layout");
static_assert(offsetof(ModelProfile, security) == 2308, "layout");
static_assert(offsetof(ModelProfile, reserve) == 2312, "layout");
static_assert(offsetof(ModelProfile, duplexUnit) == 2316, "layout");
static_assert(offsetof(ModelProfile, innerTray) == 2320, "layout");
static_assert(offsetof(ModelProfile, outputTrayCount) == 2324, "layout");
static_assert(offsetof(ModelProfile, finisher) == 2328, "layout");
static_assert(offsetof(ModelProfile, logNo) == 2332, "layout");
static_assert(offsetof(ModelProfile, padding1) == 2334, "layout");
static_assert(offsetof(ModelProfile, order) == 2336, "layout");
static_assert(offsetof(ModelProfile, orderDefault) == 2340, "layout");
static_assert(offsetof(ModelProfile, stapleCommand) == 2342, "layout");
static_assert(offsetof(ModelProfile, stapleParams) == 2374, "layout");
static_assert(offsetof(ModelProfile, duplexCommand) == 2406, "layout");
static_assert(offsetof(ModelProfile, duplexParams) == 2438, "layout");
static_assert(offsetof(ModelProfile, padding2) == 2486, "layout");
static_assert(offsetof(ModelProfile, smoothing) == 2488, "layout");
static_assert(offsetof(ModelProfile, tonerSave) == 2492, "layout");
static_assert(offsetof(ModelProfile, control) == 2496, "layout");
static_assert(offsetof(ModelProfile, color) == 2500, "layout");
static_assert(offsetof(ModelProfile, resolution) == 2504, "layout");
static_assert(offsetof(ModelProfile, paperDefault) == 2508, "layout");
static_assert(offsetof(ModelProfile, model) == 2510, "layout");
static_assert(offsetof(ModelProfile, bypass) == 2512, "layout");
static_assert(offsetof(ModelProfile, duplexDefault) == 2516, "layout");
static_assert(offsetof(ModelProfile, blackText) == 2520, "layout");
static_assert(offsetof(ModelProfile, supportColors) == 2522, "layout");
static_assert(offsetof(ModelProfile, colorSwitch) == 2524, "layout");
static_assert(offsetof(ModelProfile, timestamp) == 2528, "layout");
static_assert(offsetof(ModelProfile, dependencies) == 2688, "layout");
static_assert(offsetof(ModelProfile, versions) == 2976, "layout");

// Printer data value that caches the record.
extern const WCHAR kDriverProfileValue[];   // "DriverProfile"

// Parses the profile file at `path` into `profile` (see profile_reader.cpp).
// A null path leaves the record untouched; a missing file gives the defaults.
void ReadModelProfile(const WCHAR* path, ModelProfile* profile);

// What the reader made of one key, for the profile checker, which compares
// it with the key's line in the file. Pointers live only for the call.
struct ProfileKeyRead {
    enum Kind { kNumber, kNarrowText, kWideText, kPaper, kTargets };
    const WCHAR* section;
    const WCHAR* key;
    Kind kind;
    const WCHAR* text = nullptr;               // the value as the platform gave it, cut to the buffer
    int32_t fallback = 0;                      // numbers: the default of a missing key
    int32_t read = 0;                          // numbers: as read, before the range rule
    int32_t kept = 0;                          // numbers: as the record keeps it; targets: the mask
    const char* narrow = nullptr;              // narrow texts: the record's field
    const WCHAR* wide = nullptr;               // wide texts: the record's field
    const ProfilePaperEntry* paper = nullptr;  // papers: the record's slot
};
struct ProfileReadObserver {
    void (*keyRead)(void* context, const ProfileKeyRead& read);
    void* context;
};

// ReadModelProfile that also tells `observer` (may be null) each key it read
// and what it kept; the record comes out the same either way.
void ReadModelProfileObserved(const WCHAR* path, ModelProfile* profile, const ProfileReadObserver* observer);


// Reads [About] VERSION<number> into `buffer`; returns the characters copied.
int ReadProfileVersion(const WCHAR* path, int number, int capacity, WCHAR* buffer);

// Reads just the cached "DriverProfile"; false when absent or of another size.
bool ReadCachedProfile(HANDLE printer, ModelProfile* profile);

#endif
