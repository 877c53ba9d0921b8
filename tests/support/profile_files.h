// Model profile files written by tests, in the form the driver ships them:
// UTF-16LE with a byte-order mark and CR LF line ends.
#ifndef MARTENUI_TESTS_PROFILE_FILES_H
#define MARTENUI_TESTS_PROFILE_FILES_H

#include <string>

// Writes `text` (lines separated by \n) as a profile file in the test
// scratch folder and returns its full path.
std::wstring WriteProfileFile(const std::wstring& fileName, const std::wstring& text);

// The scratch folder of this test process (created on first use).
std::wstring ScratchDir();

#endif
