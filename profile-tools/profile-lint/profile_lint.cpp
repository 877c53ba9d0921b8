// The model profile checker (see profile_lint.h). Every verdict starts from
// what the driver's own reader kept: the reader tells which keys it read and
// what it made of them, and each is compared with the text of its line.
#include "profile_lint.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "profile_text.h"

namespace {

// One key as the reader reported it, copied out of the call.
struct KeyRead {
    std::wstring section;
    std::wstring key;
    ProfileKeyRead::Kind kind;
    std::wstring text;
    int32_t read;
    int32_t kept;
    std::wstring keptText;      // texts and paper names as the record keeps them, widened
    ProfilePaperEntry paper;
};

std::wstring Widen(const char* narrow)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide.data(), length);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

void Collect(void* context, const ProfileKeyRead& read)
{
    KeyRead copy{read.section, read.key, read.kind, read.text ? read.text : L"", read.read, read.kept, L"", {}};
    if (read.narrow)
        copy.keptText = Widen(read.narrow);
    if (read.wide)
        copy.keptText = read.wide;
    if (read.paper) {
        copy.paper = *read.paper;
        copy.keptText = Widen(read.paper->pjlName);
    }
    static_cast<std::vector<KeyRead>*>(context)->push_back(copy);
}

std::vector<KeyRead> ReadObserved(const std::wstring& path, ModelProfile* profile)
{
    std::vector<KeyRead> reads;
    const ProfileReadObserver observer{Collect, &reads};
    ReadModelProfileObserved(path.c_str(), profile, &observer);
    return reads;
}

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

using NameSet = std::set<std::pair<std::wstring, std::wstring>>;

// Every section and key the reader reads for some profile: it is asked about
// small profiles of each driver variant and locale area.
const NameSet& KnownKeys()
{
    static NameSet known;
    if (!known.empty())
        return known;
    WCHAR temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    for (int variant = 1; variant <= 2; ++variant) {
        for (int area = 0; area <= 3; ++area) {
            wchar_t name[64];
            swprintf(name, 64, L"martenui-lint-probe-%lu-%d%d.ini", GetCurrentProcessId(), variant, area);
            const std::wstring path = std::wstring(temp) + name;
            wchar_t body[96];
            swprintf(body, 96, L"\xFEFF[Setup]\r\nDRIVER=%d\r\n[Language]\r\nLocaleArea=%d\r\n", variant, area);
            HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(file, body, static_cast<DWORD>(wcslen(body) * sizeof(wchar_t)), &written, nullptr);
            CloseHandle(file);
            ModelProfile profile;
            for (const KeyRead& read : ReadObserved(path, &profile))
                known.insert({Upper(read.section), Upper(read.key)});
            DeleteFileW(path.c_str());
        }
    }
    return known;
}

// A value shown in a message: in quotes, with what would break the line escaped.
std::wstring Shown(const std::wstring& text)
{
    std::wstring shown = L"\"";
    for (wchar_t c : text) {
        if (c < 0x20 || c == 0x7F || c == L'"' || c == L'\\' || (c >= 0xD800 && c <= 0xDFFF)) {
            wchar_t escape[8];
            swprintf(escape, 8, c < 0x100 ? L"\\x%02X" : L"\\u%04X", c);
            shown += escape;
        } else {
            shown += c;
        }
    }
    return shown + L"\"";
}

std::wstring Number(long long value)
{
    return std::to_wstring(value);
}

// A decimal number written the one plain way: no sign but "-", no leading zeros.
bool PlainNumber(const std::wstring& text, long long* value)
{
    const size_t digits = text.size() - (text.size() && text[0] == L'-' ? 1 : 0);
    if (digits == 0 || digits > 11)
        return false;
    const std::wstring body = text.substr(text.size() - digits);
    if (body.find_first_not_of(L"0123456789") != std::wstring::npos || (body.size() > 1 && body[0] == L'0') ||
        text == L"-0")
        return false;
    *value = std::stoll(text);
    return true;
}

class Linter {
public:
    // The section as the file spells it, for a key line.
    std::wstring SectionOf(const ProfileTextLine& line, const std::wstring& fallback) const
    {
        for (const ProfileTextLine& header : text_.lines)
            if (header.number == line.sectionLine)
                return header.name;
        return fallback;
    }

