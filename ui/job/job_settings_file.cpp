#include "job/job_settings_file.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "entry/holders.h"

bool JobSettingsFilePath(WCHAR path[MAX_PATH])
{
    WCHAR folder[MAX_PATH];
    path[0] = 0;
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return false;
    // "<folder>\JOB<pid>" must fit whole; a cut path would name another file.
    const int written = _snwprintf(path, MAX_PATH, L"%ls\\JOB%ld", folder, static_cast<long>(GetCurrentProcessId()));
    if (written < 0 || written >= MAX_PATH) {
        path[0] = 0;
        return false;
    }
    return true;
}

int ConvertDocumentName(char* destination, const WCHAR* name, int limit)
{
    if (!destination)
        return 0;
    destination[0] = 0;
    if (!name || limit < 1)
        return 0;

    // Unit by unit; a unit that takes more than two bytes is dropped.
    int length = 0;
    for (const WCHAR* unit = name; *unit && length < limit; ++unit) {
        char bytes[4];
        const int count = WideCharToMultiByte(CP_ACP, 0, unit, 1, bytes, sizeof(bytes), nullptr, nullptr);
        if (count == 1) {
            const unsigned char byte = static_cast<unsigned char>(bytes[0]);
            destination[length++] = (byte == '"' || byte < 0x20) ? ' ' : bytes[0];
        } else if (count == 2) {
            if (length + 2 > limit) {
                // Would straddle the limit: the character is left out whole.
                break;
            }
            destination[length++] = bytes[0];
            destination[length++] = bytes[1];
        }
    }
    destination[length] = 0;
    return length;
}

void MakeJobNameSuffix(char suffix[8])
{
    srand(static_cast<unsigned>(time(nullptr)));
    snprintf(suffix, 8, "?%05d", rand());   // 0 to 32767
}

bool WriteJobSettingsFile(const WCHAR* path, const char* jobName, const char* suffix)
{
    // A file left by an earlier job is replaced, never appended to.
    UniqueFile file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    char line[kJobNameLimit + 48];
    const int length = snprintf(line, sizeof(line), "@PJL SET JOBNAME=\"%s%s\"\r\n", jobName, suffix);
    if (length < 0 || length >= static_cast<int>(sizeof(line)))
        return false;
    DWORD written = 0;
    return WriteFile(file.get(), line, static_cast<DWORD>(length), &written, nullptr) && written == static_cast<DWORD>(length);
}
