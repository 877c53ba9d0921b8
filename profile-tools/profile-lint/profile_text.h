// The lines of a model profile file as the platform's profile reader sees
// them: which line holds which section and key, so that the checker can
// point at the line behind every value the driver read.
#ifndef MARTENUI_PROFILE_LINT_PROFILE_TEXT_H
#define MARTENUI_PROFILE_LINT_PROFILE_TEXT_H

#include <string>
#include <vector>

enum class ProfileEncoding { kUtf16Le, kUtf16Be, kUtf8, kAnsi };

struct ProfileTextLine {
    enum Kind { kBlank, kSection, kKey } kind = kBlank;
    int number = 0;                // 1-based line number in the file
    std::wstring name;             // section name, or key name
    std::wstring value;            // key value, blanks trimmed (empty without '=')
    bool hasEquals = false;
    int sectionLine = 0;           // key lines: the line of their section header, 0 before any
};

struct ProfileText {
    ProfileEncoding encoding = ProfileEncoding::kAnsi;
    int firstNonAsciiLine = 0;     // 0 when the file holds only ASCII
    std::vector<ProfileTextLine> lines;
};

// Splits `bytes` into lines as the platform does: lines end at LF, blanks
// around names and values are dropped, a section header is "[" up to the
// last "]", and a key line without "=" is a key without a value.
void ScanProfileText(const std::string& bytes, ProfileText* text);

// True when `a` and `b` are the same name to the profile reader (no case).
bool SameProfileName(const std::wstring& a, const std::wstring& b);

// The first section line named `section` (the only one the platform reads),
// or null.
const ProfileTextLine* FindSection(const ProfileText& text, const std::wstring& section);

// The key lines named `key` in the first section named `section`, in order.
std::vector<const ProfileTextLine*> FindKeys(const ProfileText& text, const std::wstring& section,
                                             const std::wstring& key);

#endif
