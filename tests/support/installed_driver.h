// The MARTENUI.dll that the spooler installed for a printer, loaded as the
// spooler, the print dialogs and the graphics engine load it.
#ifndef MARTENUI_TESTS_INSTALLED_DRIVER_H
#define MARTENUI_TESTS_INSTALLED_DRIVER_H

#include <windows.h>

#include <memory>

#include "support/spooler_guard.h"

class InstalledDriver {
public:
    // Loads the configuration file of the printer's driver; the test fails
    // when it cannot.
    explicit InstalledDriver(HANDLE printer);
    ~InstalledDriver();
    InstalledDriver(const InstalledDriver&) = delete;
    InstalledDriver& operator=(const InstalledDriver&) = delete;

    HMODULE module() const { return module_; }

    // The entry point `name` as a function of type `Function`, or null.
    template <typename Function>
    Function Entry(const char* name) const
    {
        // Through void*: an entry point's real type is not GetProcAddress's.
        return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_ = nullptr;
    // The lock rule holds for every call of the loaded driver.
    std::unique_ptr<SpoolerGuard> guard_;
};

#endif
