#include "support/printer_bench.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <utility>

#include "support/profile_files.h"

std::wstring DriverFilesDir()
{
    return WindowsPathFromEnvironment("MARTENUI_DRIVER_FILES");
}

std::wstring SampleProfilePath(int driverVariant)
{
    return DriverFilesDir() + L"\\Kolb6v" + std::to_wstring(driverVariant) + L".ini";
}

void InstallDriver(const DriverPackage& package)
{
    static std::set<std::wstring> installed;
    if (installed.count(package.name))
        return;
    const std::wstring files = DriverFilesDir();
    ASSERT_FALSE(files.empty()) << "MARTENUI_DRIVER_FILES is not set: run the tests through ctest";
    std::wstring error;
    ASSERT_TRUE(InstallDriverPackage(package, files, &error)) << Narrow(error);
    installed.insert(package.name);
}

const DriverPackage& SampleDriver(int driverVariant)
{
    static DriverPackage packages[3];
    DriverPackage& package = packages[driverVariant - 1];
    if (package.name.empty()) {
        package.name = L"MARTENUI Bench V" + std::to_wstring(driverVariant);
        package.profilePath = SampleProfilePath(driverVariant);
    }
    InstallDriver(package);
    return package;
}

const DriverPackage& DriverWithProfile(const std::wstring& driverName, const std::wstring& profileFileName,
                                       const std::wstring& profileText)
{
    static std::map<std::wstring, DriverPackage> packages;
    DriverPackage& package = packages[driverName];
    if (package.name.empty()) {
        package.name = driverName;
        package.profilePath = WriteProfileFile(profileFileName, profileText);
        package.profileFileName = profileFileName;
    }
    InstallDriver(package);
    return package;
}

std::wstring UniquePrinterName(const wchar_t* stem)
{
    static int counter = 0;
    return std::wstring(stem) + L" " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

BenchPrinter::BenchPrinter(const DriverPackage& driver, const wchar_t* stem) : name_(UniquePrinterName(stem))
{
    std::wstring error;
    handle_ = AddPrinterForDriver(name_, driver.name, &error);
    EXPECT_NE(handle_, nullptr) << Narrow(error);
}

BenchPrinter::~BenchPrinter()
{
    if (handle_) {
        DeletePrinter(handle_);
        ClosePrinter(handle_);
    }
}

DWORD BenchPrinter::SetData(const wchar_t* value, DWORD type, const void* data, DWORD size) const
{
    return SetPrinterDataW(handle_, const_cast<wchar_t*>(value), type,
                           static_cast<BYTE*>(const_cast<void*>(data)), size);
}

void BenchPrinter::DeleteData(const wchar_t* value) const
{
    DeletePrinterDataW(handle_, const_cast<wchar_t*>(value));
}

long BenchPrinter::GetData(const wchar_t* value, void* buffer, DWORD size, DWORD* type) const
{
    DWORD storedType = 0;
    DWORD needed = 0;
    const DWORD status = GetPrinterDataW(handle_, const_cast<wchar_t*>(value), &storedType,
                                         static_cast<BYTE*>(buffer), size, &needed);
    if (type)
        *type = storedType;
    return status == ERROR_SUCCESS ? static_cast<long>(needed) : -1;
}

BenchPrinter& SharedPrinter(const DriverPackage& driver, const std::string& key,
                            const std::function<void(const BenchPrinter&)>& setUp)
{
    static std::map<std::pair<std::wstring, std::string>, std::unique_ptr<BenchPrinter>> printers;
    std::unique_ptr<BenchPrinter>& printer = printers[{driver.name, key}];
    if (!printer) {
        printer = std::make_unique<BenchPrinter>(driver, L"Shared");
        if (setUp)
            setUp(*printer);
    }
    return *printer;
}

void ForgetUserSettings(const BenchPrinter& printer)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Printers\\DevModes2", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, printer.name().c_str());
        RegCloseKey(key);
    }
}
