// The model profile checker: reads a profile with the driver's own reader
// and reports, line by line, where the driver will do something other than
// the text says.
#ifndef MARTENUI_PROFILE_LINT_PROFILE_LINT_H
#define MARTENUI_PROFILE_LINT_PROFILE_LINT_H

#include <string>
#include <vector>

enum class LintSeverity { kError, kWarning, kNote };

struct LintFinding {
    int line = 0;
    LintSeverity severity = LintSeverity::kNote;
    std::wstring section;   // empty for findings about the whole file
    std::wstring key;       // empty for findings about a whole section
    std::wstring message;
};

// What the driver made of the profile as a whole.
struct LintSummary {
    int driverVariant = 0;
    int localeArea = 0;
    std::vector<std::wstring> papers;    // the keywords of the offered papers
    int maxTrayCount = 0;
    int defaultTrayCount = 0;
    std::vector<std::wstring> options;   // finishing and installable options offered
};

struct LintReport {
    std::vector<LintFinding> findings;   // in line order
    LintSummary summary;
    int Count(LintSeverity severity) const;
};

// Checks the profile at `path`; false (and `error` set) when the file cannot
// be read at all.
bool LintProfile(const std::wstring& path, LintReport* report, std::wstring* error);

const wchar_t* SeverityName(LintSeverity severity);

// One finding as the text output shows it after "FILE:LINE: ":
// "error|warning|note: [Section] KEY: message".
std::wstring FindingText(const LintFinding& finding);

#endif
