// Faults put into an installed module's imports: the spooler's printer-data
// and printer-information calls, the registry writes of the user's own
// store and the process-heap allocations fail with
// a chosen error, one call at a time, while the object lives. Every other
// call passes through. One fault at a time.
//
//   InjectedFault fault(driver.module(), kGetPrinterData, ERROR_ACCESS_DENIED, L"DeviceOption");
//   ... the driver reads "DeviceOption" and is refused ...
//   EXPECT_EQ(1, fault.failed());
#ifndef MARTENUI_TESTS_SPOOLER_FAULTS_H
#define MARTENUI_TESTS_SPOOLER_FAULTS_H

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/import_slots.h"

enum class Faulted {
    GetPrinterData,    // returns the error
    SetPrinterData,    // returns the error
    GetPrinter,        // FALSE, the error as the last error
    SetPrinter,        // FALSE, the error as the last error
    GetPrinterDriver,  // FALSE, the error as the last error
    HeapAlloc,         // null, ERROR_NOT_ENOUGH_MEMORY as the last error
    RegSetValue,       // RegSetValueExW returns the error
};

// Which calls fail: those naming printer data or a registry value `value`
// (any value when empty; printer-data and registry calls only), or the allocations of exactly `bytes`
// (any size when 0), and of those only the `nth` (1 = the first; 0 = each).
struct FaultTarget {
    std::wstring value;
    SIZE_T bytes = 0;
    int nth = 0;
};

class InjectedFault {
public:
    InjectedFault(HMODULE module, Faulted function, DWORD error, const FaultTarget& target = FaultTarget());
    ~InjectedFault();
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

    bool installed() const { return swap_ && swap_->original() != nullptr; }
    // Calls that matched the target so far, and those that were failed.
    int matched() const;
    int failed() const;
    // The bytes each matched allocation asked for, in order.
    const std::vector<SIZE_T>& sizes() const;

private:
    std::unique_ptr<ImportSwap> swap_;
};

std::string ErrorName(DWORD error);

// A row of a fault table (any record with `name` and `function`) tried with
// one refusal: a spooler call with each of ERROR_ACCESS_DENIED,
// ERROR_NOT_ENOUGH_MEMORY and RPC_S_SERVER_UNAVAILABLE, an allocation with
// ERROR_NOT_ENOUGH_MEMORY alone.
template <typename Row>
struct Refused {
    Row row;
    DWORD error;
};

template <typename Row, size_t N>
std::vector<Refused<Row>> EachRefusal(const Row (&rows)[N])
{
    std::vector<Refused<Row>> cases;
    for (const Row& row : rows) {
        for (DWORD error : {DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_NOT_ENOUGH_MEMORY}, DWORD{RPC_S_SERVER_UNAVAILABLE}}) {
            if (row.function != Faulted::HeapAlloc || error == ERROR_NOT_ENOUGH_MEMORY)
                cases.push_back({row, error});
        }
    }
    return cases;
}

// Names a case in the test's name and in its failures.
template <typename Row>
std::string RefusalName(const ::testing::TestParamInfo<Refused<Row>>& info)
{
    return std::string(info.param.row.name) + "_" + ErrorName(info.param.error);
}
template <typename Row>
void PrintTo(const Refused<Row>& refused, std::ostream* out)
{
    *out << refused.row.name << " with " << ErrorName(refused.error);
}

#endif
