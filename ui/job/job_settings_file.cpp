#include "job/job_settings_file.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/holders.h"

namespace {

// The one rule for the job file's name: "<documents folder>\JOB<pid>",
// whole within MAX_PATH - 1 characters and, in the system code page that the
// PJL header names it in, within as many bytes without a lost character. The
// header names the file exactly when the document events can write it.
bool JobSettingsFileNames(WCHAR path[MAX_PATH], char narrow[MAX_PATH])
{
    WCHAR folder[MAX_PATH];
    path[0] = 0;
    narrow[0] = 0;
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)) || !folder[0])
        return false;
    folder[MAX_PATH - 1] = 0;
    // A cut path would name another file.
    const int written = _snwprintf(path, MAX_PATH, L"%ls\\JOB%ld", folder, static_cast<long>(GetCurrentProcessId()));
    // A UTF-8 code page loses nothing, and takes no question about it.
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL lost = FALSE;
    if (written < 0 || written >= MAX_PATH ||
        WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, path, -1, narrow, MAX_PATH, nullptr,
                            utf8 ? nullptr : &lost) <= 0 ||
        lost) {
        path[0] = 0;
        narrow[0] = 0;
        return false;
    }
    return true;
}

}  // namespace

bool JobSettingsFilePath(WCHAR path[MAX_PATH])
{
    char narrow[MAX_PATH];
    return JobSettingsFileNames(path, narrow);
}

bool JobSettingsFilePaths(WCHAR path[MAX_PATH], char narrow[MAX_PATH])
{
    return JobSettingsFileNames(path, narrow);
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
            destination[length++] = (byte == '"' || byte < 0x20 || byte == 0x7F) ? ' ' : bytes[0];
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
    FormatJobNameSuffix(rand(), suffix);   // 0 to 32767
}

void FormatJobNameSuffix(int number, char suffix[8])
{
    // "?%5d" with the blanks of the field width written as zeros.
    snprintf(suffix, 8, "?%5d", number);
    for (char* at = suffix + 1; *at == ' '; ++at)
        *at = '0';
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
