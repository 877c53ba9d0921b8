// Mutated model profiles through printer initialisation and a capability
// burst: cut short, in the wrong encoding, with huge and negative numbers
// and over-long texts; and hostile cached "DriverProfile" records.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <cstring>
#include <string>

#include "fuzz.h"
#include "fuzz_checks.h"
#include "profile_mutations.h"
#include "profile/model_profile.h"

namespace {

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
