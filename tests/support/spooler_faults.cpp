#include "support/spooler_faults.h"

#include <winspool.h>

#include "support/spooler_functions.h"

namespace {

using HeapAllocFunction = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using RegSetValueFunction = LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);

struct FaultState {
    DWORD error = 0;
    FaultTarget target;
    void* original = nullptr;
    int matched = 0;
    int failed = 0;
    std::vector<SIZE_T> sizes;
} fault;

// Whether this call is the one to fail.
bool Strikes(const WCHAR* value, SIZE_T bytes)
{
    if (!fault.target.value.empty() && (!value || fault.target.value != value))
        return false;
    if (fault.target.bytes && fault.target.bytes != bytes)
        return false;
    ++fault.matched;
    fault.sizes.push_back(bytes);
    if (fault.target.nth && fault.matched != fault.target.nth)
        return false;
    ++fault.failed;
    return true;
}

DWORD WINAPI FailGetPrinterData(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD size, LPDWORD needed)
{
    if (Strikes(name, 0))
        return fault.error;
    return reinterpret_cast<GetPrinterDataFunction>(fault.original)(printer, name, type, data, size, needed);
}

DWORD WINAPI FailSetPrinterData(HANDLE printer, LPWSTR name, DWORD type, LPBYTE data, DWORD size)
{
    if (Strikes(name, 0))
        return fault.error;
    return reinterpret_cast<SetPrinterDataFunction>(fault.original)(printer, name, type, data, size);
}

BOOL WINAPI FailGetPrinter(HANDLE printer, DWORD level, LPBYTE data, DWORD size, LPDWORD needed)
{
    if (Strikes(nullptr, 0)) {
        SetLastError(fault.error);
        return FALSE;
    }
    return reinterpret_cast<GetPrinterFunction>(fault.original)(printer, level, data, size, needed);
}

BOOL WINAPI FailSetPrinter(HANDLE printer, DWORD level, LPBYTE data, DWORD command)
{
    if (Strikes(nullptr, 0)) {
        SetLastError(fault.error);
        return FALSE;
    }
    return reinterpret_cast<SetPrinterFunction>(fault.original)(printer, level, data, command);
}

BOOL WINAPI FailGetPrinterDriver(HANDLE printer, LPWSTR environment, DWORD level, LPBYTE data, DWORD size,
                                 LPDWORD needed)
{
    if (Strikes(nullptr, 0)) {
        SetLastError(fault.error);
        return FALSE;
    }
    return reinterpret_cast<GetPrinterDriverFunction>(fault.original)(printer, environment, level, data, size,
                                                                      needed);
}

LONG WINAPI FailRegSetValue(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    if (Strikes(name, 0))
        return static_cast<LONG>(fault.error);
    return reinterpret_cast<RegSetValueFunction>(fault.original)(key, name, reserved, type, data, size);
}

LPVOID WINAPI FailHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes)
{
    if (Strikes(nullptr, bytes)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HeapAllocFunction>(fault.original)(heap, flags, bytes);
}

struct Slot {
    const char* dll;
    const char* name;
    void* replacement;
};

Slot SlotOf(Faulted function)
{
    switch (function) {
    case Faulted::GetPrinterData:
        return {"winspool.drv", "GetPrinterDataW", reinterpret_cast<void*>(FailGetPrinterData)};
    case Faulted::SetPrinterData:
        return {"winspool.drv", "SetPrinterDataW", reinterpret_cast<void*>(FailSetPrinterData)};
    case Faulted::GetPrinter:
        return {"winspool.drv", "GetPrinterW", reinterpret_cast<void*>(FailGetPrinter)};
    case Faulted::SetPrinter:
        return {"winspool.drv", "SetPrinterW", reinterpret_cast<void*>(FailSetPrinter)};
    case Faulted::GetPrinterDriver:
        return {"winspool.drv", "GetPrinterDriverW", reinterpret_cast<void*>(FailGetPrinterDriver)};
    case Faulted::HeapAlloc:
        return {"kernel32.dll", "HeapAlloc", reinterpret_cast<void*>(FailHeapAlloc)};
    case Faulted::RegSetValue:
        return {"advapi32.dll", "RegSetValueExW", reinterpret_cast<void*>(FailRegSetValue)};
    }
    return {"", "", nullptr};
}

}  // namespace

InjectedFault::InjectedFault(HMODULE module, Faulted function, DWORD error, const FaultTarget& target)
{
    fault = FaultState();
    fault.error = error;
    fault.target = target;
    const Slot slot = SlotOf(function);
    swap_ = std::make_unique<ImportSwap>(module, slot.dll, slot.name, slot.replacement);
    fault.original = swap_->original();
}

InjectedFault::~InjectedFault()
{
    swap_.reset();
    fault = FaultState();
}

int InjectedFault::matched() const
{
    return fault.matched;
}

int InjectedFault::failed() const
{
    return fault.failed;
}

const std::vector<SIZE_T>& InjectedFault::sizes() const
{
    return fault.sizes;
}

std::string ErrorName(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return "ERROR_ACCESS_DENIED";
    case ERROR_NOT_ENOUGH_MEMORY:
        return "ERROR_NOT_ENOUGH_MEMORY";
    case RPC_S_SERVER_UNAVAILABLE:
        return "RPC_S_SERVER_UNAVAILABLE";
    default:
        return std::to_string(error);
    }
}
