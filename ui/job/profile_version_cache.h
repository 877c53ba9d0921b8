// The profile's version text that the job identification names, remembered
// per printer name. Finding it takes the driver's file list and a read of
// the profile file, which cost more than all the rest of a settings request
// or a job's start; the text changes only with the driver's files.
#ifndef MARTENUI_PROFILE_VERSION_CACHE_H
#define MARTENUI_PROFILE_VERSION_CACHE_H

#include <windows.h>

// Printer names longer than this are not remembered.
constexpr int kCachedPrinterNameChars = MAX_PATH;

// Copies the remembered text of `printerName` into `version` (`capacity`
// units, terminated); false when none is remembered.
bool FindCachedProfileVersion(const WCHAR* printerName, WCHAR* version, int capacity);

// Remembers `version` for `printerName`, replacing the oldest entry when
// the table is full.
void RememberProfileVersion(const WCHAR* printerName, const WCHAR* version);

// Forgets every remembered text: a printer event or a driver upgrade may
// have changed a printer's driver files.
void ForgetProfileVersions();

#endif
