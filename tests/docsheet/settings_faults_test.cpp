// Document settings when the spooler refuses a read or memory runs out:
// the call answers its error and leaves the caller's record alone; it never
// hands out defaults in place of what could not be read or kept.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "docsheet/sheet_fixture.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/spooler_faults.h"

namespace {

using PropertiesEntry = LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);

constexpr DWORD kMerge = DM_IN_BUFFER | DM_OUT_BUFFER;

// A record no call would build by itself: the caller's own bytes.
DocumentSettings Untouched()
{
    DocumentSettings record;
    FillMemory(&record, sizeof(record), 0x5A);
    return record;
}

bool SameRecord(const DocumentSettings& a, const DocumentSettings& b)
{
    return memcmp(&a, &b, sizeof(a)) == 0;
}

class DocumentSettingsFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        sheet_ = std::make_unique<SheetFixture>(SampleDriver(2), "settings faults");
        properties_ = sheet_->driver().Entry<PropertiesEntry>("DrvDocumentProperties");
        ASSERT_NE(nullptr, properties_);
        document_ = sheet_->Defaults();
        document_.dmOrientation = DMORIENT_LANDSCAPE;
        document_.dmCopies = 7;
    }

    // The settings road without a user interface, merging the document.
    LONG Merge(DocumentSettings* output)
    {
        return properties_(nullptr, sheet_->printer().handle(), const_cast<WCHAR*>(sheet_->printer().name().c_str()),
                           reinterpret_cast<DEVMODEW*>(output), reinterpret_cast<DEVMODEW*>(&document_), kMerge);
    }

    // The size of each block `road` takes from the heap, in order.
    std::vector<SIZE_T> AllocationsOf(const std::function<void()>& road)
    {
        InjectedFault counting(sheet_->driver().module(), Faulted::HeapAlloc, ERROR_NOT_ENOUGH_MEMORY,
                               {L"", 0, INT_MAX});
        road();
        return counting.sizes();
    }

    std::unique_ptr<SheetFixture> sheet_;
    PropertiesEntry properties_ = nullptr;
    DocumentSettings document_ = {};
};

enum class Road { WithoutUi, SheetWithRecord, Sheet };

struct ReadFault {
    const char* name;
    Road road;
    Faulted function;
    FaultTarget target;
};

const ReadFault kReadFaults[] = {
    {"PrinterSettings", Road::WithoutUi, Faulted::GetPrinter, {}},
    {"InstalledOptions", Road::WithoutUi, Faulted::GetPrinterData, {L"DeviceOption"}},
    {"SheetPrinterSettings", Road::Sheet, Faulted::GetPrinter, {}},
    {"SheetInstalledOptions", Road::Sheet, Faulted::GetPrinterData, {L"DeviceOption"}},
    {"SheetRecordInstalledOptions", Road::SheetWithRecord, Faulted::GetPrinterData, {L"DeviceOption"}},
};

class SettingsReadFaults : public DocumentSettingsFaults, public ::testing::WithParamInterface<Refused<ReadFault>> {};

}  // namespace

TEST_P(SettingsReadFaults, AnswerTheErrorAndLeaveTheRecord)
{
    const ReadFault& fault = GetParam().row;
    const DWORD error = GetParam().error;
    DocumentSettings& output = sheet_->settings();
    output = Untouched();
    InjectedFault injected(sheet_->driver().module(), fault.function, error, fault.target);
    SetLastError(0);
    if (fault.road == Road::WithoutUi) {
        EXPECT_EQ(-1, Merge(&output));
    } else {
        EXPECT_EQ(-1, sheet_->Open(fault.road == Road::SheetWithRecord ? &document_ : nullptr));
        EXPECT_EQ(0, sheet_->host().pageCount());
    }
    EXPECT_EQ(error, GetLastError());
    EXPECT_GE(injected.failed(), 1) << "the road never made the faulted call";
    EXPECT_TRUE(SameRecord(Untouched(), output)) << "the caller's record is left as it was";
}

INSTANTIATE_TEST_SUITE_P(Faults, SettingsReadFaults, ::testing::ValuesIn(EachRefusal(kReadFaults)),
                         RefusalName<ReadFault>);

// Each block the road takes, refused in turn: the answer is the road's
// error with the record untouched, or the very answer it gives with memory.
TEST_F(DocumentSettingsFaults, EveryAllocationWithoutUiFailsTheCallOrChangesNothing)
{
    DocumentSettings expected = Untouched();
    ASSERT_EQ(1, Merge(&expected));
    const std::vector<SIZE_T> sizes = AllocationsOf([&] {
        DocumentSettings output = Untouched();
        Merge(&output);
    });
    const int blocks = static_cast<int>(sizes.size());
    ASSERT_GT(blocks, 0);
    for (int nth = 1; nth <= blocks; ++nth) {
        DocumentSettings output = Untouched();
        InjectedFault injected(sheet_->driver().module(), Faulted::HeapAlloc, ERROR_NOT_ENOUGH_MEMORY, {L"", 0, nth});
        SetLastError(0);
        const LONG answer = Merge(&output);
        if (answer == -1) {
            EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError()) << "block " << nth;
            EXPECT_TRUE(SameRecord(Untouched(), output)) << "block " << nth;
        } else {
            EXPECT_EQ(1, answer) << "block " << nth;
            EXPECT_TRUE(SameRecord(expected, output)) << "block " << nth << " of " << blocks << " (" << sizes[nth - 1] << " bytes) changed the answer";
        }
    }
}

// The same for the document sheet's start with the caller's record.
TEST_F(DocumentSettingsFaults, EveryAllocationOfTheSheetsStartFailsItOrChangesNothing)
{
    sheet_->settings() = Untouched();
    ASSERT_EQ(1, sheet_->Open(&document_));
    const DocumentSettings expected = sheet_->settings();
    sheet_->host().Close();
    const std::vector<SIZE_T> sizes = AllocationsOf([&] {
        sheet_->settings() = Untouched();
        sheet_->Open(&document_);
        sheet_->host().Close();
    });
    const int blocks = static_cast<int>(sizes.size());
    ASSERT_GT(blocks, 0);
    for (int nth = 1; nth <= blocks; ++nth) {
        sheet_->settings() = Untouched();
        LONG answer = 0;
        {
            InjectedFault injected(sheet_->driver().module(), Faulted::HeapAlloc, ERROR_NOT_ENOUGH_MEMORY,
                                   {L"", 0, nth});
            answer = sheet_->Open(&document_);
        }
        if (answer == -1) {
            EXPECT_EQ(0, sheet_->host().pageCount()) << "block " << nth;
            EXPECT_TRUE(SameRecord(Untouched(), sheet_->settings())) << "block " << nth;
        } else {
            EXPECT_EQ(1, answer) << "block " << nth;
            EXPECT_TRUE(SameRecord(expected, sheet_->settings()))
                << "block " << nth << " of " << blocks << " (" << sizes[nth - 1] << " bytes) changed the record the sheet edits";
        }
        sheet_->host().Close();
    }
}
