// Document settings when the spooler refuses a read or memory runs out:
// the call answers its error and leaves the caller's record alone; it never
// hands out defaults in place of what could not be read or kept.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "docsheet/sheet_fixture.h"
#include "settings/document_settings.h"
#include "sheet/sheet_state.h"
#include "support/spooler_faults.h"
#include "../resources/resource_ids.h"

namespace {

using PropertiesEntry = LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);

// The settings road without a user interface merging a document's record,
// and the document sheet's start with the caller's record or without one.
enum class Road { WithoutUi, SheetWithRecord, Sheet };

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

    // The road's answer, with the record it leaves in `output` (which
    // starts Untouched).
    LONG Run(Road road, DocumentSettings* output)
    {
        *output = Untouched();
        if (road == Road::WithoutUi)
            return properties_(nullptr, sheet_->printer().handle(),
                               const_cast<WCHAR*>(sheet_->printer().name().c_str()), reinterpret_cast<DEVMODEW*>(output),
                               reinterpret_cast<DEVMODEW*>(&document_), DM_IN_BUFFER | DM_OUT_BUFFER);
        sheet_->settings() = Untouched();
        const LONG answer = sheet_->Open(road == Road::SheetWithRecord ? &document_ : nullptr);
        *output = sheet_->settings();
        sheet_->host().Close();
        return answer;
    }

    std::unique_ptr<SheetFixture> sheet_;
    PropertiesEntry properties_ = nullptr;
    DocumentSettings document_ = {};
};

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
class EachAllocation : public DocumentSettingsFaults, public ::testing::WithParamInterface<Road> {};

}  // namespace

TEST_P(SettingsReadFaults, AnswerTheErrorAndLeaveTheRecord)
{
    const ReadFault& fault = GetParam().row;
    const DWORD error = GetParam().error;
    DocumentSettings output;
    InjectedFault injected(sheet_->driver().module(), fault.function, error, fault.target);
    SetLastError(0);
    EXPECT_EQ(-1, Run(fault.road, &output));
    EXPECT_EQ(error, GetLastError());
    EXPECT_GE(injected.failed(), 1) << "the road never made the faulted call";
    EXPECT_TRUE(SameRecord(Untouched(), output)) << "the caller's record is left as it was";
}

INSTANTIATE_TEST_SUITE_P(Faults, SettingsReadFaults, ::testing::ValuesIn(EachRefusal(kReadFaults)),
                         RefusalName<ReadFault>);

// Each block the road takes, refused in turn: the answer is the road's
// error with the record untouched, or the very answer it gives with memory.
TEST_P(EachAllocation, FailsTheRoadOrChangesNothing)
{
    DocumentSettings expected;
    ASSERT_EQ(1, Run(GetParam(), &expected));
    std::vector<SIZE_T> sizes;
    {
        InjectedFault counting(sheet_->driver().module(), Faulted::HeapAlloc, ERROR_NOT_ENOUGH_MEMORY,
                               {L"", 0, INT_MAX});
        DocumentSettings output;
        Run(GetParam(), &output);
        sizes = counting.sizes();
    }
    ASSERT_FALSE(sizes.empty());
    for (size_t nth = 1; nth <= sizes.size(); ++nth) {
        DocumentSettings output;
        InjectedFault injected(sheet_->driver().module(), Faulted::HeapAlloc, ERROR_NOT_ENOUGH_MEMORY,
                               {L"", 0, static_cast<int>(nth)});
        SetLastError(0);
        const LONG answer = Run(GetParam(), &output);
        const std::string block = "block " + std::to_string(nth) + " of " + std::to_string(sizes.size()) + " (" +
                                  std::to_string(sizes[nth - 1]) + " bytes)";
        if (answer == -1) {
            EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError()) << block;
            EXPECT_TRUE(SameRecord(Untouched(), output)) << block;
        } else {
            EXPECT_EQ(1, answer) << block;
            EXPECT_TRUE(SameRecord(expected, output)) << block << " changed the answer";
        }
    }
}

// The user's own store refusing the record at OK: told once over the
// page, each page's result answered -1, the stored record as it was.
TEST_F(DocumentSettingsFaults, AFailedWriteOfTheUsersOwnRecordIsToldOnce)
{
    const auto storedRecord = [this] {
        std::vector<BYTE> data(sizeof(DocumentSettings) + 1);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegGetValueW(HKEY_CURRENT_USER, L"Printers\\DevModes2", sheet_->printer().name().c_str(), RRF_RT_ANY,
                         nullptr, data.data(), &size) != ERROR_SUCCESS)
            size = 0;
        data.resize(size);
        return data;
    };
    const std::vector<BYTE> before = storedRecord();
    for (DWORD error : {DWORD{ERROR_ACCESS_DENIED}, DWORD{RPC_S_SERVER_UNAVAILABLE}}) {
        ASSERT_EQ(1, sheet_->Open());
        sheet_->host().ShowPage(kPageHandling);
        {
            InjectedFault injected(sheet_->driver().module(), Faulted::RegSetValue, error,
                                   {sheet_->printer().name()});
            sheet_->host().Press(PSBTN_OK);
            EXPECT_EQ(2, injected.failed()) << ErrorName(error) << ": one write for each page shown";
        }
        ASSERT_EQ(2u, sheet_->host().setResults().size());
        for (const SheetHost::SetResultCall& call : sheet_->host().setResults())
            EXPECT_EQ(-1, call.answer) << ErrorName(error);
        const std::vector<MessageBoxCall>& boxes = sheet_->host().boxes().calls();
        ASSERT_EQ(1u, boxes.size()) << ErrorName(error) << ": told once per sheet";
        WCHAR text[256] = L"";
        LoadStringW(sheet_->host().pageRecord(0).hInstance, IDS_USER_SETTINGS_WRITE_FAILED, text, 256);
        EXPECT_EQ(0u, boxes[0].text.find(text)) << "shown: " << testing::PrintToString(boxes[0].text);
        EXPECT_EQ(before, storedRecord()) << ErrorName(error);
        sheet_->host().Close();
        sheet_->host().boxes().Clear();
    }
}

INSTANTIATE_TEST_SUITE_P(Roads, EachAllocation, ::testing::Values(Road::WithoutUi, Road::SheetWithRecord),
                         [](const ::testing::TestParamInfo<Road>& info) {
                             return std::string(info.param == Road::WithoutUi ? "WithoutUi" : "SheetWithRecord");
                         });
