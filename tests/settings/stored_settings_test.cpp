// The printer's default settings, the user's stored copy, and conversion
// requests, through real printers and the current user's registry.
#include "facts/printer_call.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/driver_files.h"
#include "platform/driver_interface.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/spooler_faults.h"
#include "settings/user_settings_store.h"
#include "settings/printer_settings_store.h"
#include "platform/printer_open.h"

namespace {

const wchar_t kUserKey[] = L"Printers\\DevModes2";

// A whole record of this driver's sizes and fields, every other byte from a
// pattern but the two names: the spooler keeps those as texts, not as bytes.
std::vector<BYTE> PatternRecord(BYTE seed)
{
    std::vector<BYTE> record(kSettingsBytes);
    for (size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<BYTE>(seed + i * 7);
    auto* header = reinterpret_cast<DEVMODEW*>(record.data());
    ZeroMemory(header->dmDeviceName, sizeof(header->dmDeviceName));
    lstrcpyW(header->dmDeviceName, L"Pattern record");
    ZeroMemory(header->dmFormName, sizeof(header->dmFormName));
    header->dmFields = 0xF703;
    header->dmSize = kSettingsHeaderBytes;
    header->dmDriverExtra = kSettingsPrivateBytes;
    return record;
}

// `record` as a conversion hands it out for the printer `name`: named after
// that printer (cut at 31 units), with nothing after the names' terminators.
std::vector<BYTE> NamedFor(std::vector<BYTE> record, const std::wstring& name)
{
    auto* header = reinterpret_cast<DEVMODEW*>(record.data());
    ZeroMemory(header->dmDeviceName, sizeof(header->dmDeviceName));
    name.copy(header->dmDeviceName, CCHDEVICENAME - 1);
    return record;
}

void StoreUserValue(const std::wstring& name, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

void RemoveUserValue(const std::wstring& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, name.c_str());
        RegCloseKey(key);
    }
}

// A default device mode as another driver leaves it: the public part only.
void StoreForeignDefault(HANDLE printer)
{
    HeapBlock info = GetPrinterInfo2(printer);
    ASSERT_TRUE(info);
    DEVMODEW foreign = {};
    lstrcpynW(foreign.dmDeviceName, L"Other driver", CCHDEVICENAME);
    foreign.dmSize = sizeof(foreign);
    foreign.dmFields = DM_ORIENTATION;
    foreign.dmOrientation = DMORIENT_PORTRAIT;
    info.as<PRINTER_INFO_2W>()->pDevMode = &foreign;
    ASSERT_TRUE(SetPrinterW(printer, 2, info.as<BYTE>(), 0)) << "error " << GetLastError();
}

// Offset of the first byte that differs, or -1.
long FirstDifference(const BYTE* expected, const BYTE* actual, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        if (expected[i] != actual[i])
            return static_cast<long>(i);
    }
    return -1;
}

// The spooler keeps the two names of the header as texts: the units after
// their terminators do not survive. Every other byte does.
void ExpectSameRecord(const BYTE* expected, const BYTE* actual, size_t size)
{
    const auto* want = reinterpret_cast<const DEVMODEW*>(expected);
    const auto* got = reinterpret_cast<const DEVMODEW*>(actual);
    EXPECT_STREQ(want->dmDeviceName, got->dmDeviceName);
    EXPECT_STREQ(want->dmFormName, got->dmFormName);
    const size_t nameEnd = sizeof(want->dmDeviceName);
    const size_t formStart = offsetof(DEVMODEW, dmFormName);
    const size_t formEnd = formStart + sizeof(want->dmFormName);
    EXPECT_EQ(-1, FirstDifference(expected + nameEnd, actual + nameEnd, formStart - nameEnd))
        << "offset of the first difference after the device name";
    EXPECT_EQ(-1, FirstDifference(expected + formEnd, actual + formEnd, size - formEnd))
        << "offset of the first difference after the form name";
}

using ConvertEntry = BOOL(WINAPI*)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);

class StoredSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        printer_ = std::make_unique<BenchPrinter>(SampleDriver(2));
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        convert_ = driver_->Entry<ConvertEntry>("DrvConvertDevMode");
        ASSERT_NE(convert_, nullptr);
    }
    void TearDown() override
    {
        if (printer_)
            RemoveUserValue(printer_->name());
    }

    BOOL Convert(const std::wstring& name, void* output, LONG* size)
    {
        return convert_(const_cast<wchar_t*>(name.c_str()), nullptr, static_cast<DEVMODEW*>(output), size, CDM_DRIVER_DEFAULT);
    }

    std::unique_ptr<BenchPrinter> printer_;
    std::unique_ptr<InstalledDriver> driver_;
    ConvertEntry convert_ = nullptr;
};

}  // namespace

