// The profile checker against the driver on mutated profiles: wherever the
// driver's reader keeps something other than the literal text of a key's
// line, the checker must have reported that line. The mutations are the
// fuzz program's; MARTENUI_LINT_MUTATIONS sets how many (300 by default).
#include "profile_lint.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "profile_mutations.h"
#include "profile_text.h"
#include "support/profile_files.h"

namespace {

struct Field {
    std::wstring section;
    std::wstring key;
    std::wstring kept;   // what the record keeps, written as the line would say it
    bool targets;
};

std::wstring Wide(const char* narrow)
{
    wchar_t wide[64] = {};
    MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide, 64);
    return wide;
}

// The record's value in the plain form a line would give it. Target lists
// are kept as their keywords, compared below as sets.
void KeepField(void* context, const ProfileKeyRead& read)
{
    Field field{read.section, read.key, L"", read.kind == ProfileKeyRead::kTargets};
    switch (read.kind) {
    case ProfileKeyRead::kNumber: field.kept = std::to_wstring(read.kept); break;
    case ProfileKeyRead::kNarrowText: field.kept = Wide(read.narrow); break;
    case ProfileKeyRead::kWideText: field.kept = read.wide; break;
    case ProfileKeyRead::kPaper:
        field.kept = std::to_wstring(read.paper->enabled) + L"," + std::to_wstring(read.paper->rotatable) + L"," +
                     std::to_wstring(read.paper->duplexAllowed) + L"," + Wide(read.paper->pjlName);
        break;
    case ProfileKeyRead::kTargets: field.kept = std::to_wstring(static_cast<uint32_t>(read.kept)); break;
    }
    static_cast<std::vector<Field>*>(context)->push_back(field);
}

std::set<std::wstring> Items(const std::wstring& list)
{
    std::set<std::wstring> items;
    for (size_t start = 0; !list.empty();) {
        const size_t end = std::min(list.find(L',', start), list.size());
        items.insert(list.substr(start, end - start));
        if (end == list.size())
            break;
        start = end + 1;
    }
    return items;
}

bool Differs(const Field& field, const std::wstring& literal, const PaperRange& range)
{
    if (!field.targets)
        return field.kept != literal;
    std::set<std::wstring> kept;
    const uint32_t mask = static_cast<uint32_t>(std::stoul(field.kept));
    for (int i = range.first; i <= range.last; ++i)
        if (mask & (1u << i))
            kept.insert(range.keywords[i]);
    return kept != Items(literal);
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return out;
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

TEST(ProfileLint, ReportsEveryLineTheDriverReadsDifferently)
{
    const char* setting = getenv("MARTENUI_LINT_MUTATIONS");
    const long long count = setting ? atoll(setting) : 300;
    wchar_t source[MAX_PATH] = {};
    GetEnvironmentVariableW(L"MARTENUI_SOURCE_DIR", source, MAX_PATH);
    std::vector<std::wstring> samples;
    for (const wchar_t* name : {L"Kolb6v1.ini", L"Kolb6v2.ini", L"Kolb6v3.ini"})
        samples.push_back(SampleText(std::wstring(L"Z:") + source + L"/profiles/" + name));

    FuzzRandom random{0x5EED1234};   // a fixed seed: the same profiles every run
    long long differing = 0;
    long long missed = 0;
    std::string firstMiss;
    for (long long n = 0; n < count; ++n) {
        // A new name each time: the platform caches profile files it has read.
        const std::wstring path = ScratchDir() + L"\\mutated" + std::to_wstring(n) + L".ini";
        WriteProfile(path, Mutated(samples[n % samples.size()], &random), &random);

        LintReport report;
        std::wstring error;
        ASSERT_TRUE(LintProfile(path, &report, &error)) << "profile " << n;
        std::set<int> reported;
        for (const LintFinding& finding : report.findings)
            reported.insert(finding.line);

        std::vector<Field> fields;
        const ProfileReadObserver observer{KeepField, &fields};
        ModelProfile profile;
        ReadModelProfileObserved(path.c_str(), &profile, &observer);
        PaperRange range;
        PaperRangeOfVariant(profile.driverVariant, &range);
        ProfileText text;
        ScanProfileText(ReadBytes(path), &text);
        for (const Field& field : fields) {
            for (const ProfileTextLine* line : FindKeys(text, field.section, field.key)) {
                if (!Differs(field, line->value, range))
                    continue;
                ++differing;
                if (reported.count(line->number))
                    continue;
                if (!missed++)
                    firstMiss = "profile " + std::to_string(n) + " line " + std::to_string(line->number) + ": [" +
                                Narrow(field.section) + "] " + Narrow(field.key) + " says \"" + Narrow(line->value) +
                                "\", the driver keeps \"" + Narrow(field.kept) + "\"";
            }
        }
        DeleteFileW(path.c_str());
    }
    printf("%lld mutated profiles, %lld lines the driver read differently, %lld not reported\n", count, differing,
           missed);
    EXPECT_EQ(0, missed) << "first: " << firstMiss;
    EXPECT_GT(differing, count / 10) << "the mutations should change what the driver reads";
}

}  // namespace