    Linter(const ProfileText& text, LintReport* report) : text_(text), report_(report) {}

    void Add(int line, LintSeverity severity, const std::wstring& section, const std::wstring& key,
             const std::wstring& message)
    {
        report_->findings.push_back({line, severity, section, key, message});
    }

    void CheckEncoding();
    void CheckRead(const KeyRead& read, const ModelProfile& profile, const PaperRange& range);
    void CheckUnread(const std::vector<KeyRead>& reads, const ModelProfile& profile);

private:
    void CheckNumber(const KeyRead& read, const ProfileTextLine& line);
    void CheckText(const KeyRead& read, const ProfileTextLine& line);
    void CheckCommand(const KeyRead& read, const ProfileTextLine& line);
    void CheckPaper(const KeyRead& read, const ProfileTextLine& line);
    void CheckTargets(const KeyRead& read, const ProfileTextLine& line, const ModelProfile& profile,
                      const PaperRange& range);
    void NoteMissing(const KeyRead& read, const ModelProfile& profile);

    const ProfileText& text_;
    LintReport* report_;
};

void Linter::CheckEncoding()
{
    const wchar_t* name = L"";
    switch (text_.encoding) {
    case ProfileEncoding::kUtf16Le:
        return;
    case ProfileEncoding::kUtf16Be: name = L"UTF-16 big-endian"; break;
    case ProfileEncoding::kUtf8: name = L"UTF-8 with a byte-order mark"; break;
    case ProfileEncoding::kAnsi: name = L"8-bit text without a byte-order mark"; break;
    }
    const std::wstring what = std::wstring(L"the file is ") + name + L", not UTF-16LE with a byte-order mark";
    if (text_.firstNonAsciiLine)
        Add(text_.firstNonAsciiLine, LintSeverity::kError, L"", L"",
            what + L": its non-ASCII characters are read as the system decodes it, which may not be what was written");
    else
        Add(1, LintSeverity::kWarning, L"", L"", what + L"; it holds only ASCII and so reads the same, but ship it as UTF-16LE");
}

void Linter::CheckNumber(const KeyRead& read, const ProfileTextLine& line)
{
    long long literal = 0;
    const bool plain = PlainNumber(line.value, &literal);
    if (plain && literal == read.kept)
        return;
    std::wstring message;
    if (plain && literal == read.read)
        message = Number(literal) + L" is out of range; the driver uses " + Number(read.kept) + L" instead";
    else if (read.read != read.kept)
        message = Shown(line.value) + L" reads as " + Number(read.read) + L", which is out of range; the driver uses " +
                  Number(read.kept) + L" instead";
    else if (plain)
        message = Number(literal) + L" does not fit the field; the driver keeps " + Number(read.kept);
    else
        message = Shown(line.value) + L" is not a plain decimal number; the driver reads it as " + Number(read.kept);
    Add(line.number, LintSeverity::kError, SectionOf(line, read.section), read.key, message);
}

void Linter::CheckText(const KeyRead& read, const ProfileTextLine& line)
{
    const std::wstring& kept = read.keptText;
    if (kept == line.value)
        return;
    // The platform drops one pair of quotes around a value.
    std::wstring base = line.value;
    std::wstring quotes;
    if (base.size() >= 2 && (base[0] == L'"' || base[0] == L'\'') && base.back() == base[0] &&
        base.compare(1, read.text.size(), read.text) == 0) {
        base = base.substr(1, base.size() - 2);
        quotes = L" (the quotes around the value are dropped)";
    }
    std::wstring message;
    if (kept == base)
        message = L"the driver reads it as " + Shown(kept) + quotes;
    else if (kept.size() < base.size() && base.compare(0, kept.size(), kept) == 0)
        message = L"the text is cut after " + Number(kept.size()) + L" of its " + Number(base.size()) +
                  L" characters; the driver keeps " + Shown(kept) + quotes;
    else if (read.kind == ProfileKeyRead::kNarrowText && read.text != kept)
        message = L"the driver reads it as " + Shown(kept) +
                  L" (characters outside the system's ANSI code page are replaced)" + quotes;
    else
        message = L"the driver reads it as " + Shown(kept) + quotes;
    Add(line.number, LintSeverity::kError, SectionOf(line, read.section), read.key, message);
}

