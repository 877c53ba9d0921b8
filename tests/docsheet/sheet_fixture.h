// A printer of a given driver with its sheet open in the test host: the
// fixture of every page test. The printer is shared by every fixture of the
// same driver and key for the whole test process (see SharedPrinter), and
// each fixture starts without settings kept for the user.
#ifndef MARTENUI_TESTS_SHEET_FIXTURE_H
#define MARTENUI_TESTS_SHEET_FIXTURE_H

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/driver_interface.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"

class SheetFixture {
public:
    explicit SheetFixture(const DriverPackage& driver, const std::string& key = std::string(),
                          const std::function<void(const BenchPrinter&)>& setUp = nullptr);

    // The printer's defaults, as an application gets them.
    DocumentSettings Defaults() const;
    // Opens the sheet on the output record, merging `input` when given.
    // Returns INIT's answer.
    LONG Open(const DocumentSettings* input = nullptr, DWORD extraMode = 0);
    // Stores the printer's model profile as its initialisation does.
    void Initialise() const;

    SheetHost& host() { return *host_; }
    DocumentSettings& settings() { return *output_; }
    const BenchPrinter& printer() const { return *printer_; }
    const InstalledDriver& driver() const { return *driver_; }

private:
    const BenchPrinter* printer_;
    std::unique_ptr<InstalledDriver> driver_;
    std::unique_ptr<DocumentSettings> input_;
    std::unique_ptr<DocumentSettings> output_;
    DOCUMENTPROPERTYHEADER header_ = {};
    std::unique_ptr<SheetHost> host_;
};

// The button of `control` is checked.
bool IsChecked(HWND control);

#endif
