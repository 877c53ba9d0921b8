#include "job/pjl_job_facts.h"

#include "facts/printer_call.h"
#include "job/job_settings_file.h"
#include "job/profile_version_cache.h"
#include "platform/driver_files.h"
#include "profile/model_profile.h"

namespace {

constexpr int kVersionChars = kProfileVersionChars;
constexpr int kProfileVersionNumber = 3;   // [About] VERSION3 of the profile

}  // namespace

void GatherPjlJobFacts(PrinterCall* call, PjlJobFacts* facts)
{
    ZeroMemory(facts, sizeof(*facts));
    facts->jobFileFound = JobSettingsFilePaths(facts->jobPath, facts->jobFile);
    if (!call)
        return;
    facts->withPrinter = true;
    const int32_t variant = FetchProfile(call).driverVariant;
    // Only variant 2's finishing lines name the installed options.
    if (variant == 2) {
        if (const DeviceOptionData* installed = FetchDeviceOptions(call))
            facts->installed = *installed;   // else zero-filled
    }
    // Variant 1 takes its version from the resource library alone.
    if (variant == 1)
        return;
    if (FindCachedProfileVersion(call->knownName, facts->profileVersion, kVersionChars))
        return;
    WCHAR path[kDriverPathChars];
    if (FindCallDriverFile(call, kProfileFragment, path))
        ReadProfileVersion(path, kProfileVersionNumber, kVersionChars, facts->profileVersion);
    facts->profileVersion[kVersionChars - 1] = 0;
    RememberProfileVersion(call->knownName, facts->profileVersion);
}

void PjlJobFactsOfNoPrinter(const PjlJobFacts& gathered, PjlJobFacts* facts)
{
    ZeroMemory(facts, sizeof(*facts));
    facts->jobFileFound = gathered.jobFileFound;
    CopyMemory(facts->jobFile, gathered.jobFile, sizeof(facts->jobFile));
    CopyMemory(facts->jobPath, gathered.jobPath, sizeof(facts->jobPath));
}
