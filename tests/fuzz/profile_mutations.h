// Mutated model profiles: cut short, in the wrong encoding, with huge and
// negative numbers, over-long texts, repeated keys and noise. The fuzz
// program feeds them to printer initialisation; the profile checker's test
// checks that it reports every line the driver reads differently.
#ifndef MARTENUI_TESTS_PROFILE_MUTATIONS_H
#define MARTENUI_TESTS_PROFILE_MUTATIONS_H

#include <string>

#include "fuzz_random.h"

// The text of a UTF-16LE profile file, without its byte-order mark.
std::wstring SampleText(const std::wstring& path);

// `sample` with one to six random mutations.
std::wstring Mutated(const std::wstring& sample, FuzzRandom* random);

// Writes `text` as a profile file; without `random` UTF-16LE with its mark,
// as shipped, else sometimes UTF-8, UTF-16BE or with an odd byte cut off.
void WriteProfile(const std::wstring& path, const std::wstring& text, FuzzRandom* random);

#endif
