// Opening a printer by name and reading its level-2 information, however
// large it is.
#include "platform/printer_open.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/holders.h"
#include "support/printer_bench.h"

TEST(OpenPrinterFull, OpensByNameWithFullAccessOrGivesNull)
{
    BenchPrinter printer(SampleDriver(3));
    UniquePrinter opened(OpenPrinterFull(printer.name().c_str()));
    ASSERT_TRUE(opened);
    // Full access allows writing printer data.
    DWORD value = 5;
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              SetPrinterDataW(opened.get(), const_cast<wchar_t*>(L"Probe"), REG_DWORD, reinterpret_cast<BYTE*>(&value), 4));
    EXPECT_EQ(nullptr, OpenPrinterFull(L"No such printer"));
    EXPECT_FALSE(GetPrinterInfo2(nullptr));
    HeapBlock info = GetPrinterInfo2(opened.get());
    ASSERT_TRUE(info);
    EXPECT_EQ(printer.name(), info.as<PRINTER_INFO_2W>()->pPrinterName);

    // Information past the first call's 8192 bytes takes a second call.
    const std::wstring comment(5000, L'c');
    info.as<PRINTER_INFO_2W>()->pComment = const_cast<wchar_t*>(comment.c_str());
    ASSERT_TRUE(SetPrinterW(opened.get(), 2, info.as<BYTE>(), 0));
    HeapBlock large = GetPrinterInfo2(opened.get());
    ASSERT_TRUE(large);
    EXPECT_EQ(comment, large.as<PRINTER_INFO_2W>()->pComment);
}

TEST(OpenPrinterFull, OpensAPrinterNamedWithOneCharacter)
{
    std::wstring error;
    UniquePrinter added(AddPrinterForDriver(L"Q", SampleDriver(3).name, &error));
    ASSERT_TRUE(added) << Narrow(error);
    UniquePrinter opened(OpenPrinterFull(L"Q"));
    EXPECT_TRUE(opened);
    DeletePrinter(added.get());
}
