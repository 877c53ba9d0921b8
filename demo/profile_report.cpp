#include "profile_report.h"

#include <cstdio>

#include "profile/model_state.h"
#include "report_text.h"

namespace {

void ReportTargets(const char* title, const TargetRow* table, const PaperRange& range)
{
    printf("  %s\n", title);
    for (int row = 0; row < kTargetRowCount && table[row].paperKeyword[0]; ++row) {
        printf("    %-10s mask 0x%08lx ->", Utf8(table[row].paperKeyword).c_str(),
               static_cast<unsigned long>(table[row].targetMask));
        for (int i = 0; i < kPaperKeywordCount; ++i) {
            if (table[row].targetMask & (1u << i))
                printf(" %s", Utf8(range.keywords[i]).c_str());
        }
        printf("\n");
    }
}

}  // namespace

void ReportModelProfile(const ModelProfile& p)
{
    PaperRange range;
    PaperRangeOfVariant(p.driverVariant, &range);

    Heading("Model profile (ModelProfile record, 3264 bytes)");
    Field("driverVariant", p.driverVariant);
    Field("localeArea", p.localeArea);
    Field("enabledPaperCount", p.enabledPaperCount);
    Field("paperCommand", p.paperCommand);
    printf("  paperEntries (keyword: enabled rotatable duplexAllowed pjlName)\n");
    for (int i = range.first; i <= range.last; ++i) {
        const ProfilePaperEntry& slot = p.paperEntries[i];
        printf("    %2d %-9s %d %d %d \"%s\"\n", i, Utf8(range.keywords[i]).c_str(), slot.enabled, slot.rotatable,
               slot.duplexAllowed, slot.pjlName);
    }
    ReportTargets("zoomTable", p.zoomTable, range);
    ReportTargets("nUpTable", p.nUpTable, range);
    Field("maxTrayCount", p.maxTrayCount);
    Field("defaultTrayCount", p.defaultTrayCount);
    Field("fixedBinCount", p.fixedBinCount);
    Field("rotate", p.rotate);
    Field("shift", p.shift);
    Field("outputTray", p.outputTray);
    Field("staple", p.staple);
    Field("duplex", p.duplex);
    Field("memory", p.memory);
    Field("security", p.security);
    Field("reserve", p.reserve);
    Field("duplexUnit", p.duplexUnit);
    Field("innerTray", p.innerTray);
    Field("outputTrayCount", p.outputTrayCount);
    Field("finisher", p.finisher);
    Field("logNo", p.logNo);
    Field("order", p.order);
    Field("orderDefault", p.orderDefault);
    Field("stapleCommand", p.stapleCommand);
    Field("stapleParams[0]", p.stapleParams[0]);
    Field("stapleParams[1]", p.stapleParams[1]);
    Field("duplexCommand", p.duplexCommand);
    Field("duplexParams[0]", p.duplexParams[0]);
    Field("duplexParams[1]", p.duplexParams[1]);
    Field("duplexParams[2]", p.duplexParams[2]);
    Field("smoothing", p.smoothing);
    Field("tonerSave", p.tonerSave);
    Field("control", p.control);
    Field("color", p.color);
    Field("resolution", p.resolution);
    Field("paperDefault", p.paperDefault);
    Field("model", p.model);
    Field("bypass", p.bypass);
    Field("duplexDefault", p.duplexDefault);
    Field("blackText", p.blackText);
    Field("supportColors", p.supportColors);
    Field("colorSwitch", p.colorSwitch);
    Field("timestamp", p.timestamp);
    for (int i = 0; i < kAboutEntryCount; ++i) {
        if (!p.dependencies[i][0] && !p.versions[i][0])
            continue;
        char name[32];
        snprintf(name, sizeof(name), "dependencies/versions[%d]", i);
        printf("  %-26s \"%s\" \"%s\"\n", name, Utf8(p.dependencies[i]).c_str(), Utf8(p.versions[i]).c_str());
    }
}
