// Splitting a profile file into sections and keys the way the platform's
// profile reader does (see profile_text.h).
#include "profile_text.h"

#include <windows.h>

namespace {

bool IsProfileBlank(wchar_t c)
{
    WORD type = 0;
    if (c == 0x1A)   // the old end-of-file mark counts as a blank
        return true;
    return GetStringTypeW(CT_CTYPE1, &c, 1, &type) && (type & C1_SPACE);
}

std::wstring Decode(const std::string& bytes, ProfileEncoding* encoding)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    std::wstring text;
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        *encoding = ProfileEncoding::kUtf8;
        const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(size - 3), nullptr, 0);
        text.resize(length);
        MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(size - 3), text.data(), length);
    } else if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
        const bool little = data[0] == 0xFF;
        *encoding = little ? ProfileEncoding::kUtf16Le : ProfileEncoding::kUtf16Be;
        for (size_t i = 2; i + 1 < size; i += 2)
            text += static_cast<wchar_t>(little ? data[i] | data[i + 1] << 8 : data[i] << 8 | data[i + 1]);
    } else {
        *encoding = ProfileEncoding::kAnsi;
        const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(size), nullptr, 0);
        text.resize(length);
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(size), text.data(), length);
    }
    return text;
}

}  // namespace

bool SameProfileName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

void ScanProfileText(const std::string& bytes, ProfileText* text)
{
    const std::wstring all = Decode(bytes, &text->encoding);
    text->lines.clear();
    text->firstNonAsciiLine = 0;
    int sectionLine = 0;
    size_t start = 0;
    for (int number = 1; start < all.size(); ++number) {
        size_t end = all.find(L'\n', start);
        if (end == std::wstring::npos)
            end = all.size();
        std::wstring line = all.substr(start, end - start);
        start = end + 1;

        for (wchar_t c : line)
            if (c >= 0x80 && !text->firstNonAsciiLine)
                text->firstNonAsciiLine = number;
        size_t first = 0;
        size_t last = line.size();
        while (first < last && IsProfileBlank(line[first]))
            ++first;
        while (last > first && IsProfileBlank(line[last - 1]))
            --last;
        line = line.substr(first, last - first);

        ProfileTextLine entry;
        entry.number = number;
        const size_t close = line.rfind(L']');
        if (line.empty()) {
            entry.kind = ProfileTextLine::kBlank;
        } else if (line[0] == L'[' && close != std::wstring::npos) {
            entry.kind = ProfileTextLine::kSection;
            entry.name = line.substr(1, close - 1);
            sectionLine = number;
        } else {
            entry.kind = ProfileTextLine::kKey;
            entry.sectionLine = sectionLine;
            const size_t equals = line.find(L'=');
            entry.hasEquals = equals != std::wstring::npos;
            size_t nameEnd = entry.hasEquals ? equals : line.size();
            while (nameEnd > 0 && IsProfileBlank(line[nameEnd - 1]))
                --nameEnd;
            entry.name = line.substr(0, nameEnd);
            if (entry.hasEquals) {
                size_t valueStart = equals + 1;
                while (valueStart < line.size() && IsProfileBlank(line[valueStart]))
                    ++valueStart;
                entry.value = line.substr(valueStart);
            }
        }
        text->lines.push_back(entry);
    }
}

const ProfileTextLine* FindSection(const ProfileText& text, const std::wstring& section)
{
    for (const ProfileTextLine& line : text.lines)
        if (line.kind == ProfileTextLine::kSection && SameProfileName(line.name, section))
            return &line;
    return nullptr;
}

std::vector<const ProfileTextLine*> FindKeys(const ProfileText& text, const std::wstring& section,
                                             const std::wstring& key)
{
    std::vector<const ProfileTextLine*> found;
    const ProfileTextLine* header = FindSection(text, section);
    if (!header)
        return found;
    for (const ProfileTextLine& line : text.lines)
        if (line.kind == ProfileTextLine::kKey && line.sectionLine == header->number && SameProfileName(line.name, key))
            found.push_back(&line);
    return found;
}
