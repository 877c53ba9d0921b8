#include "devsheet/device_sheet_fixture.h"

#include <gtest/gtest.h>

DeviceSheetFixture::DeviceSheetFixture(const DriverPackage& driver)
    : printer_(std::make_unique<BenchPrinter>(driver, L"Device")),
      driver_(std::make_unique<InstalledDriver>(printer_->handle()))
{
}

LONG DeviceSheetFixture::Open(WORD flags)
{
    header_ = {sizeof(header_), flags, printer_->handle(), const_cast<WCHAR*>(printer_->name().c_str())};
    host_.reset();   // one host at a time
    host_ = std::make_unique<SheetHost>(*driver_, "DrvDevicePropertySheets");
    host_->CheckPagesAfterActions(checkPages_);
    return host_->Open(&header_);
}

DeviceOptionData DeviceSheetFixture::StoredOptions() const
{
    DeviceOptionData options;
    FillMemory(&options, sizeof(options), 0x5A);
    DWORD type = 0;
    if (printer_->GetData(kDeviceOptionValue, &options, sizeof(options), &type) != sizeof(options))
        FillMemory(&options, sizeof(options), 0x5A);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    return options;
}

void DeviceSheetFixture::StoreOptions(const DeviceOptionData& options) const
{
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              printer_->SetData(kDeviceOptionValue, REG_BINARY, &options, sizeof(options)));
}

std::vector<std::wstring> DeviceSheetFixture::StoredFontSubs() const
{
    std::vector<WCHAR> table(32768, 0);
    const long bytes = printer_->GetData(L"FontSubs", table.data(), static_cast<DWORD>(table.size() * 2));
    std::vector<std::wstring> strings;
    for (long at = 0; bytes > 0 && at < bytes / 2 && table[at];) {
        strings.emplace_back(&table[at]);
        at += static_cast<long>(strings.back().size()) + 1;
    }
    return strings;
}

void DeviceSheetFixture::StoreFontSubs(const std::vector<std::wstring>& strings) const
{
    std::vector<WCHAR> table;
    for (const std::wstring& text : strings) {
        table.insert(table.end(), text.begin(), text.end());
        table.push_back(0);
    }
    table.push_back(0);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              printer_->SetData(L"FontSubs", REG_BINARY, table.data(), static_cast<DWORD>(table.size() * 2)));
}

DeviceOptionData AllOptionsOn(int16_t trayCount)
{
    DeviceOptionData options = {};
    options.trayCount = trayCount;
    options.securityPrint = 1;
    lstrcpynW(options.securityPassword, L"9876", 5);
    options.memoryIndex = 3;
    options.innerTray = 1;
    options.outerTray = 1;
    options.finisher = 1;
    options.duplexUnit = 1;
    return options;
}
