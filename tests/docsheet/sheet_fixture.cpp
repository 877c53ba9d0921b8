#include "docsheet/sheet_fixture.h"

#include <gtest/gtest.h>

SheetFixture::SheetFixture(const DriverPackage& driver, const std::string& key,
                           const std::function<void(const BenchPrinter&)>& setUp)
    : printer_(&SharedPrinter(driver, key, setUp)),
      driver_(std::make_unique<InstalledDriver>(printer_->handle())),
      output_(std::make_unique<DocumentSettings>())
{
    ForgetUserSettings(*printer_);
    *output_ = {};
}

DocumentSettings SheetFixture::Defaults() const
{
    auto properties = driver_->Entry<LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD)>(
        "DrvDocumentProperties");
    DocumentSettings settings = {};
    EXPECT_NE(nullptr, properties);
    if (properties) {
        EXPECT_EQ(1, properties(nullptr, printer_->handle(), const_cast<WCHAR*>(printer_->name().c_str()),
                                reinterpret_cast<DEVMODEW*>(&settings), nullptr, DM_OUT_BUFFER));
    }
    return settings;
}

void SheetFixture::Initialise() const
{
    auto event = driver_->Entry<BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM)>("DrvPrinterEvent");
    ASSERT_NE(nullptr, event);
    ASSERT_TRUE(event(const_cast<LPWSTR>(printer_->name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0));
}

LONG SheetFixture::Open(const DocumentSettings* input, DWORD extraMode)
{
    if (input)
        input_ = std::make_unique<DocumentSettings>(*input);
    header_ = {sizeof(header_), 0, printer_->handle(), const_cast<WCHAR*>(printer_->name().c_str()),
               input_ ? reinterpret_cast<DEVMODEW*>(input_.get()) : nullptr, reinterpret_cast<DEVMODEW*>(output_.get()),
               static_cast<DWORD>(kSettingsBytes), DM_IN_PROMPT | DM_OUT_BUFFER | extraMode};
    if (input_)
        header_.fMode |= DM_IN_BUFFER;
    host_.reset();   // one host at a time
    host_ = std::make_unique<SheetHost>(*driver_);
    return host_->Open(&header_);
}

bool IsChecked(HWND control)
{
    return control && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
