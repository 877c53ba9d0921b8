// Mutated model profiles through printer initialisation and a capability
// burst: cut short, in the wrong encoding, with huge and negative numbers
// and over-long texts; and hostile cached "DriverProfile" records.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzz.h"
#include "fuzz_checks.h"
#include "profile/model_profile.h"

namespace {

const wchar_t* const kNumbers[] = {L"0", L"1", L"-1", L"2", L"3", L"4", L"5", L"256", L"-32768", L"65536",
                                   L"2147483647", L"-2147483648", L"4294967296", L"99999999999999999999",
                                   L"0x10", L"1,1,1", L"", L" 2"};

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

void CheckStoredProfile(HANDLE printer, FuzzReport* report)
{
    ModelProfile stored;
    DWORD type = 0;
    DWORD needed = 0;
    if (GetPrinterDataW(printer, const_cast<wchar_t*>(L"DriverProfile"), &type, reinterpret_cast<BYTE*>(&stored),
                        sizeof(stored), &needed) != ERROR_SUCCESS ||
        needed != sizeof(stored)) {
        report->Problem("no whole DriverProfile stored");
        return;
    }
    const char* narrow[] = {stored.paperCommand, stored.stapleCommand, stored.duplexCommand};
    for (const char* field : narrow)
        if (field[31] != 0)
            report->Problem("a command name without its last zero");
    for (const ProfilePaperEntry& paper : stored.paperEntries)
        if (paper.pjlName[15] != 0)
            report->Problem("a paper name without its last zero");
    if (stored.driverVariant < 1 || stored.driverVariant > 3 || stored.localeArea < 0 || stored.localeArea > 3)
        report->Problem("variant or locale area out of range");
    if (!Terminated(stored.timestamp, sizeof(stored.timestamp), 2))
        report->Problem("timestamp without terminator");
}

}  // namespace

void FuzzProfiles(const FuzzDriver& driver, const FuzzPrinter& printer, const std::wstring& profilePath,
                  long long count, FuzzRandom* random, FuzzReport* report)
{
    const std::wstring sample = SampleText(profilePath);
    for (long long input = 0; input < count; ++input) {
        fuzzInput = input;
        ++report->tried;
        fuzzStage = "model profiles: printer initialisation";
        WriteProfile(profilePath, Mutated(sample, random), random);
        driver.printerEvent(const_cast<wchar_t*>(printer.name.c_str()), PRINTER_EVENT_INITIALIZE, 0, 0);
        CheckStoredProfile(printer.handle, report);
        fuzzStage = "model profiles: capability burst";
        CheckedCapabilityBurst(driver, printer.handle, report);

        // The cached record bent byte by byte, as another program might leave it.
        fuzzStage = "model profiles: hostile cached record";
        ModelProfile cached;
        DWORD type = 0;
        DWORD needed = 0;
        GetPrinterDataW(printer.handle, const_cast<wchar_t*>(L"DriverProfile"), &type, reinterpret_cast<BYTE*>(&cached),
                        sizeof(cached), &needed);
        auto* bytes = reinterpret_cast<BYTE*>(&cached);
        for (uint32_t n = 1 + random->Below(64); n > 0; --n)
            bytes[random->Below(sizeof(cached))] = static_cast<BYTE>(random->Next());
        if (random->OneIn(4))
            cached.enabledPaperCount = static_cast<int32_t>(random->Next());
        SetPrinterDataW(printer.handle, const_cast<wchar_t*>(L"DriverProfile"), REG_BINARY, bytes, sizeof(cached));
        CheckedCapabilityBurst(driver, printer.handle, report);
    }
    // The sample back for whoever comes next.
    WriteProfile(profilePath, sample, nullptr);
}
