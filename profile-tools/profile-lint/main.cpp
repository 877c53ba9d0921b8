// profile-lint [--json] [--label NAME] FILE...: checks model profiles with
// the driver's own reader. Each finding is one line:
//   FILE:LINE: error|warning|note: [Section] KEY: message
// then one summary line per file. --json writes one object per line instead.
// --label names the next file in the output (the wrapper passes the path the
// user typed). Exit status: 0 no errors, 1 errors, 2 a file cannot be read.
#include <windows.h>

#include <cstdio>
#include <string>

#include "../tool_text/tool_text.h"
#include "profile_lint.h"

namespace {

std::wstring Joined(const std::vector<std::wstring>& items)
{
    std::wstring out;
    for (const std::wstring& item : items)
        out += (out.empty() ? L"" : L", ") + item;
    return out.empty() ? L"none" : out;
}

std::string JsonList(const std::vector<std::wstring>& items)
{
    std::string out = "[";
    for (const std::wstring& item : items)
        out += (out.size() > 1 ? "," : "") + Json(item);
    return out + "]";
}

void PrintText(const std::wstring& label, const LintReport& report)
{
    for (const LintFinding& f : report.findings)
        printf("%s:%d: %s\n", Utf8(label).c_str(), f.line, Utf8(FindingText(f)).c_str());
    const LintSummary& s = report.summary;
    printf("%s: driver variant %d, locale area %d; %zu papers: %s; trays: %d by default, at most %d; options: %s; "
           "%d errors, %d warnings, %d notes\n",
           Utf8(label).c_str(), s.driverVariant, s.localeArea, s.papers.size(), Utf8(Joined(s.papers)).c_str(),
           s.defaultTrayCount, s.maxTrayCount, Utf8(Joined(s.options)).c_str(), report.Count(LintSeverity::kError),
           report.Count(LintSeverity::kWarning), report.Count(LintSeverity::kNote));
}

void PrintJson(const std::wstring& label, const LintReport& report)
{
    for (const LintFinding& f : report.findings)
        printf("{\"file\":%s,\"line\":%d,\"severity\":%s,\"section\":%s,\"key\":%s,\"message\":%s}\n",
               Json(label).c_str(), f.line, Json(SeverityName(f.severity)).c_str(), Json(f.section).c_str(),
               Json(f.key).c_str(), Json(f.message).c_str());
    const LintSummary& s = report.summary;
    printf("{\"file\":%s,\"summary\":{\"driverVariant\":%d,\"localeArea\":%d,\"papers\":%s,\"defaultTrays\":%d,"
           "\"maxTrays\":%d,\"options\":%s,\"errors\":%d,\"warnings\":%d,\"notes\":%d}}\n",
           Json(label).c_str(), s.driverVariant, s.localeArea, JsonList(s.papers).c_str(), s.defaultTrayCount,
           s.maxTrayCount, JsonList(s.options).c_str(), report.Count(LintSeverity::kError),
           report.Count(LintSeverity::kWarning), report.Count(LintSeverity::kNote));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    bool json = false;
    bool any = false;
    int status = 0;
    std::wstring label;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--json") {
            json = true;
            continue;
        }
        if (arg == L"--label" && i + 1 < argc) {
            label = argv[++i];
            continue;
        }
        any = true;
        const std::wstring shown = label.empty() ? arg : label;
        label.clear();
        LintReport report;
        std::wstring error;
        if (!LintProfile(arg, &report, &error)) {
            fprintf(stderr, "%s: %s\n", Utf8(shown).c_str(), Utf8(error).c_str());
            status = 2;
            continue;
        }
        if (json)
            PrintJson(shown, report);
        else
            PrintText(shown, report);
        if (report.Count(LintSeverity::kError) && status == 0)
            status = 1;
    }
    if (!any) {
        fprintf(stderr, "usage: profile-lint [--json] FILE.ini...\n");
        return 2;
    }
    fflush(stdout);
    return status;
}
