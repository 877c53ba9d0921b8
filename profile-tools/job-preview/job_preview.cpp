#include "job_preview.h"

#include <windows.h>

#include <cstdio>
#include <cwctype>
#include <algorithm>
#include <functional>

#include "facts/printer_call.h"
#include "header_decode.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/paper_lookups.h"
#include "settings/default_settings.h"
#include "settings/finalize_settings.h"
#include "settings/page_choices.h"
#include "settings/settings_merge.h"
#include "preview_words.h"

namespace {

constexpr WCHAR kPrinterName[] = L"job-preview";

std::wstring Lower(std::wstring text)
{
    for (WCHAR& c : text)
        c = static_cast<WCHAR>(towlower(c));
    return text;
}

std::wstring Joined(const std::vector<std::wstring>& items)
{
    std::wstring out;
    for (const std::wstring& item : items)
        out += (out.empty() ? L"" : L", ") + item;
    return out.empty() ? L"none" : out;
}

// A word among `offered`, or -1.
int IndexOf(const std::vector<std::wstring>& offered, const std::wstring& word)
{
    for (size_t i = 0; i < offered.size(); ++i)
        if (offered[i] == Lower(word))
            return static_cast<int>(i);
    return -1;
}

bool NumberIn(const std::wstring& text, int low, int high, int* value)
{
    if (text.empty() || text.size() > 4)
        return false;
    for (WCHAR c : text)
        if (c < L'0' || c > L'9')
            return false;
    *value = _wtoi(text.c_str());
    return *value >= low && *value <= high;
}

std::wstring RangeText(int low, int high)
{
    return std::to_wstring(low) + L" to " + std::to_wstring(high);
}

// The user's choices, as parsed: each one asked or not.
struct Asked {
    std::vector<std::pair<std::wstring, std::wstring>> items;   // in the order given
    const std::wstring* Find(const wchar_t* name) const
    {
        for (const auto& item : items)
            if (item.first == name)
                return &item.second;
        return nullptr;
    }
};

bool Split(const std::wstring& text, std::wstring* name, std::wstring* value)
{
    const size_t equals = text.find(L'=');
    if (equals == std::wstring::npos || equals == 0)
        return false;
    *name = Lower(text.substr(0, equals));
    *value = text.substr(equals + 1);
    return true;
}

// What the pages offer this model: an empty list means the model has no
// such choice (the page lacks the control).
struct Offer {
    const wchar_t* name;
    std::function<std::vector<std::wstring>(const PreviewModel&)> words;   // null for a number
    int low;
    int high;
};

bool Variant2(const PreviewModel& m)
{
    return m.model.driverVariant == 2;
}

std::vector<std::wstring> OnOffIf(bool offered)
{
    return offered ? std::vector<std::wstring>{L"off", L"on"} : std::vector<std::wstring>{};
}

const Offer kChoices[] = {
    {L"paper", [](const PreviewModel& m) { return OfferedPaperWords(m.model); }, 0, 0},
    {L"source", [](const PreviewModel& m) { return OfferedSourceWords(m.model, m.model.maxTrayCount); }, 0, 0},
    {L"orientation", [](const PreviewModel&) { return std::vector<std::wstring>{L"portrait", L"landscape"}; }, 0, 0},
    {L"copies", nullptr, 1, 999},
    {L"copies-by",
     [](const PreviewModel& m) {
         return m.model.model == 3 && m.model.control ? std::vector<std::wstring>{L"printer", L"driver"}
                                                      : std::vector<std::wstring>{};
     },
     0, 0},
    {L"zoom", nullptr, kMinimumRatio, kMaximumRatio},
    {L"magnify", nullptr, 0, 0},   // papers checked against the chosen paper
    {L"n-in-1",
     [](const PreviewModel& m) {
         return m.model.driverVariant <= 2 ? std::vector<std::wstring>{L"1", L"2", L"4"} : std::vector<std::wstring>{};
     },
     0, 0},
    {L"position", nullptr, 1, 4},
    {L"target", nullptr, 0, 0},
    {L"sorter", [](const PreviewModel&) { return std::vector<std::wstring>{L"stack", L"sort"}; }, 0, 0},
    {L"order",
     [](const PreviewModel& m) {
         return m.model.order ? std::vector<std::wstring>{L"normal", L"reverse"} : std::vector<std::wstring>{};
     },
     0, 0},
    {L"overlay", nullptr, 0, 10},
    {L"rotate", [](const PreviewModel& m) { return OnOffIf(m.model.rotate != 0); }, 0, 0},
    {L"shift", [](const PreviewModel& m) { return OnOffIf(Variant2(m) && m.model.shift); }, 0, 0},
    {L"duplex", [](const PreviewModel& m) { return OnOffIf(Variant2(m) && m.model.duplex); }, 0, 0},
    {L"flip",
     [](const PreviewModel& m) {
         return Variant2(m) && m.model.duplex ? std::vector<std::wstring>{L"long", L"short"}
                                              : std::vector<std::wstring>{};
     },
     0, 0},
    {L"binding-margin", [](const PreviewModel& m) { return OnOffIf(Variant2(m) && m.model.duplex); }, 0, 0},
    {L"output-tray",
     [](const PreviewModel& m) {
         return Variant2(m) && m.model.outputTray ? OutputTrayWords() : std::vector<std::wstring>{};
     },
     0, 0},
    {L"staple", [](const PreviewModel& m) { return OnOffIf(Variant2(m) && m.model.staple); }, 0, 0},
    {L"resolution", [](const PreviewModel&) { return std::vector<std::wstring>{L"300", L"600"}; }, 0, 0},
    {L"smoothing", [](const PreviewModel& m) { return OnOffIf(m.model.smoothing != 0); }, 0, 0},
    {L"toner-save",
     [](const PreviewModel& m) { return OnOffIf(m.model.driverVariant != 1 && m.model.tonerSave); }, 0, 0},
    {L"truetype", [](const PreviewModel&) { return TrueTypeWords(); }, 0, 0},
    {L"security", [](const PreviewModel& m) { return OnOffIf(Variant2(m) && m.model.security); }, 0, 0},
    {L"password", nullptr, 0, 0},   // up to four characters
};

const Offer kInstalled[] = {
    {L"trays", nullptr, 1, 4},
    {L"memory", nullptr, 0, 5},
    {L"duplex-unit", [](const PreviewModel&) { return OnOffIf(true); }, 0, 0},
    {L"inner-tray", [](const PreviewModel&) { return OnOffIf(true); }, 0, 0},
    {L"outer-tray", [](const PreviewModel&) { return OnOffIf(true); }, 0, 0},
    {L"finisher", [](const PreviewModel&) { return OnOffIf(true); }, 0, 0},
};

template <size_t N>
const Offer* FindOffer(const Offer (&table)[N], const std::wstring& name)
{
    for (const Offer& offer : table)
        if (name == offer.name)
            return &offer;
    return nullptr;
}

template <size_t N>
std::wstring Names(const Offer (&table)[N], const PreviewModel& m)
{
    std::vector<std::wstring> names;
    for (const Offer& offer : table)
        if (!offer.words || !offer.words(m).empty())
            names.push_back(offer.name);
    return Joined(names);
}

// Parses and checks "NAME=VALUE" items against a table; the values that
// depend on other choices are checked later.
template <size_t N>
bool ParseItems(const Offer (&table)[N], const wchar_t* what, const PreviewModel& m,
                const std::vector<std::wstring>& items, Asked* asked, std::wstring* error)
{
    for (const std::wstring& item : items) {
        std::wstring name, value;
        const Offer* offer = Split(item, &name, &value) ? FindOffer(table, name) : nullptr;
        if (!offer || (offer->words && offer->words(m).empty())) {
            *error = L"\"" + item + L"\": not " + what + L" of this model; it offers " + Names(table, m);
            return false;
        }
        if (offer->words) {
            const std::vector<std::wstring> words = offer->words(m);
            if (IndexOf(words, value) < 0) {
                *error = name + L"=" + value + L": not a value of this model; it offers " + Joined(words);
                return false;
            }
            value = Lower(value);
        } else if (offer->high > 0) {
            int number = 0;
            if (!NumberIn(value, offer->low, offer->high, &number)) {
                *error = name + L"=" + value + L": out of range; it takes " + RangeText(offer->low, offer->high);
                return false;
            }
        }
        asked->items.emplace_back(name, value);
    }
    return true;
}

int NumberOr(const Asked& asked, const wchar_t* name, int fallback)
{
    const std::wstring* value = asked.Find(name);
    return value ? _wtoi(value->c_str()) : fallback;
}

int OnOffOr(const Asked& asked, const wchar_t* name, int fallback)
{
    const std::wstring* value = asked.Find(name);
    return value ? (*value == L"on" ? 1 : 0) : fallback;
}

// The magnify or N-in-1 target papers of a paper, as the Paper/Layout page
// lists them.
std::vector<std::wstring> TargetWords(const ModelState& model, int16_t paperCode, int kind)
{
    std::vector<std::wstring> words;
    if (model.driverVariant > 2)
        return words;
    const int keyword = KeywordIndexOfCode(model, paperCode);
    const uint32_t mask = kind == kRatioMagnify ? ZoomTargetMask(model, keyword, model.localeArea)
                                                : NUpTargetMask(model, keyword, model.localeArea);
    for (int i = 0; i <= model.lastPaperIndex && i < kPaperKeywordCount; ++i) {
        if (!(mask & (1u << i)))
            continue;
        const int16_t code = model.availablePapers[AvailablePaperOfCode(model, model.paperTable[i].paperCode)].paperCode;
        if (kind == kRatioMagnify && code == paperCode)
            continue;
        if (kind == kRatioFourInOne && paperCode == 13 && code == 43)
            continue;   // the page never offers this pair
        const int ratio = PaperRatio(model, kind, paperCode, code);
        if (ratio >= kMinimumRatio && ratio <= kMaximumRatio)
            words.push_back(PaperWord(model, code));
    }
    return words;
}

bool CheckLayout(const PreviewModel& m, const Asked& asked, int16_t paper, std::wstring* error)
{
    const std::wstring* magnify = asked.Find(L"magnify");
    const std::wstring* nUp = asked.Find(L"n-in-1");
    const std::wstring* target = asked.Find(L"target");
    const std::wstring* position = asked.Find(L"position");
    const bool nUpAsked = nUp && *nUp != L"1";
    if (magnify) {
        const std::vector<std::wstring> words = TargetWords(m.model, paper, kRatioMagnify);
        if (nUpAsked || IndexOf(words, *magnify) < 0) {
            *error = L"magnify=" + *magnify + L": not offered " +
                     (nUpAsked ? L"with N-in-1" : L"for paper " + PaperWord(m.model, paper)) + L"; it offers " +
                     (nUpAsked ? L"none" : Joined(words));
            return false;
        }
    }
    if (nUpAsked && TargetWords(m.model, paper, kRatioTwoInOne).empty() &&
        !NUpTargetMask(m.model, KeywordIndexOfCode(m.model, paper), m.model.localeArea)) {
        *error = L"n-in-1=" + *nUp + L": not offered for paper " + PaperWord(m.model, paper) + L"; it offers 1";
        return false;
    }
    if (target) {
        const int kind = nUp && *nUp == L"4" ? kRatioFourInOne : kRatioTwoInOne;
        const std::vector<std::wstring> words = TargetWords(m.model, paper, kind);
        if (!nUpAsked || IndexOf(words, *target) < 0) {
            *error = L"target=" + *target + L": not offered " +
                     (nUpAsked ? L"for paper " + PaperWord(m.model, paper) + L" " + *nUp + L" in 1" : L"without N-in-1") +
                     L"; it offers " + (nUpAsked ? Joined(words) : L"none");
            return false;
        }
    }
    if (position) {
        const int most = nUp && *nUp == L"2" ? 2 : 4;
        if (!nUpAsked || _wtoi(position->c_str()) > most) {
            *error = L"position=" + *position + L": out of range; it takes " + (nUpAsked ? RangeText(1, most) : L"none without N-in-1");
            return false;
        }
    }
    const std::wstring* password = asked.Find(L"password");
    if (password && (password->empty() || password->size() > 4)) {
        *error = L"password=" + *password + L": takes 1 to 4 characters";
        return false;
    }
    if (password && !(Variant2(m) && m.model.security)) {
        *error = L"\"password\": not a choice of this model; it has no security print";
        return false;
    }
    return true;
}

void ApplyInstalled(const Asked& asked, DeviceOptionData* o)
{
    o->trayCount = static_cast<int16_t>(NumberOr(asked, L"trays", o->trayCount));
    o->memoryIndex = static_cast<int16_t>(NumberOr(asked, L"memory", o->memoryIndex));
    o->duplexUnit = OnOffOr(asked, L"duplex-unit", o->duplexUnit);
    o->innerTray = OnOffOr(asked, L"inner-tray", o->innerTray);
    o->outerTray = OnOffOr(asked, L"outer-tray", o->outerTray);
    o->finisher = OnOffOr(asked, L"finisher", o->finisher);
}

void StoreChoices(const PreviewModel& m, const Asked& asked, DeviceOptionData* installed, DocumentSettings* s)
{
    const ModelState& model = m.model;
    LayoutChoices layout = {};
    layout.paperChosen = true;
    layout.paperCode = s->dmPaperSize;
    if (const std::wstring* paper = asked.Find(L"paper"))
        layout.paperCode = PaperCodeOfWord(model, *paper);
    layout.sourceChosen = true;
    layout.sourceCode = s->dmDefaultSource;
    if (const std::wstring* source = asked.Find(L"source"))
        layout.sourceCode = SourceCodeOfWord(model, *source);
    const std::wstring* orientation = asked.Find(L"orientation");
    layout.orientation = orientation ? (*orientation == L"landscape" ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT)
                                     : s->dmOrientation;
    layout.copies = static_cast<int16_t>(NumberOr(asked, L"copies", s->dmCopies));
    const std::wstring* nUp = asked.Find(L"n-in-1");
    const std::wstring* magnify = asked.Find(L"magnify");
    layout.layout = nUp && *nUp == L"2" ? kLayoutTwoInOne
                    : nUp && *nUp == L"4" ? kLayoutFourInOne
                    : magnify ? kLayoutMagnify : kLayoutZoom;
    layout.zoom = static_cast<int16_t>(NumberOr(asked, L"zoom", s->zoomPercent));
    layout.magnifyChosen = magnify != nullptr;
    layout.magnifyPaper = magnify ? PaperCodeOfWord(model, *magnify) : 0;
    const std::wstring* target = asked.Find(L"target");
    layout.targetChosen = true;
    layout.targetPaper = target ? PaperCodeOfWord(model, *target) : static_cast<int16_t>(model.paperDefault);
    layout.position = static_cast<int16_t>(NumberOr(asked, L"position", 1) - 1);
    layout.nUpCode = layout.layout >= kLayoutTwoInOne ? NUpCodeOf(layout.layout == kLayoutTwoInOne ? 2 : 4, layout.position) : 1;
    // Without the copy radios the driver makes the copies.
    const bool copyRadios = model.model == 3 && model.control != 0;
    const std::wstring* copiesBy = asked.Find(L"copies-by");
    layout.driverControlsSort = !copyRadios ? 1 : copiesBy ? (*copiesBy == L"driver" ? 1 : 0) : s->driverControlsSort;
    StoreLayoutChoices(model, layout, s);

    HandlingChoices handling = {};
    const std::wstring* order = asked.Find(L"order");
    handling.orderShown = order != nullptr;
    handling.orderNormal = order && *order == L"normal" ? 1 : 0;
    const std::wstring* sorter = asked.Find(L"sorter");
    handling.sort = sorter ? (*sorter == L"sort" ? 1 : 0) : s->sorterMode;
    handling.overlayShown = asked.Find(L"overlay") != nullptr;
    handling.overlay = static_cast<int16_t>(NumberOr(asked, L"overlay", 0));
    handling.rotate = OnOffOr(asked, L"rotate", s->rotate);
    handling.duplexOn = OnOffOr(asked, L"duplex", s->duplexOn);
    const std::wstring* flip = asked.Find(L"flip");
    handling.duplexBinding = flip ? (*flip == L"short" ? kShortEdge : kLongEdge) : s->duplexBinding;
    handling.bindingMargin = OnOffOr(asked, L"binding-margin", s->bindingMargin);
    // The page clears the duplex choices while the duplex unit is missing.
    if (!installed->duplexUnit) {
        handling.duplexOn = 0;
        handling.duplexBinding = kLongEdge;
        handling.bindingMargin = 0;
    }
    handling.staple = static_cast<int16_t>(OnOffOr(asked, L"staple", s->staple));
    handling.securityPrint = OnOffOr(asked, L"security", s->securityPrint);
    const std::wstring* tray = asked.Find(L"output-tray");
    handling.outputBin = tray ? OutputBinOfWord(*tray) : s->outputBin;
    handling.shift = OnOffOr(asked, L"shift", s->shift);
    StoreHandlingChoices(m.profile, handling, s);

    // The Fonts page's TrueType choice comes before the Quality page's toner
    // save, which may turn TrueType into graphics.
    if (const std::wstring* trueType = asked.Find(L"truetype")) {
        s->dmTTOption = TrueTypeOptionOfWord(*trueType);
        s->dmFields |= DM_TTOPTION;
    }
    QualityChoices quality = {};
    quality.halftoneText = s->blackTextChoice == 0;
    const std::wstring* resolution = asked.Find(L"resolution");
    quality.resolution600 = resolution ? *resolution == L"600" : s->dmPrintQuality == -4;
    quality.smoothing = OnOffOr(asked, L"smoothing", s->smoothing) != 0;
    quality.tonerSave = OnOffOr(asked, L"toner-save", s->tonerSave) != 0;
    StoreQualityChoices(m.profile, true, quality, s);

    // The Device Options page's password comes with its security print box.
    if (const std::wstring* password = asked.Find(L"password")) {
        installed->securityPrint = 1;
        ZeroMemory(installed->securityPassword, sizeof(installed->securityPassword));
        lstrcpynW(installed->securityPassword, password->c_str(), 5);
    }
}

std::wstring Installed(int32_t value)
{
    return value ? L"installed" : L"not installed";
}

// Every asked choice that the record or the header does not carry as
// asked, and the driver's reason.
void FindOverrides(const PreviewModel& m, const Asked& asked, const PreviewResult& r,
                   std::vector<PreviewOverride>* overrides)
{
    const ModelState& model = m.model;
    const DocumentSettings& s = r.record;
    const DeviceOptionData& o = r.installed;
    auto add = [&](const wchar_t* choice, const std::wstring& used, const std::wstring& reason) {
        const std::wstring* value = asked.Find(choice);
        if (value && *value != used)
            overrides->push_back({choice, *value, used, reason});
    };
    add(L"source", SourceWord(model, s.dmDefaultSource),
        o.trayCount == 1 ? std::wstring(L"only 1 tray is installed")
                         : L"only " + std::to_wstring(o.trayCount) + L" trays are installed");
    int16_t bin = s.outputBin;
    if (!IsOutputBinValid(bin, o.innerTray, o.outerTray, o.finisher))
        bin = 0;
    if (const std::wstring* tray = asked.Find(L"output-tray"); tray && OutputBinOfWord(*tray) != bin)
        overrides->push_back({L"output-tray", *tray, L"auto",
                              L"with the inner tray " + Installed(o.innerTray) + L", the outer tray " +
                                  Installed(o.outerTray) + L" and the finisher " + Installed(o.finisher) +
                                  L" the printer has no such tray"});
    const bool finisherBin = o.finisher != 0 && bin == 3;
    const std::wstring finisherReason =
        o.finisher ? L"the output tray is not the finisher" : L"the finisher is not installed";
    if (!finisherBin) {
        add(L"shift", L"off", finisherReason);
        add(L"staple", L"off", finisherReason);
    }
    if (!o.duplexUnit) {
        add(L"duplex", L"off", L"the duplex unit is not installed");
        add(L"flip", L"long", L"the duplex unit is not installed");
        add(L"binding-margin", L"off", L"the duplex unit is not installed");
    }
    if (model.security && s.securityPrint) {
        if (model.reserve && !o.memoryIndex)
            add(L"security", L"off", L"security print needs memory, and none is installed");
        else if (!o.securityPrint)
            add(L"security", L"off", L"no security print password is set on the Device Options page");
    }
    if (model.rotate && s.rotate) {
        const PaperRow* paper = AvailablePaperRowOfCode(
            model, s.layoutMode == kLayoutZoom ? s.dmPaperSize : s.layoutMode == kLayoutMagnify ? s.magnifyPaper : s.nUpPaper);
        if (!paper || !paper->rotatable)
            add(L"rotate", L"off", L"the paper printed on cannot be rotated");
    }
    if (s.tonerSave && model.driverVariant != 2)
        add(L"truetype", L"bitmap", L"toner save prints TrueType text as graphics");
}

}  // namespace

