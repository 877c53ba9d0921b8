// The printer's default settings, kept by the spooler as its device mode.
#ifndef MARTENUI_PRINTER_SETTINGS_STORE_H
#define MARTENUI_PRINTER_SETTINGS_STORE_H

#include <windows.h>

#include "platform/holders.h"

// Copies the printer's default device mode: its first 220 bytes into
// `publicPart` and the 3868 that follow into `privatePart`; 1 on success.
// A device mode shorter than a whole record (another driver's) counts as
// absent, and nothing is read past what the spooler returned.
int ReadPrinterSettings(HANDLE printer, void* publicPart, void* privatePart);

// Stores a whole 4088-byte record as the printer's default device mode;
// false when the printer's information cannot be had or the spooler
// refuses the record.
bool WritePrinterSettings(HANDLE printer, const void* settings);

// The same copy out of level-2 information already fetched (a block of
// PRINTER_INFO_2W with its device mode); 0 when it holds no whole record.
int CopyPrinterSettings(const HeapBlock& info, void* publicPart, void* privatePart);

#endif
