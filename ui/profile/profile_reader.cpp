// Parses a model profile file into the ModelProfile record.
#include <initializer_list>

#include <windows.h>
#include <winspool.h>

#include "platform/driver_files.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"

const WCHAR kDriverProfileValue[] = L"DriverProfile";

namespace {

constexpr int kPaperValueChars = 64;
constexpr int kTargetListChars = 256;
constexpr int kTargetItemChars = 15;
constexpr WCHAR kUnknownPaperName[] = L"Unkown";   // the profile format's own spelling

// An empty path names no file: every key then counts as missing.
struct ProfileFile {
    const WCHAR* path;
    const ProfileReadObserver* observer;

    // Hands the observer the key just read with the whole text the platform
    // gave for it. Only the profile checker watches; the driver passes none.
    void Report(ProfileKeyRead* read) const
    {
        if (!observer)
            return;
        WCHAR text[kTargetListChars];
        text[0] = 0;
        if (!read->text) {
            if (path[0])
                GetPrivateProfileStringW(read->section, read->key, L"", text, kTargetListChars, path);
            text[kTargetListChars - 1] = 0;
            read->text = text;
        }
        observer->keyRead(observer->context, *read);
    }

    int Int(const WCHAR* section, const WCHAR* key, int fallback) const
    {
        if (!path[0])
            return fallback;
        return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, path));
    }

    // An integer key through its range rule into a field of the record.
    template <typename Field, typename Rule>
    void Number(const WCHAR* section, const WCHAR* key, int fallback, Rule rule, Field* field) const
    {
        const int read = Int(section, key, fallback);
        *field = static_cast<Field>(rule(read));
        ProfileKeyRead report{section, key, ProfileKeyRead::kNumber};
        report.fallback = fallback;
        report.read = read;
        report.kept = *field;
        Report(&report);
    }

    // Reads into `buffer` of `capacity` units; returns the length.
    int Text(const WCHAR* section, const WCHAR* key, WCHAR* buffer, int capacity) const
    {
        buffer[0] = 0;
        if (!path[0])
            return 0;
        const int length = static_cast<int>(GetPrivateProfileStringW(section, key, L"", buffer, capacity, path));
        buffer[capacity - 1] = 0;
        return length;
    }

    template <size_t N>
    void Narrow(const WCHAR* section, const WCHAR* key, int bufferChars, char (&field)[N]) const
    {
        WCHAR buffer[kTargetListChars];
        if (bufferChars > kTargetListChars)
            bufferChars = kTargetListChars;
        Text(section, key, buffer, bufferChars);
        NarrowCopy(field, buffer, static_cast<int>(N));
        ProfileKeyRead report{section, key, ProfileKeyRead::kNarrowText};
        report.text = buffer;
        report.narrow = field;
        Report(&report);
    }

    template <size_t N>
    void Wide(const WCHAR* section, const WCHAR* key, WCHAR (&field)[N]) const
    {
        Text(section, key, field, static_cast<int>(N));
        ProfileKeyRead report{section, key, ProfileKeyRead::kWideText};
        report.text = field;
        report.wide = field;
        Report(&report);
    }
};

int32_t AsRead(int32_t value)
{
    return value;
}

int32_t OneOf(int32_t value, std::initializer_list<int32_t> allowed, int32_t fallback)
{
    for (int32_t candidate : allowed) {
        if (value == candidate)
            return value;
    }
    return fallback;
}

int32_t Within(int32_t value, int32_t low, int32_t high, int32_t fallback)
{
    return (value < low || value > high) ? fallback : value;
}

int32_t FlagAt(const WCHAR* value, int length, int position)
{
    if (position >= length)
        return 0;
    return value[position] == L'1' ? 1 : 0;
}

void ReadPaperEntry(const WCHAR* value, ProfilePaperEntry* entry)
{
    const int length = TextLength(value);
    entry->enabled = FlagAt(value, length, 0);
    entry->rotatable = FlagAt(value, length, 2);
    entry->duplexAllowed = FlagAt(value, length, 4);

    const WCHAR* name = nullptr;
    for (int i = 0; i < length; ++i) {
        if (value[i] == L',')
            name = value + i + 1;
    }
    NarrowCopy(entry->pjlName, name ? name : kUnknownPaperName, sizeof(entry->pjlName));
}

// Exactly the same units: keywords are compared ordinally, never by the
// user's collation (which would take "A\u00AD4" for "A4").
bool SameText(const WCHAR* a, const WCHAR* b)
{
    return CompareStringOrdinal(a, -1, b, -1, FALSE) == CSTR_EQUAL;
}

bool IsBuiltInKeyword(const WCHAR* item, const WCHAR (*builtIn)[kPaperKeywordChars])
{
    for (int row = 0; builtIn[row][0]; ++row) {
        if (SameText(item, builtIn[row]))
            return true;
    }
    return false;
}