bool ReadPreviewModel(const std::wstring& path, PreviewModel* model, std::wstring* error)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *error = L"cannot read the profile";
        return false;
    }
    ReadModelProfile(path.c_str(), &model->profile);
    BuildModel(model->profile, &model->model);
    ReadProfileVersion(path.c_str(), 3, kProfileVersionChars, model->version);
    model->version[kProfileVersionChars - 1] = 0;
    return true;
}

bool InstalledOptionsOf(const PreviewModel& m, const std::vector<std::wstring>& installed, DeviceOptionData* options,
                        std::wstring* error)
{
    Asked asked;
    if (!ParseItems(kInstalled, L"an installed option", m, installed, &asked, error))
        return false;
    if (NumberOr(asked, L"trays", 1) > m.model.maxTrayCount) {
        *error = L"trays=" + *asked.Find(L"trays") + L": out of range; this model takes " +
                 RangeText(1, m.model.maxTrayCount);
        return false;
    }
    *options = DefaultDeviceOptions(m.model);
    ApplyInstalled(asked, options);
    return true;
}

int MergeAndFinalize(const PreviewModel& m, const void* input, size_t inputBytes, PreviewResult* result)
{
    PjlJobFacts noPrinter;
    GatherPjlJobFacts(nullptr, &noPrinter);
    PrinterCall call;
    call.optionsFetched = true;
    call.optionsRead = true;
    call.options = result->installed;
    const int merged =
        MergeSettings(m.model, &result->record, input, inputBytes, &call, kPrinterName, &m.profile, noPrinter);
    PjlJobFacts facts = noPrinter;
    facts.withPrinter = true;
    if (m.model.driverVariant == 2)
        facts.installed = result->installed;
    CopyMemory(facts.profileVersion, m.version, sizeof(facts.profileVersion));
    FinalizeForPrinting(m.model, &result->record, sizeof(result->record), facts);
    result->header = HeaderLines(m, result->record.pjlHeader);
    return merged;
}

