// Finding the driver's companion files through the spooler's file list, and
// the text helpers used on every profile and printer-data field.
#include "platform/driver_files.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

#include "support/printer_bench.h"

namespace {

std::wstring Found(HANDLE printer, const wchar_t* fragment, int* result = nullptr)
{
    WCHAR path[kDriverPathChars];
    wmemset(path, L'#', kDriverPathChars);
    const int found = FindDriverFile(printer, fragment, path);
    if (result)
        *result = found;
    return path;
}

bool EndsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(FindDriverFile, FindsEachCompanionFileOfAnInstalledPrinter)
{
    BenchPrinter printer(SampleDriver(2));
    struct Row {
        const wchar_t* fragment;
        const wchar_t* fileName;
    } rows[] = {
        {L".ini", L"\\KOLB6V2.INI"},
        {L"i.dll", L"\\KOL6GI.DLL"},
        {L".hlp", L"\\KOL6G.HLP"},
        {L"umpd.dll", L"\\KOL6UMPD.DLL"},
    };
    for (const Row& row : rows) {
        int result = 0;
        const std::wstring path = Found(printer.handle(), row.fragment, &result);
        EXPECT_EQ(1, result) << Narrow(row.fragment);
        EXPECT_TRUE(EndsWith(path, row.fileName))
            << "fragment " << Narrow(row.fragment) << ": expected ..." << Narrow(row.fileName) << ", got "
            << Narrow(path);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str())) << "no such file: " << Narrow(path);
    }
}

TEST(FindDriverFile, MatchesTheFragmentWhateverItsCase)
{
    BenchPrinter printer(SampleDriver(1));
    EXPECT_EQ(Found(printer.handle(), L".ini"), Found(printer.handle(), L".INI"));
    EXPECT_TRUE(EndsWith(Found(printer.handle(), L".InI"), L"\\KOLB6V1.INI"));
}

TEST(FindDriverFile, TakesTheFirstDependentFileThatHoldsTheFragment)
{
    DriverPackage package;
    package.name = L"Bench first match";
    package.profilePath = SampleProfilePath(3);
    package.profileFileName = L"Kolb65.ini";
    package.leadingFiles = {L"Kolb6.dll", L"Kolb6xi.dll"};
    InstallDriver(package);
    BenchPrinter printer(package);

    EXPECT_TRUE(EndsWith(Found(printer.handle(), L"i.dll"), L"\\KOLB6XI.DLL")) << Narrow(Found(printer.handle(), L"i.dll"));
    EXPECT_TRUE(EndsWith(Found(printer.handle(), L".ini"), L"\\KOLB65.INI")) << Narrow(Found(printer.handle(), L".ini"));
}

TEST(FindDriverFile, ComparesTheHelpFileOnlyAsStored)
{
    // The help file is not among the dependent files, and its stored name
    // has a lower-case ".hlp": the upper-cased fragment does not match.
    DriverPackage package;
    package.name = L"Bench help not dependent";
    package.profilePath = SampleProfilePath(3);
    package.helpInDependentFiles = false;
    InstallDriver(package);
    BenchPrinter printer(package);

    int result = -1;
    EXPECT_EQ(L"", Found(printer.handle(), L".hlp", &result));
    EXPECT_EQ(0, result);
}

TEST(FindDriverFile, ReportsNothingForMissingFilesAndBadHandles)
{
    DriverPackage package;
    package.name = L"Bench without profile";
    package.resourceLibrary = false;
    InstallDriver(package);
    BenchPrinter printer(package);

    int result = -1;
    EXPECT_EQ(L"", Found(printer.handle(), L".ini", &result));
    EXPECT_EQ(0, result);
    EXPECT_EQ(L"", Found(nullptr, L".ini", &result));
    EXPECT_EQ(0, result);
    EXPECT_EQ(L"", Found(reinterpret_cast<HANDLE>(0x1234), L".ini", &result));
    EXPECT_EQ(0, result);
}

TEST(FindDriverFile, TreatsPathsLongerThanTheCallersBuffersAsNotFound)
{
    // The spooler's folder and this name make a path of more than 259 units.
    const std::wstring longName = std::wstring(222, L'P') + L".ini";
    DriverPackage package;
    package.name = L"Bench long profile name";
    package.profilePath = SampleProfilePath(3);
    package.profileFileName = longName;
    std::wstring error;
    if (!InstallDriverPackage(package, DriverFilesDir(), &error))
        GTEST_SKIP() << "the spooler refuses the long name: " << Narrow(error);
    BenchPrinter printer(package);
    ASSERT_GT(SpoolerDriverDir().size() + 3 + longName.size(), 259u);

    int result = -1;
    EXPECT_EQ(L"", Found(printer.handle(), L".ini", &result));
    EXPECT_EQ(0, result);
    EXPECT_TRUE(EndsWith(Found(printer.handle(), L"i.dll"), L"\\KOL6GI.DLL"));
}

TEST(GetDriverInfo, HoldsTheInstalledDriversFiles)
{
    BenchPrinter printer(SampleDriver(3));
    HeapBlock info = GetDriverInfo(printer.handle());
    ASSERT_TRUE(info);
    auto* driver = info.as<DRIVER_INFO_3W>();
    ASSERT_NE(driver->pConfigFile, nullptr);
    EXPECT_TRUE(EndsWith(driver->pConfigFile, L"\\MARTENUI.dll")) << Narrow(driver->pConfigFile);
    EXPECT_EQ(SampleDriver(3).name, driver->pName);
    EXPECT_FALSE(GetDriverInfo(nullptr));
}

TEST(NarrowCopy, CutsTextToItsFieldAndTerminatesIt)
{
    char field[8];
    memset(field, '#', sizeof(field));
    NarrowCopy(field, L"ABCDEFG", 4);
    EXPECT_STREQ("ABC", field);
    EXPECT_EQ('#', field[4]) << "wrote past the 4-byte field";
}

TEST(NarrowCopy, KeepsShortTextWhole)
{
    char field[16];
    memset(field, '#', sizeof(field));
    NarrowCopy(field, L"LETTER", 16);
    EXPECT_STREQ("LETTER", field);
    EXPECT_EQ(0, field[15]);
}

TEST(NarrowCopy, WithoutASizeConvertsTheWholeText)
{
    char field[16];
    memset(field, '#', sizeof(field));
    NarrowCopy(field, L"JENVKAKU1", 0);
    EXPECT_STREQ("JENVKAKU1", field);
    EXPECT_EQ('#', field[10]);
}

TEST(NarrowCopy, GivesTheEmptyTextForNoSource)
{
    char field[4] = {'#', '#', '#', '#'};
    NarrowCopy(field, nullptr, 4);
    EXPECT_EQ(0, field[0]);
}

TEST(TextLength, CountsUnitsBeforeTheTerminator)
{
    EXPECT_EQ(0, TextLength(nullptr));
    EXPECT_EQ(0, TextLength(L""));
    EXPECT_EQ(6, TextLength(L"LETTER"));
}

TEST(FileNamePart, TakesThePartAfterTheLastBackslash)
{
    EXPECT_STREQ(L"KOL6UMPD.DLL", FileNamePart(L"C:\\DRIVERS\\X64\\3\\KOL6UMPD.DLL"));
    EXPECT_STREQ(L"plain.dll", FileNamePart(L"plain.dll"));
    EXPECT_STREQ(L"", FileNamePart(L"C:\\folder\\"));
}
