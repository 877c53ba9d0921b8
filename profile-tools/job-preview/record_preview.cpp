#include "job_preview.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "settings/settings_merge.h"

bool PreviewRecord(const PreviewModel& m, const std::string& bytes, const std::vector<std::wstring>& installed,
                   PreviewResult* result, std::vector<RecordFinding>* findings, std::wstring* error)
{
    if (!InstalledOptionsOf(m, installed, &result->installed, error))
        return false;
    if (bytes.size() < kDeviceModeSizeFieldsEnd) {
        *error = L"not a device-mode record: " + std::to_wstring(bytes.size()) + L" bytes, fewer than its size fields";
        return false;
    }
    const auto* header = reinterpret_cast<const DEVMODEW*>(bytes.data());
    const size_t claimed = static_cast<size_t>(header->dmSize) + header->dmDriverExtra;
    if (SettingsVersionFromSize(bytes.data(), bytes.size()) == 0 || header->dmSize < kDeviceModeSizeFieldsEnd) {
        *error = L"not a device-mode record: its size fields say " + std::to_wstring(header->dmSize) + L" + " +
                 std::to_wstring(header->dmDriverExtra) + L" bytes and its version is 0";
        return false;
    }
    if (claimed > bytes.size()) {
        *error = L"a truncated record: it says " + std::to_wstring(claimed) + L" bytes and the file holds " +
                 std::to_wstring(bytes.size());
        return false;
    }

    if (MergeAndFinalize(m, bytes.data(), bytes.size(), result) != 1) {
        *error = L"not a record the driver can convert";
        return false;
    }

    // What was stored against what the driver prints with: the merge's
    // checks, then the finalize's (which fills the paper sizes again).
    DocumentSettings stored = {};
    CopyMemory(&stored, bytes.data(), std::min(bytes.size(), sizeof(stored)));
    const bool ours = header->dmDriverExtra == kSettingsPrivateBytes && header->dmSize == kSettingsHeaderBytes &&
                      stored.choiceMagic == kChoiceMagic;
    if (!ours)
        findings->push_back({"private part", "not this driver's", "the model's defaults"});
    const auto before = RecordFields(stored);
    const auto after = RecordFields(result->record);
    for (size_t i = 0; i < before.size(); ++i) {
        const bool publicField = before[i].first.compare(0, 2, "dm") == 0;
        if (before[i].first == "dmFields" || (!publicField && !ours))
            continue;
        if (before[i].second != after[i].second)
            findings->push_back({before[i].first, before[i].second, after[i].second});
    }
    result->overrides.clear();
    return true;
}

std::vector<std::pair<std::string, std::string>> RecordFields(const DocumentSettings& s)
{
    auto number = [](long value) { return std::to_string(value); };
    return {
        {"dmFields", [&] { char hex[16]; snprintf(hex, sizeof(hex), "0x%08lX", static_cast<unsigned long>(s.dmFields)); return std::string(hex); }()},
        {"dmOrientation", number(s.dmOrientation)},
        {"dmPaperSize", number(s.dmPaperSize)},
        {"dmPaperLength", number(s.dmPaperLength)},
        {"dmPaperWidth", number(s.dmPaperWidth)},
        {"dmCopies", number(s.dmCopies)},
        {"dmDefaultSource", number(s.dmDefaultSource)},
        {"dmPrintQuality", number(s.dmPrintQuality)},
        {"dmDuplex", number(s.dmDuplex)},
        {"dmTTOption", number(s.dmTTOption)},
        {"dmCollate", number(s.dmCollate)},
        {"resolutionDpi", number(s.resolutionDpi)},
        {"driverCollate", number(s.driverCollate)},
        {"scalingMode", number(s.scalingMode)},
        {"scalingValue", number(s.scalingValue)},
        {"pagesPerSheetCode", number(s.pagesPerSheetCode)},
        {"layoutMode", number(s.layoutMode)},
        {"zoomPercent", number(s.zoomPercent)},
        {"magnifyPaper", number(s.magnifyPaper)},
        {"nUpPaper", number(s.nUpPaper)},
        {"nUpPosition", number(s.nUpPosition)},
        {"sorterMode", number(s.sorterMode)},
        {"orderChoice", number(s.orderChoice)},
        {"reverseOrder", number(s.reverseOrder)},
        {"handlingListChoice", number(s.handlingListChoice)},
        {"rotate", number(s.rotate)},
        {"shift", number(s.shift)},
        {"duplexOn", number(s.duplexOn)},
        {"duplexBinding", number(s.duplexBinding)},
        {"bindingMargin", number(s.bindingMargin)},
        {"outputBin", number(s.outputBin)},
        {"staple", number(s.staple)},
        {"securityPrint", number(s.securityPrint)},
        {"smoothing", number(s.smoothing)},
        {"tonerSave", number(s.tonerSave)},
        {"trueTypeAsGraphics", number(s.trueTypeAsGraphics)},
        {"driverControlsSort", number(s.driverControlsSort)},
    };
}
