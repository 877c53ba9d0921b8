// The resource library as the driver loads it: through a printer installed
// with the sample driver, from the driver file whose name holds "i.dll".
#ifndef MARTENUI_TESTS_INSTALLED_LIBRARY_H
#define MARTENUI_TESTS_INSTALLED_LIBRARY_H

#include <windows.h>

// Installs the printer once per process and loads the library; null (and a
// failed test) when that is not possible.
HMODULE InstalledResourceLibrary();

// Language of every resource: English (United Kingdom).
constexpr LANGID kResourceLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);

#endif