// Fills the masks of `table` (rows already hold their keywords) from
// `section`: each key names a paper, its value lists the target papers.
// Items are checked against this profile's own keywords and enabled papers.
void ReadTargetMasks(const ProfileFile& file, const WCHAR* section, const PaperRange& range,
                     const ModelProfile& profile, const WCHAR (*builtIn)[kPaperKeywordChars],
                     TargetRow* table)
{
    for (int row = 0; row < kTargetRowCount && table[row].paperKeyword[0]; ++row) {
        WCHAR list[kTargetListChars];
        file.Text(section, table[row].paperKeyword, list, kTargetListChars);

        // Split at every comma, without trimming; each item keeps 15 units.
        const WCHAR* start = list;
        for (;;) {
            const WCHAR* end = start;
            while (*end && *end != L',')
                ++end;
            WCHAR item[kTargetItemChars + 1];
            int length = static_cast<int>(end - start);
            if (length > kTargetItemChars)
                length = kTargetItemChars;
            CopyMemory(item, start, length * sizeof(WCHAR));
            item[length] = 0;

            if (IsBuiltInKeyword(item, builtIn)) {
                for (int i = range.first; i <= range.last; ++i) {
                    if (!SameText(item, range.keywords[i]))
                        continue;
                    if (profile.paperEntries[i].enabled != 0)
                        table[row].targetMask |= 1u << i;
                    break;
                }
            }
            if (!*end)
                break;
            start = end + 1;
        }
        ProfileKeyRead report{section, table[row].paperKeyword, ProfileKeyRead::kTargets};
        report.text = list;
        report.kept = static_cast<int32_t>(table[row].targetMask);
        file.Report(&report);
    }
}

void CopyBuiltInKeywords(const WCHAR (*builtIn)[kPaperKeywordChars], TargetRow* table)
{
    for (int row = 0; row < kTargetRowCount; ++row) {
        CopyMemory(table[row].paperKeyword, builtIn[row], sizeof(table[row].paperKeyword));
        table[row].targetMask = 0;
        if (!builtIn[row][0])
            break;
    }
}

}  // namespace

void ReadModelProfile(const WCHAR* path, ModelProfile* profile)
{
    ReadModelProfileObserved(path, profile, nullptr);
}