// Command names and their parameters go into the PJL job header as they are.
void Linter::CheckCommand(const KeyRead& read, const ProfileTextLine& line)
{
    const bool name = SameProfileName(read.key, L"CMDNAME");
    const std::wstring& kept = read.keptText;
    if (kept.empty()) {
        Add(line.number, LintSeverity::kError, SectionOf(line, read.section), read.key,
            name ? L"the command name is empty: the PJL header gets lines that begin with \"=\""
                 : L"the parameter is empty: the PJL header gets a command with no value");
        return;
    }
    for (wchar_t c : kept) {
        if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L' ' || c == L'@')
            continue;
        std::wstring what = c == L'"' || c == L'\'' ? L"a quote" : c == L'=' ? L"\"=\"" : Shown(std::wstring(1, c));
        Add(line.number, LintSeverity::kError, SectionOf(line, read.section), read.key,
            std::wstring(name ? L"the command name" : L"the parameter") + L" holds " + what +
                L", which reaches the PJL header as it is; use only ASCII letters, digits, blanks and @");
        return;
    }
}

void Linter::CheckPaper(const KeyRead& read, const ProfileTextLine& line)
{
    const ProfilePaperEntry& p = read.paper;
    const std::wstring expected = Number(p.enabled) + L"," + Number(p.rotatable) + L"," + Number(p.duplexAllowed) +
                                  L"," + read.keptText;
    if (expected == line.value)
        return;
    std::wstring message = L"the driver reads offered " + Number(p.enabled) + L", rotatable " + Number(p.rotatable) +
                           L", two-sided " + Number(p.duplexAllowed) + L", printer name " + Shown(read.keptText);
    const size_t comma = line.value.rfind(L',');
    if (comma == std::wstring::npos)
        message += L" (no comma: the name falls back)";
    else if (line.value.size() - comma - 1 > read.keptText.size() &&
             line.value.compare(comma + 1, read.keptText.size(), read.keptText) == 0)
        message += L" (the name is cut to 15 bytes)";
    message += L"; write three digits 0 or 1 and the name, separated by commas";
    Add(line.number, LintSeverity::kError, SectionOf(line, read.section), read.key, message);
}

void Linter::CheckTargets(const KeyRead& read, const ProfileTextLine& line, const ModelProfile& profile,
                          const PaperRange& range)
{
    if (line.value.empty())
        return;
    std::wstring ignored;
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(line.value.find(L',', start), line.value.size());
        const std::wstring item = line.value.substr(start, end - start);
        int index = -1;
        int similar = -1;
        const size_t from = item.find_first_not_of(L' ');
        const std::wstring trimmed = from == std::wstring::npos ? L"" : item.substr(from, item.find_last_not_of(L' ') - from + 1);
        for (int i = range.first; i <= range.last; ++i) {
            if (item == range.keywords[i])
                index = i;
            else if (range.keywords[i][0] && SameProfileName(trimmed, range.keywords[i]))
                similar = i;
        }
        if (index < 0 || !(static_cast<uint32_t>(read.kept) & (1u << index))) {
            std::wstring why;
            if (index >= 0 && profile.paperEntries[index].enabled == 0)
                why = L"not offered in [PaperSize]";
            else if (index >= 0)
                why = L"not a paper of this locale area's table";
            else if (similar >= 0)
                why = std::wstring(L"not spelled exactly ") + range.keywords[similar];
            else
                why = L"not a paper keyword";
            ignored += (ignored.empty() ? L"" : L", ") + Shown(item) + L" (" + why + L")";
        }
        if (end >= line.value.size())
            break;
        start = end + 1;
    }
    if (ignored.empty())
        return;
    std::wstring used;
    for (int i = range.first; i <= range.last; ++i)
        if (static_cast<uint32_t>(read.kept) & (1u << i))
            used += (used.empty() ? L"" : L", ") + std::wstring(range.keywords[i]);
    Add(line.number, LintSeverity::kError, SectionOf(line, read.section), read.key,
        L"the driver ignores " + ignored + L"; targets used: " + (used.empty() ? L"none" : used));
}

bool CommandInUse(const std::wstring& section, const ModelProfile& profile)
{
    if (SameProfileName(section, L"Staple"))
        return profile.staple != 0;
    if (SameProfileName(section, L"Duplex"))
        return profile.duplex != 0;
    return true;
}

