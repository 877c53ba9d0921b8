// The words the preview takes and prints for values, each read from the
// model the driver builds (papers, sources) or from the pages' own choices.
#ifndef MARTENUI_PREVIEW_WORDS_H
#define MARTENUI_PREVIEW_WORDS_H

#include <string>
#include <vector>

#include "profile/model_state.h"

// Papers: the model's keywords, in lower case; "unknown" for a code the
// model does not offer.
std::wstring PaperWord(const ModelState& model, int16_t code);
std::vector<std::wstring> OfferedPaperWords(const ModelState& model);
int16_t PaperCodeOfWord(const ModelState& model, const std::wstring& word);

// Paper sources: the PJL names of the bin rows in use for `trays`, in lower case.
std::wstring SourceWord(const ModelState& model, int16_t code);
std::vector<std::wstring> OfferedSourceWords(const ModelState& model, int32_t trays);
int16_t SourceCodeOfWord(const ModelState& model, const std::wstring& word);

// Output trays: auto, inner1, inner2, outer, finisher (the last two are bin 3).
std::vector<std::wstring> OutputTrayWords();
int16_t OutputBinOfWord(const std::wstring& word);
std::wstring OutputTrayWord(int16_t bin);

// TrueType handling: bitmap, download, substitute (dmTTOption 1 to 3).
std::vector<std::wstring> TrueTypeWords();
int16_t TrueTypeOptionOfWord(const std::wstring& word);

#endif