void ReadModelProfileObserved(const WCHAR* path, ModelProfile* profile, const ProfileReadObserver* observer)
{
    if (!path || !profile)
        return;
    const ProfileFile file{path, observer};
    ModelProfile& p = *profile;

    // 1. and 2. A record of zeros, then the driver variant.
    ZeroMemory(&p, sizeof(p));
    file.Number(L"Setup", L"DRIVER", 2,
                [](int32_t v) { return OneOf(v, {1, 2, 3}, 3); }, &p.driverVariant);

    // 3. Model values with their defaults and range rules.
    file.Number(L"Martenx", L"ROTATE", 0, AsRead, &p.rotate);
    file.Number(L"Martenx", L"SHIFT", 0, AsRead, &p.shift);
    file.Number(L"Quality", L"TONERSAVE", 0, AsRead, &p.tonerSave);
    file.Number(L"Quality", L"SMOOTHING", 0, AsRead, &p.smoothing);
    file.Number(L"Martenx", L"CONTROL", 0, AsRead, &p.control);
    file.Number(L"Marten3", L"COLOR", 0, AsRead, &p.color);
    file.Number(L"Marten3", L"RESOLUTION", 0, AsRead, &p.resolution);
    file.Number(L"Marten3", L"PAPERDEF", 1, AsRead, &p.paperDefault);
    file.Number(L"Marten3", L"MODEL", 3, AsRead, &p.model);
    file.Number(L"Marten3", L"BYPASS", 1, AsRead, &p.bypass);
    file.Number(L"Marten3", L"DUPLEXDEF", 1, AsRead, &p.duplexDefault);
    file.Number(L"Marten3", L"BLACKTEXT", 1,
                [](int32_t v) { return OneOf(v, {0, 1}, 1); }, &p.blackText);
    file.Number(L"Marten3", L"SUPPORTCOLORS", 2,
                [](int32_t v) { return OneOf(v, {0, 2, 256}, 2); }, &p.supportColors);
    file.Number(L"Marten3", L"COLORSWITCH", 0, AsRead, &p.colorSwitch);

    // 4. The paper range and keywords follow this profile's own variant. The
    // model built from the record takes the range again.
    PaperRange range;
    PaperRangeOfVariant(p.driverVariant, &range);

    // 5. and 6. Papers.
    file.Narrow(L"PaperSize", L"CMDNAME", kPaperValueChars, p.paperCommand);
    p.enabledPaperCount = 0;
    for (int i = range.first; i <= range.last; ++i) {
        WCHAR value[kPaperValueChars];
        file.Text(L"PaperSize", range.keywords[i], value, kPaperValueChars);
        ReadPaperEntry(value, &p.paperEntries[i]);
        ProfileKeyRead report{L"PaperSize", range.keywords[i], ProfileKeyRead::kPaper};
        report.text = value;
        report.paper = &p.paperEntries[i];
        file.Report(&report);
        if (p.paperEntries[i].enabled == 1)
            ++p.enabledPaperCount;
    }

    // 7. to 10. Locale area, zoom and N-in-1 targets.
    file.Number(L"Language", L"LocaleArea", 1,
                [](int32_t v) { return OneOf(v, {0, 1, 2, 3}, 1); }, &p.localeArea);
    const WCHAR (*zoomKeywords)[kPaperKeywordChars] = BuiltInZoomKeywords(p.localeArea);
    const WCHAR (*nUpKeywords)[kPaperKeywordChars] = BuiltInNUpKeywords(p.localeArea);
    CopyBuiltInKeywords(zoomKeywords, p.zoomTable);
    CopyBuiltInKeywords(nUpKeywords, p.nUpTable);
    WCHAR section[32];
    wsprintfW(section, L"ZoomPaper%d", p.localeArea);
    ReadTargetMasks(file, section, range, p, zoomKeywords, p.zoomTable);
    wsprintfW(section, L"Nin1Paper%d", p.localeArea);
    ReadTargetMasks(file, section, range, p, nUpKeywords, p.nUpTable);

    // 11. Finishing and installable options.
    file.Number(L"Martenx", L"STAPLE", 0, AsRead, &p.staple);
    file.Number(L"Martenx", L"DUPLEX", 0, AsRead, &p.duplex);
    file.Number(L"Martenx", L"OUTPUTTRAY", 0, AsRead, &p.outputTray);
    file.Number(L"MemorySet", L"MEMORY", 2,
                [](int32_t v) { return Within(v, 1, 4, 2); }, &p.memory);
    file.Number(L"Martenx", L"RESERVE", 0, AsRead, &p.reserve);
    file.Number(L"Martenx", L"SECURITY", 0, AsRead, &p.security);
    file.Number(L"Martenx", L"DUPLEXUNIT", 0, AsRead, &p.duplexUnit);
    file.Number(L"Martenx", L"INNERTRAY", 0, AsRead, &p.innerTray);
    file.Number(L"Martenx", L"OUTPUTTRAYNUM", 0, AsRead, &p.outputTrayCount);
    file.Number(L"Martenx", L"FINISHER", 0, AsRead, &p.finisher);
    file.Number(L"Martenx", L"LOGNO", 1,
                [](int32_t v) { return Within(v, 0, 3, 1); }, &p.logNo);
    file.Number(L"Martenx", L"ORDER", 0, AsRead, &p.order);
    file.Number(L"Martenx", L"ORDERDEF", 0,
                [&p](int32_t v) { return p.order == 0 ? 0 : v; }, &p.orderDefault);

    // 12. and 13. PJL command names and parameters.
    WCHAR key[16];
    file.Narrow(L"Staple", L"CMDNAME", 32, p.stapleCommand);
    for (int i = 0; i < 2; ++i) {
        wsprintfW(key, L"PARA%d", i);
        file.Narrow(L"Staple", key, 16, p.stapleParams[i]);
    }
    file.Narrow(L"Duplex", L"CMDNAME", 32, p.duplexCommand);
    for (int i = 0; i < 3; ++i) {
        wsprintfW(key, L"PARA%d", i);
        file.Narrow(L"Duplex", key, 16, p.duplexParams[i]);
    }

    // 14. Trays.
    file.Number(L"Papersource", L"MAXSET", 0,
                [](int32_t v) { return Within(v, 2, 4, 2); }, &p.maxTrayCount);
    if (p.driverVariant == 1) {
        p.defaultTrayCount = 1;
        p.fixedBinCount = 1;
    } else {
        file.Number(L"PaperSource", L"DEFNUMBER", 2,
                    [&p](int32_t v) { return Within(v, 1, p.maxTrayCount, 2); }, &p.defaultTrayCount);
        p.fixedBinCount = 2;
    }

    // 15. About texts.
    for (int i = 0; i < kAboutEntryCount; ++i) {
        wsprintfW(key, L"DEPENDENCY%d", i + 1);
        file.Wide(L"About", key, p.dependencies[i]);
    }
    for (int i = 0; i < kAboutEntryCount; ++i) {
        wsprintfW(key, L"VERSION%d", i + 1);
        file.Wide(L"About", key, p.versions[i]);
    }
    file.Wide(L"About", L"TIMESTAMP", p.timestamp);
}

int ReadProfileVersion(const WCHAR* path, int number, int capacity, WCHAR* buffer)
{
    if (!path || !buffer || capacity < 1)
        return 0;
    WCHAR key[24];
    wsprintfW(key, L"VERSION%d", number);
    buffer[0] = 0;
    return static_cast<int>(GetPrivateProfileStringW(L"About", key, L"", buffer, capacity, path));
}

bool ReadCachedProfile(HANDLE printer, ModelProfile* profile)
{
    if (!printer || !profile)
        return false;
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD status = GetPrinterDataW(printer, const_cast<WCHAR*>(kDriverProfileValue), &type,
                                         reinterpret_cast<BYTE*>(profile), sizeof(*profile), &needed);
    // A value of any other size was not written by this driver: read the file.
    return status == ERROR_SUCCESS && needed == sizeof(*profile);
}
