#include "support/installed_driver.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include "platform/driver_files.h"

InstalledDriver::InstalledDriver(HANDLE printer)
{
    HeapBlock info = GetDriverInfo(printer);
    EXPECT_TRUE(info) << "no driver information for the printer";
    if (!info)
        return;
    module_ = LoadLibraryW(info.as<DRIVER_INFO_3W>()->pConfigFile);
    EXPECT_NE(nullptr, module_) << "loading the installed configuration file, error " << GetLastError();
    if (module_)
        guard_ = std::make_unique<SpoolerGuard>(module_);
}

InstalledDriver::~InstalledDriver()
{
    guard_.reset();   // its slots go back while the module is surely loaded
    if (module_)
        FreeLibrary(module_);
}
