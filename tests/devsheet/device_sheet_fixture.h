// A printer of a given driver with its own property sheet open in the test
// host: the fixture of the device page tests.
#ifndef MARTENUI_TESTS_DEVICE_SHEET_FIXTURE_H
#define MARTENUI_TESTS_DEVICE_SHEET_FIXTURE_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/driver_interface.h"
#include "profile/device_options.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"

class DeviceSheetFixture {
public:
    explicit DeviceSheetFixture(const DriverPackage& driver);

    // Opens the printer's sheet; `flags` are the header's (DPS_NOPERMISSION).
    // Returns INIT's answer.
    LONG Open(WORD flags = 0);

    // The printer's stored "DeviceOption", or a record of 0x5A bytes when it
    // has none of 36 bytes.
    DeviceOptionData StoredOptions() const;
    void StoreOptions(const DeviceOptionData& options) const;
    // The printer's stored "FontSubs" as its strings, in order; empty when
    // it has none.
    std::vector<std::wstring> StoredFontSubs() const;
    void StoreFontSubs(const std::vector<std::wstring>& strings) const;

    // Whether the hosts of the later Opens run the page checker (on unless
    // a test shows a state that breaks an invariant on purpose).
    void CheckPagesAfterActions(bool on) { checkPages_ = on; }

    SheetHost& host() { return *host_; }
    const BenchPrinter& printer() const { return *printer_; }
    const InstalledDriver& driver() const { return *driver_; }

private:
    std::unique_ptr<BenchPrinter> printer_;
    std::unique_ptr<InstalledDriver> driver_;
    DEVICEPROPERTYHEADER header_ = {};
    std::unique_ptr<SheetHost> host_;
    bool checkPages_ = true;
};

// A record with every field set, the password "9876".
DeviceOptionData AllOptionsOn(int16_t trayCount);

#endif
