#include "capabilities_report.h"

#include <cstdio>
#include <vector>

#include "report_text.h"

namespace {

struct Question {
    WORD index;
    const char* name;
};

// The indices answered by a number alone.
const Question kNumberQuestions[] = {
    {DC_FIELDS, "DC_FIELDS"},       {DC_DUPLEX, "DC_DUPLEX"},
    {DC_SIZE, "DC_SIZE"},           {DC_EXTRA, "DC_EXTRA"},
    {DC_VERSION, "DC_VERSION"},     {DC_DRIVER, "DC_DRIVER"},
    {DC_ENUMRESOLUTIONS, "DC_ENUMRESOLUTIONS"}, {DC_FILEDEPENDENCIES, "DC_FILEDEPENDENCIES"},
    {DC_TRUETYPE, "DC_TRUETYPE"},   {DC_ORIENTATION, "DC_ORIENTATION"},
    {DC_COPIES, "DC_COPIES"},       {DC_BINADJUST, "DC_BINADJUST"},
    {DC_EMF_COMPLIANT, "DC_EMF_COMPLIANT"}, {DC_DATATYPE_PRODUCED, "DC_DATATYPE_PRODUCED"},
    {DC_COLLATE, "DC_COLLATE"},
};

}  // namespace

void ReportCapabilities(const DriverEntryPoints& driver, HANDLE printer)
{
    auto ask = [&](WORD index, void* output) { return driver.deviceCapabilities(printer, nullptr, index, output, nullptr); };

    Heading("Capabilities (DrvDeviceCapabilities)");
    const DWORD papers = ask(DC_PAPERS, nullptr);
    std::vector<WORD> codes(papers + 1);
    std::vector<POINT> sizes(papers + 1);
    std::vector<WCHAR> names((papers + 1) * 64);
    ask(DC_PAPERS, codes.data());
    ask(DC_PAPERSIZE, sizes.data());
    ask(DC_PAPERNAMES, names.data());
    printf("  papers: %lu (code, name, width x length in 0.1 mm)\n", papers);
    for (DWORD i = 0; i < papers; ++i)
        printf("    %4u  %-28s %5ld x %5ld\n", codes[i], Utf8(&names[i * 64]).c_str(), sizes[i].x, sizes[i].y);

    const DWORD bins = ask(DC_BINS, nullptr);
    std::vector<WORD> binCodes(bins + 1);
    std::vector<WCHAR> binNames((bins + 1) * 24);
    ask(DC_BINS, binCodes.data());
    ask(DC_BINNAMES, binNames.data());
    printf("  paper sources: %lu (code, name)\n", bins);
    for (DWORD i = 0; i < bins; ++i)
        printf("    %4u  %s\n", binCodes[i], Utf8(&binNames[i * 24]).c_str());

    POINT extent = {};
    ask(DC_MINEXTENT, &extent);
    printf("  DC_MINEXTENT               %ld x %ld\n", extent.x, extent.y);
    ask(DC_MAXEXTENT, &extent);
    printf("  DC_MAXEXTENT               %ld x %ld\n", extent.x, extent.y);
    for (const Question& question : kNumberQuestions) {
        const DWORD answer = ask(question.index, nullptr);
        if (answer == static_cast<DWORD>(-1))
            printf("  %-26s not supported (-1)\n", question.name);
        else
            printf("  %-26s %lu (0x%lX)\n", question.name, answer, answer);
    }
}
