// The job-settings file: one line naming the job, written at the start of a
// document into the user's documents folder and deleted at its end. The PJL
// header's VKPJLFILE line points the rendering side at it.
#ifndef MARTENUI_JOB_SETTINGS_FILE_H
#define MARTENUI_JOB_SETTINGS_FILE_H

#include <windows.h>

// Byte limits of the job name inside the JOBNAME line.
constexpr int kJobNameLimit = 64;
constexpr int kJobNameLimitWithSuffix = 58;

// The file of this process: "<documents folder>\JOB<process id>". False
// when the documents folder cannot be found, or the path does not fit
// MAX_PATH - 1 characters, or as many bytes of the system code page without
// a lost character: then no file is written and the PJL header names none.
bool JobSettingsFilePath(WCHAR path[MAX_PATH]);
// The same path and, in the system code page, as the PJL header names it:
// both forms at once, for one question to the shell.
bool JobSettingsFilePaths(WCHAR path[MAX_PATH], char narrow[MAX_PATH]);

// Converts a document name to the system code page into `destination`
// (at least `limit` + 1 bytes): double quotes and control characters (DEL too) become
// blanks, so that the name stays one quoted PJL value on one line; a
// double-byte character that would straddle the limit is dropped whole.
// Returns the bytes written, terminator not counted.
int ConvertDocumentName(char* destination, const WCHAR* name, int limit);

// The suffix that keeps stapled or shifted jobs apart: "?" and five digits
// of a pseudo-random number seeded with the current time.
void MakeJobNameSuffix(char suffix[8]);
// The suffix of `number` (0 to 99999): "?" and exactly five digits.
void FormatJobNameSuffix(int number, char suffix[8]);

// Replaces the file with its one line: @PJL SET JOBNAME="<name><suffix>".
// False when the file cannot be written.
bool WriteJobSettingsFile(const WCHAR* path, const char* jobName, const char* suffix);

#endif