TEST_F(StoredSettingsTest, TheSpoolerKeepsAWholeRecordAsThePrintersDefault)
{
    const std::vector<BYTE> record = PatternRecord(0x31);
    WritePrinterSettings(printer_->handle(), record.data());
    std::vector<BYTE> publicPart(kSettingsHeaderBytes), privatePart(kSettingsPrivateBytes);
    ASSERT_EQ(1, ReadPrinterSettings(printer_->handle(), publicPart.data(), privatePart.data()));
    ExpectSameRecord(record.data(), publicPart.data(), kSettingsHeaderBytes);
    EXPECT_EQ(-1, FirstDifference(record.data() + kSettingsHeaderBytes, privatePart.data(), kSettingsPrivateBytes));
}

TEST_F(StoredSettingsTest, AnotherDriversShorterDefaultCountsAsAbsent)
{
    StoreForeignDefault(printer_->handle());
    std::vector<BYTE> publicPart(kSettingsHeaderBytes, 0xEE), privatePart(kSettingsPrivateBytes, 0xEE);
    EXPECT_EQ(0, ReadPrinterSettings(printer_->handle(), publicPart.data(), privatePart.data()));
    EXPECT_EQ(std::vector<BYTE>(kSettingsHeaderBytes, 0xEE), publicPart) << "written although absent";
    EXPECT_EQ(0, ReadPrinterSettings(nullptr, publicPart.data(), privatePart.data()));
}

// The record inside the spooler's block: whole, one byte past its end, one
// byte short of a whole record, or absent.
TEST(CopyPrinterSettings, TakesOnlyAWholeRecordThatLiesInsideTheBlock)
{
    const struct {
        const char* what;
        size_t slack;      // block bytes after the record
        ptrdiff_t shift;   // where the record starts, from just after the information
        int extraShort;    // bytes the record claims less than a whole one
        bool devMode;
        int expected;
    } rows[] = {
        {"ending at the block's end", 0, 0, 0, true, 1},
        {"one byte past the block's end", 0, 1, 0, true, 0},
        {"before the block", 0, -static_cast<ptrdiff_t>(sizeof(PRINTER_INFO_2W)) - 1, 0, true, 0},
        {"one byte short of a record", 8, 0, 1, true, 0},
        {"without a device mode", 8, 0, 0, false, 0},
    };
    for (const auto& row : rows) {
        HeapBlock info(sizeof(PRINTER_INFO_2W) + kSettingsBytes + row.slack);
        BYTE* record = info.as<BYTE>() + sizeof(PRINTER_INFO_2W) + row.shift;
        if (row.shift >= 0) {   // a header that claims a record, inside the block
            auto* header = reinterpret_cast<DEVMODEW*>(record);
            header->dmSize = sizeof(DEVMODEW);
            header->dmDriverExtra = static_cast<WORD>(kSettingsBytes - sizeof(DEVMODEW) - row.extraShort);
        }
        if (row.shift == 0)
            FillMemory(record + kSettingsHeaderBytes, kSettingsPrivateBytes, 0x5A);
        info.as<PRINTER_INFO_2W>()->pDevMode = row.devMode ? reinterpret_cast<DEVMODEW*>(record) : nullptr;
        std::vector<BYTE> publicPart(kSettingsHeaderBytes), privatePart(kSettingsPrivateBytes);
        EXPECT_EQ(row.expected, CopyPrinterSettings(info, publicPart.data(), privatePart.data())) << row.what;
        EXPECT_EQ(row.expected ? 0x5A : 0, privatePart[kSettingsPrivateBytes - 1]) << row.what;
    }
}

TEST_F(StoredSettingsTest, UserSettingsAreStoredAndReadWhole)
{
    const std::vector<BYTE> record = PatternRecord(0x52);
    WriteUserSettings(printer_->name().c_str(), record.data());
    std::vector<BYTE> read(kSettingsBytes);
    ASSERT_EQ(1, ReadUserSettings(printer_->name().c_str(), read.data()));
    EXPECT_EQ(record, read);
}

TEST_F(StoredSettingsTest, UserValuesOfAnotherSizeAreNotRead)
{
    for (DWORD size : {DWORD(100), DWORD(kSettingsBytes - 1), DWORD(kSettingsBytes + 1)}) {
        std::vector<BYTE> value(size, 0x77);
        StoreUserValue(printer_->name(), value.data(), size);
        std::vector<BYTE> read(kSettingsBytes, 0xEE);
        EXPECT_EQ(0, ReadUserSettings(printer_->name().c_str(), read.data())) << size << " bytes";
        EXPECT_EQ(std::vector<BYTE>(kSettingsBytes, 0xEE), read) << size << " bytes left behind";
    }
}

TEST_F(StoredSettingsTest, WithoutTheUserKeyNothingIsStoredOrRead)
{
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, kUserKey));
    const std::vector<BYTE> record = PatternRecord(0x13);
    WriteUserSettings(printer_->name().c_str(), record.data());
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &key)) << "the key was created";
    std::vector<BYTE> read(kSettingsBytes);
    EXPECT_EQ(0, ReadUserSettings(printer_->name().c_str(), read.data()));
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    RegCloseKey(key);
}

