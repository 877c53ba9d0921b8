// Installs the driver's files and a printer in the spooler, as the printer
// folder does: shared by the test bench and the demo.
#ifndef MARTENUI_TOOLS_DRIVER_INSTALL_H
#define MARTENUI_TOOLS_DRIVER_INSTALL_H

#include <windows.h>

#include <string>
#include <vector>

// Names of the files under which the driver is installed.
extern const wchar_t kInstalledResourceLibrary[];   // "Kol6gi.dll": holds "i.dll"
extern const wchar_t kInstalledRenderModule[];      // "Kol6umpd.dll"
extern const wchar_t kInstalledHelpFile[];          // "Kol6g.hlp"
extern const wchar_t kInstalledConfigFile[];        // "MARTENUI.dll"

struct DriverPackage {
    std::wstring name;             // the printer driver's name
    std::wstring profilePath;      // profile file to install; empty = none
    std::wstring profileFileName;  // its name among the driver files
    bool resourceLibrary = true;
    bool helpFile = true;
    bool helpInDependentFiles = true;
    bool renderModule = true;
    // Copies of the stand-in module under these names, listed first among
    // the dependent files.
    std::vector<std::wstring> leadingFiles;
};

// "/a/b" from the environment as "Z:\a\b" (Wine maps Z: to the root).
std::wstring WindowsPathFromEnvironment(const char* variable);

// The spooler's driver directory (GetPrinterDriverDirectoryW).
std::wstring SpoolerDriverDir();

// Copies the package's files from `filesDir` (the build's staged driver
// files) into the spooler's driver directory and adds the driver with
// AddPrinterDriverW level 3. On failure returns false and says why.
bool InstallDriverPackage(const DriverPackage& package, const std::wstring& filesDir, std::wstring* error);

// Adds a printer on port FILE: with print processor WinPrint and returns it
// opened with full access, or null (and why).
HANDLE AddPrinterForDriver(const std::wstring& printerName, const std::wstring& driverName, std::wstring* error);

// Narrow text for messages.
std::string Narrow(const std::wstring& text);

#endif
