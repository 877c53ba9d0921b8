// Loading the resource library once per process, from the driver's files.
#include "facts/printer_call.h"
#include "platform/resource_library.h"

#include <gtest/gtest.h>

#include "platform/driver_files.h"
#include "platform/driver_interface.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "resources/resource_ids.h"

namespace {

class ResourceLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { FreeResourceLibrary(); }
    void TearDown() override { FreeResourceLibrary(); }

    static std::wstring InstalledLibraryPath(const BenchPrinter& printer)
    {
        WCHAR path[kDriverPathChars];
        FindDriverFile(printer.handle(), kResourceLibraryFragment, path);
        return path;
    }
};

}  // namespace

TEST_F(ResourceLibraryTest, LoadsTheDriverFileThatHoldsIDll)
{
    BenchPrinter printer(SampleDriver(2));
    HMODULE library = LoadResourceLibraryForPrinter(printer.handle());
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library, GetModuleHandleW(InstalledLibraryPath(printer).c_str()));

    WCHAR text[32];
    EXPECT_EQ(2, LoadResourceString(IDS_PAPER_A4, text, 32));
    EXPECT_STREQ(L"A4", text);
}

TEST_F(ResourceLibraryTest, KeepsTheFirstLibraryWhateverPathComesNext)
{
    BenchPrinter printer(SampleDriver(2));
    HMODULE first = LoadResourceLibrary(InstalledLibraryPath(printer).c_str());
    ASSERT_NE(first, nullptr);
    const std::wstring other = SpoolerDriverDir() + L"\\3\\Kol6umpd.dll";
    EXPECT_EQ(first, LoadResourceLibrary(other.c_str()));
    EXPECT_EQ(nullptr, GetModuleHandleW(other.c_str())) << "a second library was loaded";
}

TEST_F(ResourceLibraryTest, FreeingReleasesOnceAndTheNextLoadLoadsAgain)
{
    EXPECT_EQ(0, FreeResourceLibrary()) << "nothing was loaded";

    BenchPrinter printer(SampleDriver(1));
    const std::wstring path = InstalledLibraryPath(printer);
    // Adding the printer had the spooler ask the installed driver for its
    // default settings, and so load the library; initialising the printer
    // releases it there, leaving only this test's own reference.
    InstalledDriver installed(printer.handle());
    auto event = installed.Entry<BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM)>("DrvPrinterEvent");
    ASSERT_NE(nullptr, event);
    ASSERT_TRUE(event(const_cast<LPWSTR>(printer.name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
    ASSERT_NE(LoadResourceLibrary(path.c_str()), nullptr);
    EXPECT_NE(0, FreeResourceLibrary());
    EXPECT_EQ(nullptr, ResourceLibrary());
    EXPECT_EQ(nullptr, GetModuleHandleW(path.c_str())) << "still loaded after the free";
    EXPECT_EQ(0, FreeResourceLibrary());

    EXPECT_NE(LoadResourceLibrary(path.c_str()), nullptr);
    EXPECT_NE(nullptr, GetModuleHandleW(path.c_str()));
}

TEST_F(ResourceLibraryTest, WithoutTheLibraryStringsComeOutEmptyAndTheNextCallTriesAgain)
{
    DriverPackage package;
    package.name = L"Bench without resources";
    package.profilePath = SampleProfilePath(2);
    package.resourceLibrary = false;
    InstallDriver(package);
    BenchPrinter bare(package);

    EXPECT_EQ(nullptr, LoadResourceLibraryForPrinter(bare.handle()));
    WCHAR text[8] = L"senti";
    EXPECT_EQ(0, LoadResourceString(IDS_PAPER_A4, text, 8));
    EXPECT_STREQ(L"", text);

    BenchPrinter complete(SampleDriver(2));
    EXPECT_NE(nullptr, LoadResourceLibraryForPrinter(complete.handle()));
}

TEST_F(ResourceLibraryTest, AMissingStringIsTheEmptyText)
{
    BenchPrinter printer(SampleDriver(2));
    ASSERT_NE(LoadResourceLibraryForPrinter(printer.handle()), nullptr);
    WCHAR text[8] = L"senti";
    EXPECT_EQ(0, LoadResourceString(9, text, 8));
    EXPECT_STREQ(L"", text);
}

TEST_F(ResourceLibraryTest, IconsAreTheSharedOnesOfTheLibraryHeldNow)
{
    BenchPrinter printer(SampleDriver(2));
    const std::wstring path = InstalledLibraryPath(printer);
    HMODULE library = LoadResourceLibrary(path.c_str());
    ASSERT_NE(nullptr, library);
    HICON icon = LoadResourceIcon(IDI_ROTATE);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask = {};
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), mask.bmWidth) << "the system's icon size";
    EXPECT_EQ(LoadIconW(library, MAKEINTRESOURCEW(IDI_ROTATE)), icon);
    EXPECT_EQ(icon, LoadResourceIcon(IDI_ROTATE)) << "asked again";
    EXPECT_EQ(nullptr, LoadResourceIcon(1)) << "no such icon";
    // Two icons whose ids fall on the same remembered slot are each their own.
    for (int id : {IDI_FLIP_SHORT_LANDSCAPE, IDI_NUP4_1324_LANDSCAPE})
        EXPECT_EQ(LoadIconW(library, MAKEINTRESOURCEW(id)), LoadResourceIcon(id)) << "icon " << id;

    FreeResourceLibrary();
    EXPECT_EQ(nullptr, LoadResourceIcon(IDI_ROTATE)) << "an icon of a released library";

    library = LoadResourceLibrary(path.c_str());
    ASSERT_NE(nullptr, library);
    EXPECT_EQ(LoadIconW(library, MAKEINTRESOURCEW(IDI_ROTATE)), LoadResourceIcon(IDI_ROTATE));
}

TEST_F(ResourceLibraryTest, AHeldLibraryOutlivesItsReleaseAndGoesWithItsLastHold)
{
    BenchPrinter printer(SampleDriver(2));
    const std::wstring path = InstalledLibraryPath(printer);
    HMODULE library = LoadResourceLibrary(path.c_str());
    ASSERT_NE(nullptr, library);
    HICON icon = LoadResourceIcon(IDI_ROTATE);
    {
        ResourceLibraryHold hold;
        ASSERT_TRUE(hold.Take());
        EXPECT_EQ(library, hold.module());
        EXPECT_EQ(TRUE, FreeResourceLibrary()) << "released while held";
        EXPECT_EQ(0, FreeResourceLibrary()) << "released once";
        EXPECT_EQ(library, ResourceLibrary());
        WCHAR text[32];
        EXPECT_EQ(2, LoadResourceString(IDS_PAPER_A4, text, 32));
        EXPECT_EQ(icon, LoadResourceIcon(IDI_ROTATE)) << "remembered by the load";
        EXPECT_EQ(library, LoadResourceLibrary(nullptr)) << "kept again";
        EXPECT_NE(0, FreeResourceLibrary());
    }
    EXPECT_EQ(nullptr, ResourceLibrary()) << "loaded after the last hold";
    EXPECT_EQ(0, ResourceLibraryUsers());
    ResourceLibraryHold none;
    EXPECT_FALSE(none.Take());
}
