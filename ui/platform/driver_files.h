// Locating the driver's companion files, and the two text helpers that every
// reader of the profile and of printer data uses.
#ifndef MARTENUI_DRIVER_FILES_H
#define MARTENUI_DRIVER_FILES_H

#include <windows.h>
#include "platform/holders.h"

// Fragments that find the companion files among the driver's files.
extern const WCHAR kProfileFragment[];          // ".ini"  model profile
extern const WCHAR kResourceLibraryFragment[];  // "i.dll" resource library
extern const WCHAR kHelpFileFragment[];         // ".hlp"  help file
extern const WCHAR kRenderModuleFragment[];     // "umpd.dll" rendering module

// Every caller's path buffer holds MAX_PATH characters, terminator included.
constexpr int kDriverPathChars = MAX_PATH;

// The printer driver's DRIVER_INFO_3W in a zero-filled process-heap block, or
// an empty block with the spooler's reason as the last error.
HeapBlock GetDriverInfo(HANDLE printer);

// Copies into `path` the full name of the first driver file whose name holds
// `fragment`, returns 1; otherwise 0 with `path` empty. Dependent files are
// compared (and returned) upper-cased; the data, help and configuration files
// as the spooler stores them. Names longer than 259 characters never match.
int FindDriverFile(HANDLE printer, const WCHAR* fragment, WCHAR path[kDriverPathChars]);

// The same search in driver information already fetched (GetDriverInfo);
// upper-cases the dependent-file names of the block in place.
int FindDriverFileIn(HeapBlock& info, const WCHAR* fragment, WCHAR path[kDriverPathChars]);

// The part of a path after its last backslash (the whole path without one).
const WCHAR* FileNamePart(const WCHAR* path);

// Number of UTF-16 units before the terminator; 0 for null.
int TextLength(const WCHAR* text);

// Converts `source` to the ANSI code page into a field of `size` bytes.
// The field is always terminated in its last byte and never written past,
// and a double-byte character that does not fit whole is left out.
// A size below 1 stands for the source length plus one.
char* NarrowCopy(char* destination, const WCHAR* source, int size);

// Copies at most `capacity` - 1 units of `source` and terminates.
void BoundedCopy(WCHAR* destination, const WCHAR* source, int capacity);

#endif