TEST_F(StoredSettingsTest, ConvertAnswersTheRecordSizeWithoutAnOutput)
{
    LONG size = 12;
    EXPECT_FALSE(Convert(printer_->name(), nullptr, &size));
    EXPECT_EQ(4088, size);
}

TEST_F(StoredSettingsTest, ConvertRefusesAnOutputTooSmall)
{
    std::vector<BYTE> output(kSettingsBytes, 0xEE);
    LONG size = 4087;
    SetLastError(0);
    EXPECT_FALSE(Convert(printer_->name(), output.data(), &size));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(4087, size);
    EXPECT_EQ(std::vector<BYTE>(kSettingsBytes, 0xEE), output);
}

TEST_F(StoredSettingsTest, ConvertGivesThePrintersDefaultWhateverWasAsked)
{
    const std::vector<BYTE> record = PatternRecord(0x64);
    WritePrinterSettings(printer_->handle(), record.data());
    StoreUserValue(printer_->name(), PatternRecord(0x01).data(), kSettingsBytes);
    std::vector<BYTE> output(kSettingsBytes + 16, 0xEE);
    DEVMODEW input = {};
    input.dmSize = sizeof(input);
    for (DWORD mode : {DWORD(CDM_CONVERT), DWORD(CDM_CONVERT351), DWORD(CDM_DRIVER_DEFAULT)}) {
        LONG size = static_cast<LONG>(output.size());
        EXPECT_TRUE(convert_(const_cast<wchar_t*>(printer_->name().c_str()), &input,
                             reinterpret_cast<DEVMODEW*>(output.data()), &size, mode)) << "mode " << mode;
        const std::vector<BYTE> expected = NamedFor(record, printer_->name());
        EXPECT_EQ(-1, FirstDifference(expected.data(), output.data(), kSettingsBytes))
            << "offset of the first difference, mode " << mode;
        EXPECT_EQ(0xEE, output[kSettingsBytes]) << "wrote past the record";
        EXPECT_EQ(static_cast<LONG>(output.size()), size) << "the size changes only for a size query";
    }
}

TEST_F(StoredSettingsTest, ConvertFallsBackToTheUsersCopy)
{
    StoreForeignDefault(printer_->handle());
    const std::vector<BYTE> userRecord = PatternRecord(0x29);
    StoreUserValue(printer_->name(), userRecord.data(), kSettingsBytes);
    std::vector<BYTE> output(kSettingsBytes);
    LONG size = kSettingsBytes;
    EXPECT_TRUE(Convert(printer_->name(), output.data(), &size));
    EXPECT_EQ(NamedFor(userRecord, printer_->name()), output);

    // A printer that cannot be opened: the user's copy alone.
    const std::wstring unknown = L"No such printer 42";
    StoreUserValue(unknown, userRecord.data(), kSettingsBytes);
    std::vector<BYTE> other(kSettingsBytes);
    EXPECT_TRUE(Convert(unknown, other.data(), &size));
    EXPECT_EQ(NamedFor(userRecord, unknown), other);
    RemoveUserValue(unknown);
}

TEST_F(StoredSettingsTest, ConvertFailsWhenNothingCanBeRead)
{
    StoreForeignDefault(printer_->handle());
    std::vector<BYTE> value(kSettingsBytes + 1, 0x44);
    StoreUserValue(printer_->name(), value.data(), static_cast<DWORD>(value.size()));
    std::vector<BYTE> output(kSettingsBytes, 0xEE);
    LONG size = kSettingsBytes;
    SetLastError(0);
    EXPECT_FALSE(Convert(printer_->name(), output.data(), &size));
    EXPECT_EQ(std::vector<BYTE>(kSettingsBytes, 0xEE), output);
}

TEST_F(StoredSettingsTest, ConvertFailsWithTheReasonWhenThePrintersSettingsCannotBeRead)
{
    const std::vector<BYTE> userRecord = PatternRecord(0x29);
    StoreUserValue(printer_->name(), userRecord.data(), kSettingsBytes);
    for (DWORD error : {DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_NOT_ENOUGH_MEMORY}, DWORD{RPC_S_SERVER_UNAVAILABLE}}) {
        InjectedFault fault(driver_->module(), Faulted::GetPrinter, error);
        std::vector<BYTE> output(kSettingsBytes, 0xEE);
        LONG size = kSettingsBytes;
        SetLastError(0);
        EXPECT_FALSE(Convert(printer_->name(), output.data(), &size)) << ErrorName(error);
        EXPECT_EQ(error, GetLastError());
        EXPECT_EQ(std::vector<BYTE>(kSettingsBytes, 0xEE), output) << "not the user's copy: " << ErrorName(error);
    }
}
