// The module's export table, and the entry points that answer on their own
// or hand over to the spooler.
#include "platform/driver_interface.h"

#include <gtest/gtest.h>

#include "platform/driver_files.h"
#include "support/import_slots.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"

namespace {

// The MARTENUI.dll that the spooler installed for a printer.
class InstalledModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(2));
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        module_ = driver_->module();
        ASSERT_NE(module_, nullptr);
    }

    FARPROC Entry(const char* name) const { return GetProcAddress(module_, name); }

    std::unique_ptr<BenchPrinter> printer_;
    std::unique_ptr<InstalledDriver> driver_;
    HMODULE module_ = nullptr;
};

}  // namespace

TEST_F(InstalledModule, ExportsTheTwelveEntryPointsByNameWithTheirOrdinals)
{
    const char* const names[] = {
        "DrvAdvancedDocumentProperties", "DrvDeviceCapabilities", "DrvDocumentProperties",
        "DevQueryPrint", "DevQueryPrintEx", "DrvConvertDevMode", "DrvDevicePropertySheets",
        "DrvDocumentEvent", "DrvDocumentPropertySheets", "DrvPrinterEvent", "DrvUpgradePrinter",
        "PrinterProperties",
    };
    for (int ordinal = 1; ordinal <= 12; ++ordinal) {
        const char* name = names[ordinal - 1];
        FARPROC byName = Entry(name);
        FARPROC byOrdinal = GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
        EXPECT_NE(byName, nullptr) << name;
        EXPECT_EQ(byName, byOrdinal) << name << " is not ordinal " << ordinal;
    }
    EXPECT_EQ(nullptr, GetProcAddress(module_, MAKEINTRESOURCEA(13)));
}

TEST_F(InstalledModule, UpgradePrinterAcceptsEveryLevel)
{
    auto upgrade = driver_->Entry<BOOL(WINAPI*)(DWORD, LPBYTE)>("DrvUpgradePrinter");
    ASSERT_NE(upgrade, nullptr);
    BYTE info[64] = {};
    for (DWORD level : {0u, 1u, 2u, 0xFFFFFFFFu})
        EXPECT_TRUE(upgrade(level, info)) << "level " << level;
    EXPECT_TRUE(upgrade(1, nullptr));
}

TEST_F(InstalledModule, QueryPrintExAcceptsEveryJob)
{
    auto query = driver_->Entry<BOOL(WINAPI*)(PDEVQUERYPRINT_INFO)>("DevQueryPrintEx");
    ASSERT_NE(query, nullptr);
    DEVMODEW foreign = {};
    foreign.dmSize = sizeof(foreign);
    foreign.dmPaperSize = 9999;
    DEVQUERYPRINT_INFO info = {sizeof(info), 1, printer_->handle(), &foreign, nullptr, 0, 0};
    EXPECT_TRUE(query(&info));
    EXPECT_TRUE(query(nullptr));
}

namespace {

struct SpoolerCall {
    int calls = 0;
    HANDLE printer = nullptr;
    void* devMode = nullptr;
    void* second = nullptr;
} spoolerCall;

BOOL WINAPI FakeDevQueryPrint(HANDLE printer, LPDEVMODEW devMode, DWORD* resourceId)
{
    ++spoolerCall.calls;
    spoolerCall.printer = printer;
    spoolerCall.devMode = devMode;
    spoolerCall.second = resourceId;
    *resourceId = 4242;
    return 77;
}

BOOL WINAPI FakePrinterProperties(HWND window, HANDLE printer)
{
    ++spoolerCall.calls;
    spoolerCall.printer = printer;
    spoolerCall.second = window;
    return 78;
}

}  // namespace

// The spooler of the bench implements neither function, so the test takes
// the spooler's place in the module's imports and watches the call arrive.
TEST_F(InstalledModule, QueryPrintAndPrinterPropertiesGoStraightToTheSpooler)
{
    void* original = ReplaceImport(module_, "winspool.drv", "DevQueryPrint", reinterpret_cast<void*>(FakeDevQueryPrint));
    ASSERT_NE(original, nullptr) << "MARTENUI does not import DevQueryPrint from the spooler";
    auto query = driver_->Entry<BOOL(WINAPI*)(HANDLE, LPDEVMODEW, DWORD*)>("DevQueryPrint");
    DEVMODEW devMode = {};
    DWORD resourceId = 0;
    spoolerCall = SpoolerCall();
    EXPECT_EQ(77, query(printer_->handle(), &devMode, &resourceId));
    EXPECT_EQ(1, spoolerCall.calls);
    EXPECT_EQ(printer_->handle(), spoolerCall.printer);
    EXPECT_EQ(&devMode, spoolerCall.devMode);
    EXPECT_EQ(&resourceId, spoolerCall.second);
    EXPECT_EQ(4242u, resourceId);
    ReplaceImport(module_, "winspool.drv", "DevQueryPrint", original);

    original = ReplaceImport(module_, "winspool.drv", "PrinterProperties", reinterpret_cast<void*>(FakePrinterProperties));
    ASSERT_NE(original, nullptr) << "MARTENUI does not import PrinterProperties from the spooler";
    auto properties = driver_->Entry<BOOL(WINAPI*)(HWND, HANDLE)>("PrinterProperties");
    spoolerCall = SpoolerCall();
    const HWND window = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(78, properties(window, printer_->handle()));
    EXPECT_EQ(1, spoolerCall.calls);
    EXPECT_EQ(printer_->handle(), spoolerCall.printer);
    EXPECT_EQ(reinterpret_cast<void*>(window), spoolerCall.second);
    ReplaceImport(module_, "winspool.drv", "PrinterProperties", original);
}

TEST_F(InstalledModule, DocumentPropertySheetsAnswersTheRecordSizeToASizeQuery)
{
    // The spooler asks so when it adds a printer: no mode, no output record.
    auto sheets = driver_->Entry<LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM)>("DrvDocumentPropertySheets");
    ASSERT_NE(sheets, nullptr);
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof(header);
    header.cbOut = 1;
    EXPECT_EQ(4088, sheets(nullptr, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(4088u, header.cbOut);
}

// The 32-bit and 64-bit suites each install the driver for their own
// environment, and the spooler hands back a module of that architecture.
TEST_F(InstalledModule, IsInstalledForTheEnvironmentOfItsOwnArchitecture)
{
#ifdef _WIN64
    const wchar_t* const environment = L"Windows x64";
    const WORD machine = IMAGE_FILE_MACHINE_AMD64;
#else
    const wchar_t* const environment = L"Windows NT x86";
    const WORD machine = IMAGE_FILE_MACHINE_I386;
#endif
    BYTE buffer[4096] = {};
    DWORD needed = 0;
    ASSERT_TRUE(GetPrinterDriverW(printer_->handle(), nullptr, 2, buffer, sizeof(buffer), &needed));
    const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer);
    EXPECT_STREQ(environment, info->pEnvironment);

    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module_);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module_) + dos->e_lfanew);
    EXPECT_EQ(machine, nt->FileHeader.Machine);
}
