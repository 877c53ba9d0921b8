// Mutations of a model profile (see profile_mutations.h).
#include "profile_mutations.h"

#include <windows.h>

#include <vector>

namespace {

const wchar_t* const kNumbers[] = {L"0", L"1", L"-1", L"2", L"3", L"4", L"5", L"256", L"-32768", L"65536",
                                   L"2147483647", L"-2147483648", L"4294967296", L"99999999999999999999",
                                   L"0x10", L"1,1,1", L"", L" 2"};

}  // namespace

std::wstring SampleText(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<BYTE> bytes(256 * 1024);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), read / 2);
    if (!text.empty() && text[0] == 0xFEFF)
        text.erase(0, 1);
    return text;
}

std::wstring Mutated(const std::wstring& sample, FuzzRandom* random)
{
    std::wstring text = sample;
    for (uint32_t n = 1 + random->Below(6); n > 0 && !text.empty(); --n) {
        const size_t at = random->Below(static_cast<uint32_t>(text.size()));
        const size_t equals = text.find(L'=', at);
        const size_t end = equals == std::wstring::npos ? std::wstring::npos : text.find(L'\r', equals);
        switch (random->Below(6)) {
        case 0:   // a value replaced by a number at a boundary
            if (end != std::wstring::npos)
                text.replace(equals + 1, end - equals - 1, random->Pick(kNumbers));
            break;
        case 1:   // an over-long text
            if (end != std::wstring::npos)
                text.replace(equals + 1, end - equals - 1, std::wstring(40 + random->Below(3000), L"AZ,1\x00e9\x4e2d"[random->Below(6)]));
            break;
        case 2:   // cut short
            text.resize(at);
            break;
        case 3:   // noise
            for (uint32_t k = random->Below(40); k > 0; --k)
                text[random->Below(static_cast<uint32_t>(text.size()))] = static_cast<wchar_t>(random->Next());
            break;
        case 4:   // a section or key repeated elsewhere
            text.insert(random->Below(static_cast<uint32_t>(text.size())), text.substr(at, random->Below(200)));
            break;
        default:  // lines of the sample, shuffled
            std::swap(text[at], text[random->Below(static_cast<uint32_t>(text.size()))]);
            break;
        }
    }
    return text;
}

// Without `random`: UTF-16LE with its mark, as shipped.
void WriteProfile(const std::wstring& path, const std::wstring& text, FuzzRandom* random)
{
    std::vector<BYTE> bytes;
    switch (random ? random->Below(5) : 2) {
    case 0: {   // UTF-8, no mark
        const int needed = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        bytes.resize(needed);
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                            reinterpret_cast<char*>(bytes.data()), needed, nullptr, nullptr);
        break;
    }
    case 1:     // UTF-16 big-endian with its mark
        bytes.push_back(0xFE);
        bytes.push_back(0xFF);
        for (wchar_t c : text) {
            bytes.push_back(static_cast<BYTE>(c >> 8));
            bytes.push_back(static_cast<BYTE>(c));
        }
        break;
    default:    // UTF-16LE with its mark, as shipped; sometimes an odd byte cut off
        bytes.push_back(0xFF);
        bytes.push_back(0xFE);
        bytes.insert(bytes.end(), reinterpret_cast<const BYTE*>(text.data()),
                     reinterpret_cast<const BYTE*>(text.data() + text.size()));
        if (random && random->OneIn(4) && !bytes.empty())
            bytes.pop_back();
        break;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