bool BuildPreview(const PreviewModel& m, const std::vector<std::wstring>& choices,
                  const std::vector<std::wstring>& installed, PreviewResult* result, std::wstring* error)
{
    Asked asked;
    if (!ParseItems(kChoices, L"a choice", m, choices, &asked, error) ||
        !InstalledOptionsOf(m, installed, &result->installed, error))
        return false;

    PjlJobFacts noPrinter;
    GatherPjlJobFacts(nullptr, &noPrinter);
    DocumentSettings defaults;
    BuildDefaultSettings(m.model, kPrinterName, &m.profile, noPrinter, &defaults);
    const std::wstring* paper = asked.Find(L"paper");
    if (!CheckLayout(m, asked, paper ? PaperCodeOfWord(m.model, *paper) : defaults.dmPaperSize, error))
        return false;

    StoreChoices(m, asked, &result->installed, &defaults);

    MergeAndFinalize(m, &defaults, sizeof(defaults), result);
    result->overrides.clear();
    FindOverrides(m, asked, *result, &result->overrides);
    return true;
}

std::vector<std::wstring> OfferedValues(const PreviewModel& model, const std::wstring& name, bool installed)
{
    const Offer* offer = installed ? FindOffer(kInstalled, name) : FindOffer(kChoices, name);
    if (!offer)
        return {};
    if (offer->words)
        return offer->words(model);
    if (offer->high == 0)
        return {};
    const int high = installed && name == L"trays" ? model.model.maxTrayCount : offer->high;
    return {std::to_wstring(offer->low), std::to_wstring(high)};
}

std::vector<PreviewLine> HeaderLines(const PreviewModel& model, const char* header)
{
    std::vector<PreviewLine> lines;
    DecodedHeader decoded;
    std::wstring error;
    DecodeJobHeader(model, header, &decoded, &error);
    size_t at = 0;
    const std::string text(header);
    for (const DecodedLine& line : decoded.lines) {
        if (line.number == 0)
            continue;   // a choice the header carries by a line's absence
        const size_t end = text.find('\n', at);
        const std::string whole = text.substr(at, end == std::string::npos ? std::string::npos : end + 1 - at);
        lines.push_back({whole, line.choice, line.value});
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}