void Linter::NoteMissing(const KeyRead& read, const ModelProfile& profile)
{
    const ProfileTextLine* header = FindSection(text_, read.section);
    const int line = header ? header->number : 1;
    const std::wstring section = header ? header->name : read.section;
    const bool command = SameProfileName(read.key, L"CMDNAME") || read.key.compare(0, 4, L"PARA") == 0;
    switch (read.kind) {
    case ProfileKeyRead::kNumber:
        Add(line, LintSeverity::kNote, section, read.key, L"missing; the driver uses " + Number(read.kept));
        break;
    case ProfileKeyRead::kPaper:
        Add(line, LintSeverity::kNote, section, read.key, L"missing; the paper is not offered");
        break;
    case ProfileKeyRead::kTargets:
        Add(line, LintSeverity::kNote, section, read.key, L"missing; the paper has no targets here");
        break;
    default:
        if (command && CommandInUse(read.section, profile))
            Add(line, LintSeverity::kError, section, read.key,
                L"missing, and the PJL header uses it: the header gets an empty text in its place");
        else
            Add(line, LintSeverity::kNote, section, read.key, L"missing; the driver uses an empty text");
        break;
    }
}

void Linter::CheckRead(const KeyRead& read, const ModelProfile& profile, const PaperRange& range)
{
    const std::vector<const ProfileTextLine*> lines = FindKeys(text_, read.section, read.key);
    if (lines.empty()) {
        NoteMissing(read, profile);
        return;
    }
    // The platform takes the first line of a key; later ones are dead text.
    const ProfileTextLine& line = *lines[0];
    for (size_t i = 1; i < lines.size(); ++i)
        Add(lines[i]->number, LintSeverity::kError, SectionOf(line, read.section), read.key,
            L"given again; the driver uses line " + Number(line.number) + L" (" + Shown(line.value) +
                L") and ignores this one");
    switch (read.kind) {
    case ProfileKeyRead::kNumber: CheckNumber(read, line); break;
    case ProfileKeyRead::kNarrowText:
        CheckText(read, line);
        if (SameProfileName(read.key, L"CMDNAME") || read.key.compare(0, 4, L"PARA") == 0)
            CheckCommand(read, line);
        break;
    case ProfileKeyRead::kWideText: CheckText(read, line); break;
    case ProfileKeyRead::kPaper: CheckPaper(read, line); break;
    case ProfileKeyRead::kTargets: CheckTargets(read, line, profile, range); break;
    }
}

// Lines the reader never asked for.
void Linter::CheckUnread(const std::vector<KeyRead>& reads, const ModelProfile& profile)
{
    NameSet readNow;
    std::set<std::wstring> sectionsRead;
    for (const KeyRead& read : reads) {
        readNow.insert({Upper(read.section), Upper(read.key)});
        sectionsRead.insert(Upper(read.section));
    }
    std::set<std::wstring> sectionsKnown;
    for (const auto& name : KnownKeys())
        sectionsKnown.insert(name.first);
    const std::wstring profileKind = L"driver variant " + Number(profile.driverVariant) + L", locale area " +
                                     Number(profile.localeArea);

    std::set<int> skippedSections;   // header lines whose keys need no finding of their own
    for (const ProfileTextLine& line : text_.lines) {
        if (line.kind == ProfileTextLine::kSection) {
            const ProfileTextLine* first = FindSection(text_, line.name);
            const std::wstring upper = Upper(line.name);
            if (first != &line) {
                Add(line.number, LintSeverity::kError, line.name, L"",
                    L"the section is given again (first at line " + Number(first->number) +
                        L"); the driver reads only the first, so every key here is ignored");
                skippedSections.insert(line.number);
            } else if (!sectionsKnown.count(upper)) {
                Add(line.number, LintSeverity::kWarning, line.name, L"", L"unknown section; the driver never reads it");
                skippedSections.insert(line.number);
            } else if (!sectionsRead.count(upper)) {
                Add(line.number, LintSeverity::kNote, line.name, L"",
                    L"the driver does not read this section for " + profileKind);
                skippedSections.insert(line.number);
            }
            continue;
        }
        if (line.kind != ProfileTextLine::kKey || line.name.compare(0, 1, L";") == 0 ||
            skippedSections.count(line.sectionLine))
            continue;
        if (line.sectionLine == 0) {
            Add(line.number, LintSeverity::kWarning, L"", line.name, L"outside any section; the driver ignores it");
            continue;
        }
        const std::wstring section = [&] {
            for (const ProfileTextLine& header : text_.lines)
                if (header.number == line.sectionLine)
                    return header.name;
            return std::wstring();
        }();
        const std::pair<std::wstring, std::wstring> name{Upper(section), Upper(line.name)};
        if (readNow.count(name))
            continue;
        if (!line.hasEquals)
            Add(line.number, LintSeverity::kWarning, section, line.name, L"not a KEY=value line; the driver ignores it");
        else if (SameProfileName(section, L"PaperSize"))
            Add(line.number, LintSeverity::kError, section, line.name,
                L"not a paper keyword of driver variant " + Number(profile.driverVariant) +
                    L"'s paper table; the driver ignores the line");
        else if (KnownKeys().count(name))
            Add(line.number, LintSeverity::kWarning, section, line.name,
                L"ignored: the driver does not read this key for " + profileKind);
        else
            Add(line.number, LintSeverity::kWarning, section, line.name, L"unknown key; the driver ignores it");
    }
}

