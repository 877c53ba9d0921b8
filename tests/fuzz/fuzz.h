// The fuzz program: hostile device modes, model profiles and document names
// fed to the installed driver's entry points on real printers, every output
// record checked. A crash ends the program with a report of the input.
#ifndef MARTENUI_TESTS_FUZZ_H
#define MARTENUI_TESTS_FUZZ_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_random.h"


// Bytes ending exactly at an unreadable page: a read or write past them faults.
class PageEndBuffer {
public:
    explicit PageEndBuffer(size_t bytes);
    ~PageEndBuffer();
    PageEndBuffer(const PageEndBuffer&) = delete;
    PageEndBuffer& operator=(const PageEndBuffer&) = delete;
    BYTE* data() const { return data_; }
    size_t size() const { return bytes_; }

private:
    BYTE* base_ = nullptr;
    BYTE* data_ = nullptr;
    size_t bytes_ = 0;
};

// The installed driver's entry points and the printers the fuzz runs on.
struct FuzzDriver {
    HMODULE module;
    DWORD(WINAPI* capabilities)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW);
    int(WINAPI* documentEvent)(HANDLE, HDC, int, ULONG, PVOID, ULONG, PVOID);
    BOOL(WINAPI* printerEvent)(LPWSTR, INT, DWORD, LPARAM);
    BOOL(WINAPI* convertDevMode)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);
    LONG(WINAPI* documentProperties)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);
    LONG(WINAPI* documentPropertySheets)(void*, LPARAM);
};

struct FuzzPrinter {
    std::wstring name;
    HANDLE handle;
};

// Counts and the first problem found; a problem is an output record that
// breaks its own rules (sizes, terminators, ranges).
struct FuzzReport {
    long long tried = 0;
    long long problems = 0;
    std::string firstProblem;
    void Problem(const std::string& what);
};

// The input being fed now, named in the crash report.
extern const char* fuzzStage;
extern long long fuzzInput;
extern uint64_t fuzzSeed;

// Runs the capability burst of a print dialog and checks every answer.
void CheckedCapabilityBurst(const FuzzDriver& driver, HANDLE printer, FuzzReport* report);

void FuzzDeviceModes(const FuzzDriver& driver, const FuzzPrinter* printers, int printerCount, long long count,
                     FuzzRandom* random, FuzzReport* report);
void FuzzProfiles(const FuzzDriver& driver, const FuzzPrinter& printer, const std::wstring& profilePath,
                  long long count, FuzzRandom* random, FuzzReport* report);
void FuzzDocumentNames(const FuzzDriver& driver, const FuzzPrinter& printer, long long count, FuzzRandom* random,
                       FuzzReport* report);

#endif
