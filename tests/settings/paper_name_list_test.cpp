// The printer's information block and the paper name list.
#include "settings/paper_name_list.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "facts/printer_call.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"
#include "platform/printer_open.h"

namespace {

class PaperNameListTest : public ::testing::Test {
protected:
    void Load(const DriverPackage& driver)
    {
        printer_ = std::make_unique<BenchPrinter>(driver);
        profile_ = LoadPrinterModel(*printer_);
        BuildModel(profile_, &model_);
    }
    HANDLE printer() const { return printer_->handle(); }

    // Stores `mode` as the printer's default device mode.
    void SetPrinterDefaults(DEVMODEW* mode)
    {
        HeapBlock info = GetPrinterInfo2(printer());
        ASSERT_TRUE(info);
        info.as<PRINTER_INFO_2W>()->pDevMode = mode;
        info.as<PRINTER_INFO_2W>()->pSecurityDescriptor = nullptr;
        ASSERT_TRUE(SetPrinterW(printer(), 2, info.as<BYTE>(), 0)) << "error " << GetLastError();
    }

    PaperNameList List()
    {
        PaperNameList list;
        memset(&list, 0x5A, sizeof(list));
        PrinterCall call;
        call.printer = printer();
        int16_t width = 0;
        int16_t length = 0;
        ReferenceUserPaperSize(&call, &width, &length);
        BuildPaperNameList(model_, width, length, &list);
        return list;
    }

    std::unique_ptr<BenchPrinter> printer_;
    ModelProfile profile_;
    ModelState model_;
};

}  // namespace

TEST_F(PaperNameListTest, ListsTheAvailablePapersThenTheUserSize)
{
    Load(SampleDriver(3));
    PjlJobFacts facts;
    GatherPjlJobFacts(nullptr, &facts);
    DocumentSettings defaults;
    BuildDefaultSettings(model_, printer_->name().c_str(), &profile_, facts, &defaults);
    defaults.userPaperWidth = 1111;
    defaults.userPaperLength = 2222;
    SetPrinterDefaults(reinterpret_cast<DEVMODEW*>(&defaults));

    const PaperNameList list = List();
    const int16_t codes[] = {9, 11, 5, 1, 3, 287, 27, 28, 20, 37, 256};
    ASSERT_EQ(11, list.count);
    for (int i = 0; i < list.count; ++i) {
        EXPECT_EQ(codes[i], list.rows[i].paperCode) << "row " << i;
        EXPECT_EQ(i, list.rows[i].paperIndex) << "row " << i;
    }
    EXPECT_STREQ(L"A4", list.rows[0].name);
    EXPECT_EQ(2100, list.rows[0].width);
    EXPECT_EQ(2970, list.rows[0].length);
    EXPECT_STREQ(L"Letter", list.rows[3].name);
    EXPECT_STREQ(L"User", list.rows[10].name);
    EXPECT_EQ(1111, list.rows[10].width) << "the user size of the printer's default settings";
    EXPECT_EQ(2222, list.rows[10].length);
}

TEST_F(PaperNameListTest, TakesTheDefaultUserSizeWhenThePrintersSettingsAreNotThisDrivers)
{
    Load(SampleDriver(3));
    DEVMODEW foreign = {};
    foreign.dmSize = sizeof(foreign);
    foreign.dmSpecVersion = DM_SPECVERSION;
    wcscpy(foreign.dmDeviceName, L"Foreign");
    SetPrinterDefaults(&foreign);
    const PaperNameList list = List();
    ASSERT_EQ(11, list.count);
    EXPECT_EQ(2100, list.rows[10].width);
    EXPECT_EQ(2970, list.rows[10].length);

    PaperNameList withoutPrinter;
    PrinterCall noPrinter;
    int16_t width = 0;
    int16_t length = 0;
    ReferenceUserPaperSize(&noPrinter, &width, &length);
    BuildPaperNameList(model_, width, length, &withoutPrinter);
    EXPECT_EQ(2100, withoutPrinter.rows[10].width);
}

TEST_F(PaperNameListTest, HasNoUserRowWhenTheModelOffersNoUserSize)
{
    Load(DriverForProfileText(L"[Setup]\nDRIVER=3\n[PaperSize]\nA4=1,1,1,A4\nLETTER=1,1,1,LETTER\n"));
    const PaperNameList list = List();
    ASSERT_EQ(2, list.count);
    EXPECT_EQ(9, list.rows[0].paperCode);
    EXPECT_EQ(1, list.rows[1].paperCode);
    EXPECT_EQ(0, list.rows[2].paperCode) << "rows past the count are empty";

    Load(DriverForProfileText(L"[Setup]\nDRIVER=3\n"));
    EXPECT_EQ(0, List().count);
}
