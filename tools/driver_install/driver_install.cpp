#include "driver_install.h"

#include <winspool.h>

#include <cstdlib>

const wchar_t kInstalledResourceLibrary[] = L"Kol6gi.dll";
const wchar_t kInstalledRenderModule[] = L"Kol6umpd.dll";
const wchar_t kInstalledHelpFile[] = L"Kol6g.hlp";
const wchar_t kInstalledConfigFile[] = L"MARTENUI.dll";

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += (c < 0x80) ? static_cast<char>(c) : '?';
    return narrow;
}

std::wstring WindowsPathFromEnvironment(const char* variable)
{
    const char* value = std::getenv(variable);
    if (!value || !*value)
        return std::wstring();
    std::wstring path = L"Z:";
    for (const char* at = value; *at; ++at)
        path += (*at == '/') ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*at));
    return path;
}

std::wstring SpoolerDriverDir()
{
    wchar_t dir[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof(dir), &needed);
    return dir;
}

namespace {

std::wstring FilePart(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool CopyIntoDriverDir(const std::wstring& source, const std::wstring& name, std::wstring* error)
{
    const std::wstring target = SpoolerDriverDir() + L"\\" + name;
    if (CopyFileW(source.c_str(), target.c_str(), FALSE))
        return true;
    *error = L"copying " + source + L" failed, error " + std::to_wstring(GetLastError());
    return false;
}

}  // namespace

bool InstallDriverPackage(const DriverPackage& package, const std::wstring& filesDir, std::wstring* error)
{
    std::wstring profileName = package.profileFileName;
    if (!package.profilePath.empty() && profileName.empty())
        profileName = FilePart(package.profilePath);

    if (!CopyIntoDriverDir(filesDir + L"\\MARTENUI.dll", kInstalledConfigFile, error) ||
        !CopyIntoDriverDir(filesDir + L"\\Kol6umpd.dll", kInstalledRenderModule, error) ||
        (package.resourceLibrary &&
         !CopyIntoDriverDir(filesDir + L"\\Kol6gi1.dll", kInstalledResourceLibrary, error)) ||
        (package.helpFile && !CopyIntoDriverDir(filesDir + L"\\Kol6g.hlp", kInstalledHelpFile, error)) ||
        (!package.profilePath.empty() && !CopyIntoDriverDir(package.profilePath, profileName, error)))
        return false;
    for (const std::wstring& name : package.leadingFiles) {
        if (!CopyIntoDriverDir(filesDir + L"\\Kol6umpd.dll", name, error))
            return false;
    }

    // Dependent files, each ended by a zero, the list by an empty name.
    std::wstring dependent;
    auto add = [&dependent](const std::wstring& name) {
        dependent += name;
        dependent.push_back(L'\0');
    };
    for (const std::wstring& name : package.leadingFiles)
        add(name);
    if (package.resourceLibrary)
        add(kInstalledResourceLibrary);
    if (package.renderModule)
        add(kInstalledRenderModule);
    if (!profileName.empty())
        add(profileName);
    if (package.helpFile && package.helpInDependentFiles)
        add(kInstalledHelpFile);
    dependent.push_back(L'\0');

    DRIVER_INFO_3W info = {};
    info.cVersion = 3;
    info.pName = const_cast<wchar_t*>(package.name.c_str());
    info.pDriverPath = const_cast<wchar_t*>(kInstalledRenderModule);
    info.pDataFile = const_cast<wchar_t*>(profileName.empty() ? kInstalledRenderModule : profileName.c_str());
    info.pConfigFile = const_cast<wchar_t*>(kInstalledConfigFile);
    info.pHelpFile = package.helpFile ? const_cast<wchar_t*>(kInstalledHelpFile) : nullptr;
    info.pDependentFiles = const_cast<wchar_t*>(dependent.c_str());
    info.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
    if (AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&info)))
        return true;
    *error = L"AddPrinterDriverW failed, error " + std::to_wstring(GetLastError());
    return false;
}

HANDLE AddPrinterForDriver(const std::wstring& printerName, const std::wstring& driverName, std::wstring* error)
{
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<wchar_t*>(printerName.c_str());
    info.pPortName = const_cast<wchar_t*>(L"FILE:");
    info.pDriverName = const_cast<wchar_t*>(driverName.c_str());
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!added) {
        *error = L"AddPrinterW failed, error " + std::to_wstring(GetLastError());
        return nullptr;
    }
    ClosePrinter(added);
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), &printer, &defaults)) {
        *error = L"OpenPrinterW failed, error " + std::to_wstring(GetLastError());
        return nullptr;
    }
    return printer;
}