void Summarise(const ModelProfile& profile, const PaperRange& range, LintSummary* summary)
{
    summary->driverVariant = profile.driverVariant;
    summary->localeArea = profile.localeArea;
    for (int i = range.first; i <= range.last; ++i)
        if (profile.paperEntries[i].enabled == 1)
            summary->papers.push_back(range.keywords[i]);
    summary->maxTrayCount = profile.maxTrayCount;
    summary->defaultTrayCount = profile.defaultTrayCount;
    const std::pair<int32_t, const wchar_t*> options[] = {
        {profile.bypass, L"bypass tray"},   {profile.rotate, L"rotation"},       {profile.shift, L"shift"},
        {profile.staple, L"staple"},        {profile.duplex, L"duplex"},         {profile.outputTray, L"output tray"},
        {profile.order, L"order"},          {profile.reserve, L"memory"},        {profile.security, L"security print"},
        {profile.duplexUnit, L"duplex unit"}, {profile.innerTray, L"inner tray"},
        {profile.outputTrayCount, L"outer tray"}, {profile.finisher, L"finisher"}};
    for (const auto& option : options)
        if (option.first)
            summary->options.push_back(option.second);
}

}  // namespace

int LintReport::Count(LintSeverity severity) const
{
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [&](const LintFinding& f) { return f.severity == severity; }));
}

const wchar_t* SeverityName(LintSeverity severity)
{
    switch (severity) {
    case LintSeverity::kError: return L"error";
    case LintSeverity::kWarning: return L"warning";
    default: return L"note";
    }
}

std::wstring FindingText(const LintFinding& finding)
{
    std::wstring where;
    if (!finding.section.empty())
        where = L"[" + finding.section + L"]";
    if (!finding.key.empty())
        where += (where.empty() ? L"" : L" ") + finding.key;
    return std::wstring(SeverityName(finding.severity)) + L": " + (where.empty() ? L"" : where + L": ") +
           finding.message;
}

bool LintProfile(const std::wstring& given, LintReport* report, std::wstring* error)
{
    *report = LintReport();
    // The profile functions take a bare name for a file of the Windows folder.
    WCHAR full[MAX_PATH * 2] = {};
    const DWORD length = GetFullPathNameW(given.c_str(), MAX_PATH * 2, full, nullptr);
    const std::wstring path = length && length < MAX_PATH * 2 ? std::wstring(full) : given;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = L"cannot open the file (error " + Number(GetLastError()) + L")";
        return false;
    }
    std::string bytes;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                               got == bytes.size());
    }
    CloseHandle(file);
    if (!ok) {
        *error = L"cannot read the file";
        return false;
    }

    ProfileText text;
    ScanProfileText(bytes, &text);
    ModelProfile profile;
    const std::vector<KeyRead> reads = ReadObserved(path, &profile);
    PaperRange range;
    PaperRangeOfVariant(profile.driverVariant, &range);

    Linter linter(text, report);
    linter.CheckEncoding();
    for (const KeyRead& read : reads)
        linter.CheckRead(read, profile, range);
    linter.CheckUnread(reads, profile);
    std::stable_sort(report->findings.begin(), report->findings.end(),
                     [](const LintFinding& a, const LintFinding& b) { return a.line < b.line; });
    Summarise(profile, range, &report->summary);
    return true;
}
