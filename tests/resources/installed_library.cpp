#include "facts/printer_call.h"
#include "installed_library.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/resource_library.h"
#include "support/printer_bench.h"

HMODULE InstalledResourceLibrary()
{
    static std::unique_ptr<BenchPrinter> printer;
    if (!printer) {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        printer = std::make_unique<BenchPrinter>(SampleDriver(2), L"Resources");
    }
    HMODULE library = LoadResourceLibraryForPrinter(printer->handle());
    EXPECT_NE(library, nullptr) << "the resource library did not load through the printer";
    return library;
}
