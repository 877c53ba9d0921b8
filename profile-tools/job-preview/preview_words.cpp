#include "preview_words.h"

#include <cwctype>

#include "profile/paper_lookups.h"

namespace {

std::wstring LowerNarrow(const char* text)
{
    std::wstring out;
    for (; *text; ++text)
        out += static_cast<WCHAR>(towlower(static_cast<unsigned char>(*text)));
    return out;
}

const wchar_t* const kOutputTrays[] = {L"auto", L"inner1", L"inner2", L"outer", L"finisher"};
const wchar_t* const kTrueType[] = {L"bitmap", L"download", L"substitute"};

}  // namespace

std::wstring PaperWord(const ModelState& model, int16_t code)
{
    const int keyword = KeywordIndexOfCode(model, code);
    if (keyword < 0 || !AvailablePaperRowOfCode(model, code))
        return L"unknown";
    std::wstring word;
    for (const WCHAR* c = model.paperKeywords[keyword]; *c; ++c)
        word += static_cast<WCHAR>(towlower(*c));
    return word;
}

std::vector<std::wstring> OfferedPaperWords(const ModelState& model)
{
    std::vector<std::wstring> words;
    for (int row = 0; row < model.enabledPaperCount && row < kPaperKeywordCount; ++row)
        words.push_back(PaperWord(model, model.availablePapers[row].paperCode));
    return words;
}

int16_t PaperCodeOfWord(const ModelState& model, const std::wstring& word)
{
    for (int row = 0; row < model.enabledPaperCount && row < kPaperKeywordCount; ++row)
        if (PaperWord(model, model.availablePapers[row].paperCode) == word)
            return model.availablePapers[row].paperCode;
    return 0;
}

std::wstring SourceWord(const ModelState& model, int16_t code)
{
    int rows = 0;
    const BinRow* bins = BinListOfModel(model, &rows);
    for (int row = 0; row < rows; ++row)
        if (bins[row].binCode == code)
            return LowerNarrow(bins[row].pjlName);
    return L"unknown";
}

std::vector<std::wstring> OfferedSourceWords(const ModelState& model, int32_t trays)
{
    int rows = 0;
    const BinRow* bins = BinListOfModel(model, &rows);
    std::vector<std::wstring> words;
    for (int row = 0; row < BinRowsInUse(model, trays) && row < rows; ++row)
        if (bins[row].enabled)
            words.push_back(LowerNarrow(bins[row].pjlName));
    return words;
}

int16_t SourceCodeOfWord(const ModelState& model, const std::wstring& word)
{
    int rows = 0;
    const BinRow* bins = BinListOfModel(model, &rows);
    for (int row = 0; row < rows; ++row)
        if (LowerNarrow(bins[row].pjlName) == word)
            return bins[row].binCode;
    return kBinCodeAuto;
}

std::vector<std::wstring> OutputTrayWords()
{
    return std::vector<std::wstring>(std::begin(kOutputTrays), std::end(kOutputTrays));
}

int16_t OutputBinOfWord(const std::wstring& word)
{
    for (int i = 0; i < 5; ++i)
        if (word == kOutputTrays[i])
            return static_cast<int16_t>(i < 3 ? i : 3);
    return 0;
}

std::wstring OutputTrayWord(int16_t bin)
{
    // Bin 3 is the outer tray or the finisher, whichever is installed.
    return bin >= 0 && bin <= 2 ? kOutputTrays[bin] : bin == 3 ? L"finisher" : L"unknown";
}

std::vector<std::wstring> TrueTypeWords()
{
    return std::vector<std::wstring>(std::begin(kTrueType), std::end(kTrueType));
}

int16_t TrueTypeOptionOfWord(const std::wstring& word)
{
    for (int i = 0; i < 3; ++i)
        if (word == kTrueType[i])
            return static_cast<int16_t>(i + 1);
    return DMTT_DOWNLOAD;
}
