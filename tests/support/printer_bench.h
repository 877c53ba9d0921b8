// The test bench's printers: real printer drivers and printers installed in
// Wine's spooler, as the spooler and the printer folder would install them.
#ifndef MARTENUI_TESTS_PRINTER_BENCH_H
#define MARTENUI_TESTS_PRINTER_BENCH_H

#include <windows.h>

#include <functional>
#include <string>

#include "driver_install.h"

// The staged driver files of this build (MARTENUI.dll, Kol6gi1.dll, ...).
std::wstring DriverFilesDir();

// A sample model profile shipped in profiles/.
std::wstring SampleProfilePath(int driverVariant);

// Installs the package once per driver name and process; fails the test
// when the spooler refuses it.
void InstallDriver(const DriverPackage& package);

// The drivers of the three sample models ("MARTENUI Bench V1" ...), installed.
const DriverPackage& SampleDriver(int driverVariant);

// A driver whose only model profile is `profileText` (see WriteProfileFile),
// installed under `driverName` with the profile named `profileFileName`.
const DriverPackage& DriverWithProfile(const std::wstring& driverName, const std::wstring& profileFileName,
                                       const std::wstring& profileText);

// A printer name not used before in this process.
std::wstring UniquePrinterName(const wchar_t* stem);

// A printer added with AddPrinterW on port FILE: and opened with full access;
// deleted again when the object goes.
class BenchPrinter {
public:
    explicit BenchPrinter(const DriverPackage& driver, const wchar_t* stem = L"Bench");
    ~BenchPrinter();
    BenchPrinter(const BenchPrinter&) = delete;
    BenchPrinter& operator=(const BenchPrinter&) = delete;

    HANDLE handle() const { return handle_; }
    const std::wstring& name() const { return name_; }

    // Sets printer data; the SetPrinterDataW result.
    DWORD SetData(const wchar_t* value, DWORD type, const void* data, DWORD size) const;
    // Removes printer data if present.
    void DeleteData(const wchar_t* value) const;
    // Reads printer data into `buffer`; returns the size stored, or -1.
    long GetData(const wchar_t* value, void* buffer, DWORD size, DWORD* type = nullptr) const;

private:
    std::wstring name_;
    HANDLE handle_ = nullptr;
};

// A printer of `driver` kept for the whole test process: the first call
// with a driver and `key` adds it and runs `setUp` on it (storing the
// options the key stands for); later calls with the same pair share it.
// Adding a printer costs seconds; a test that changes what a shared
// printer stores restores it, or adds a printer of its own.
BenchPrinter& SharedPrinter(const DriverPackage& driver, const std::string& key = std::string(),
                            const std::function<void(const BenchPrinter&)>& setUp = nullptr);

// Forgets the settings kept for the user of `printer` (what OK on a
// document sheet stores), so that its next sheet starts from the defaults.
void ForgetUserSettings(const BenchPrinter& printer);

#endif
