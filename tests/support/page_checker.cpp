#include "support/page_checker.h"

// Interim: only the record is checked until the page checks land.

std::vector<std::string> CheckSheet(SheetHost&, const DocumentSettings* output)
{
    return output ? CheckSettingsRecord(*output) : std::vector<std::string>{};
}

std::vector<std::string> CheckDialog(HWND, const char*)
{
    return {};
}

std::vector<std::string> CheckSettingsRecord(const DocumentSettings& settings)
{
    std::vector<std::string> findings;
    if (settings.dmSize != 220)
        findings.push_back("dmSize " + std::to_string(settings.dmSize) + ", expected 220");
    if (settings.dmDriverExtra != 3868)
        findings.push_back("dmDriverExtra " + std::to_string(settings.dmDriverExtra) + ", expected 3868");
    return findings;
}

std::string JoinFindings(const std::vector<std::string>& findings)
{
    std::string text;
    for (const auto& finding : findings)
        text += finding + "\n";
    return text;
}
