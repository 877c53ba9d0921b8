// Every record the driver hands out names the printer it was asked about:
// through the platform's own DocumentPropertiesW, DrvConvertDevMode and the
// printer's stored defaults, with printers of different names and models
// in one process.
#include <windows.h>
#include <winspool.h>

#include <prsht.h>
#include <winddiui.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/driver_interface.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"

namespace {

using Record = std::vector<BYTE>;
using PropertiesEntry = LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);
using ConvertEntry = BOOL(WINAPI*)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);
using PrinterEventEntry = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

// A printer named exactly `length` units long, deleted again at the end.
class NamedPrinter {
public:
    NamedPrinter(const DriverPackage& driver, size_t length)
    {
        name_ = L"Name " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(length) + L" ";
        name_.resize(length, L'x');
        std::wstring error;
        handle_ = AddPrinterForDriver(name_, driver.name, &error);
        EXPECT_NE(nullptr, handle_) << Narrow(error);
    }
    ~NamedPrinter()
    {
        if (handle_) {
            DeletePrinter(handle_);
            ClosePrinter(handle_);
        }
    }
    NamedPrinter(const NamedPrinter&) = delete;
    NamedPrinter& operator=(const NamedPrinter&) = delete;

    HANDLE handle() const { return handle_; }
    const std::wstring& name() const { return name_; }

private:
    std::wstring name_;
    HANDLE handle_ = nullptr;
};

// The name field a record for `printerName` must hold: the name cut at 31
// units, and zeros to the end of the field.
std::wstring NameField(const std::wstring& printerName)
{
    std::wstring field = printerName.substr(0, kDeviceNameChars - 1);
    field.resize(kDeviceNameChars, L'\0');
    return field;
}

std::wstring NameFieldOf(const Record& record)
{
    const auto* header = reinterpret_cast<const DEVMODEW*>(record.data());
    return std::wstring(header->dmDeviceName, kDeviceNameChars);
}

// Printable: the field's units, a terminator and what follows it shown.
std::string Shown(const std::wstring& field)
{
    std::string shown;
    for (wchar_t unit : field)
        shown += unit == 0 ? std::string("\\0") : unit < 128 ? std::string(1, static_cast<char>(unit)) : "?";
    return shown;
}

#define EXPECT_NAMES(printerName, record) \
    EXPECT_EQ(Shown(NameField(printerName)), Shown(NameFieldOf(record))) << "the record's dmDeviceName, whole"

// Three printers of two models whose names end below, at and beyond the
// 31 units a record holds, installed and initialised once for the suite.
class PrinterNameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        printers_[0] = new NamedPrinter(SampleDriver(1), kDeviceNameChars - 2);
        printers_[1] = new NamedPrinter(SampleDriver(2), kDeviceNameChars - 1);
        printers_[2] = new NamedPrinter(SampleDriver(1), kDeviceNameChars);
        driver_ = new InstalledDriver(printers_[0]->handle());
        auto initialise = driver_->Entry<PrinterEventEntry>("DrvPrinterEvent");
        for (NamedPrinter* printer : printers_) {
            if (initialise && printer->handle())
                initialise(const_cast<wchar_t*>(printer->name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0);
        }
    }
    static void TearDownTestSuite()
    {
        delete driver_;
        for (NamedPrinter*& printer : printers_) {
            delete printer;
            printer = nullptr;
        }
    }
    void SetUp() override
    {
        for (NamedPrinter* printer : printers_)
            ASSERT_NE(nullptr, printer->handle());
    }

    static NamedPrinter* printers_[3];
    static InstalledDriver* driver_;
};

NamedPrinter* PrinterNameTest::printers_[3] = {};
InstalledDriver* PrinterNameTest::driver_ = nullptr;

// An application's record of the public part only, named after itself.
Record ApplicationRecord()
{
    Record record(sizeof(DEVMODEW));
    auto* header = reinterpret_cast<DEVMODEW*>(record.data());
    wcscpy(header->dmDeviceName, L"Some application's own printer");
    header->dmSpecVersion = DM_SPECVERSION;
    header->dmSize = sizeof(DEVMODEW);
    header->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    header->dmOrientation = DMORIENT_LANDSCAPE;
    header->dmPaperSize = DMPAPER_LETTER;
    header->dmCopies = 3;
    return record;
}

}  // namespace

// The platform's DocumentPropertiesW without a user interface, for the
// printers in turn, each merging the record the one before handed out:
// every output names its own printer, never the input's.
TEST_F(PrinterNameTest, MergedRecordsNameTheirOwnPrinter)
{
    Record input = ApplicationRecord();
    for (int round = 0; round < 6; ++round) {
        const NamedPrinter& printer = *printers_[round % 3];
        SCOPED_TRACE(testing::Message() << "round " << round << ", printer of " << printer.name().size() << " units");
        Record output(kSettingsBytes, 0xEE);
        ASSERT_EQ(IDOK, DocumentPropertiesW(nullptr, printer.handle(), const_cast<wchar_t*>(printer.name().c_str()),
                                            reinterpret_cast<DEVMODEW*>(output.data()),
                                            reinterpret_cast<DEVMODEW*>(input.data()), DM_IN_BUFFER | DM_OUT_BUFFER));
        EXPECT_NAMES(printer.name(), output);
        EXPECT_EQ(DMORIENT_LANDSCAPE, reinterpret_cast<const DEVMODEW*>(output.data())->dmOrientation)
            << "the input was merged";
        input = output;
    }
}

// The sheet the platform opens for DM_IN_PROMPT: a timer of this thread
// runs inside the sheet's modal loop, finds it and presses OK, as a user
// who changes nothing.
VOID CALLBACK PressOkOnTheSheet(HWND, UINT, UINT_PTR, DWORD)
{
    struct Found {
        static BOOL CALLBACK Sheet(HWND window, LPARAM param)
        {
            WCHAR name[16] = L"";
            GetClassNameW(window, name, 16);
            if (lstrcmpW(name, L"#32770") == 0 && FindWindowExW(window, nullptr, L"SysTabControl32", nullptr)) {
                *reinterpret_cast<HWND*>(param) = window;
                return FALSE;
            }
            return TRUE;
        }
    };
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), Found::Sheet, reinterpret_cast<LPARAM>(&sheet));
    if (sheet)
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// The same through the Printing Preferences the platform shows: OK hands
// back the record named after the sheet's printer, whatever the input named.
TEST_F(PrinterNameTest, ThePromptedSheetNamesItsOwnPrinter)
{
    Record input = ApplicationRecord();
    for (const NamedPrinter* printer : printers_) {
        SCOPED_TRACE(testing::Message() << "printer of " << printer->name().size() << " units");
        Record output(kSettingsBytes, 0xEE);
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, PressOkOnTheSheet);
        const LONG answer = DocumentPropertiesW(nullptr, printer->handle(), const_cast<wchar_t*>(printer->name().c_str()),
                                                reinterpret_cast<DEVMODEW*>(output.data()),
                                                reinterpret_cast<DEVMODEW*>(input.data()),
                                                DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
        KillTimer(nullptr, timer);
        ASSERT_EQ(IDOK, answer);
        EXPECT_NAMES(printer->name(), output);
        input = output;   // the next printer merges this one's record
    }
}

// DrvConvertDevMode hands out the printer's stored defaults, named after
// the printer, with nothing of the spooler's after the names.
TEST_F(PrinterNameTest, ConvertedRecordsNameTheirOwnPrinter)
{
    auto convert = driver_->Entry<ConvertEntry>("DrvConvertDevMode");
    ASSERT_NE(nullptr, convert);
    for (int round = 0; round < 6; ++round) {
        const NamedPrinter& printer = *printers_[round % 3];
        SCOPED_TRACE(testing::Message() << "round " << round << ", printer of " << printer.name().size() << " units");
        Record output(kSettingsBytes, 0xEE);
        LONG size = kSettingsBytes;
        ASSERT_TRUE(convert(const_cast<wchar_t*>(printer.name().c_str()), nullptr,
                            reinterpret_cast<DEVMODEW*>(output.data()), &size, CDM_DRIVER_DEFAULT));
        EXPECT_NAMES(printer.name(), output);
        const auto* header = reinterpret_cast<const DEVMODEW*>(output.data());
        EXPECT_EQ(std::wstring(kFormNameChars, L'\0'), std::wstring(header->dmFormName, kFormNameChars))
            << "no form name, and nothing after its terminator";
    }
}

// The printer's defaults come the same, byte for byte, whichever road
// builds them: the printer event that stores them, the settings without a
// user interface when an application's record gives no paper, and the
// merge of an application's public part. The model names no default paper
// (Letter stands in) and has colour options of its own.
TEST(DefaultRecordRoads, GiveTheSameRecord)
{
    const DriverPackage& driver = DriverForProfileText(
        L"[Setup]\nDRIVER=2\n[PaperSize]\nCMDNAME=@PJL SET PAPER\nA4=1,1,1,A4\nLETTER=1,1,1,LETTER\n"
        L"[Marten3]\nPAPERDEF=0\nBLACKTEXT=0\nSUPPORTCOLORS=256\n[Martenx]\nORDER=1\nORDERDEF=1\n");
    BenchPrinter printer(driver, L"Roads");
    InstalledDriver installed(printer.handle());
    auto initialise = installed.Entry<PrinterEventEntry>("DrvPrinterEvent");
    auto convert = installed.Entry<ConvertEntry>("DrvConvertDevMode");
    auto properties = installed.Entry<PropertiesEntry>("DrvDocumentProperties");
    ASSERT_TRUE(initialise && convert && properties);
    wchar_t* name = const_cast<wchar_t*>(printer.name().c_str());

    // 0. Before the printer event nothing is cached: the profile file answers.
    Record early(kSettingsBytes, 0xEE);
    EXPECT_EQ(IDOK, properties(nullptr, printer.handle(), name, reinterpret_cast<DEVMODEW*>(early.data()), nullptr,
                               DM_OUT_BUFFER));
    EXPECT_EQ(256, reinterpret_cast<const DocumentSettings*>(early.data())->colorCount) << "not the profile's";

    // 1. Stored by the printer event.
    ASSERT_TRUE(initialise(name, PRINTER_EVENT_INITIALIZE, 0, 0));
    Record stored(kSettingsBytes);
    LONG size = kSettingsBytes;
    ASSERT_TRUE(convert(name, nullptr, reinterpret_cast<DEVMODEW*>(stored.data()), &size, CDM_DRIVER_DEFAULT));
    const auto* defaults = reinterpret_cast<const DocumentSettings*>(stored.data());
    EXPECT_EQ(1, defaults->dmPaperSize) << "Letter for a model without a default paper";
    EXPECT_EQ(1, defaults->magnifyPaper);
    EXPECT_EQ(1, defaults->bookletPaper);
    EXPECT_EQ(256, defaults->colorCount);
    EXPECT_EQ(1, defaults->reverseOrder);
    EXPECT_NAMES(printer.name(), stored);

    // 2. The defaults again: an application's record without a paper.
    Record noPaper = ApplicationRecord();
    reinterpret_cast<DEVMODEW*>(noPaper.data())->dmPaperSize = 0;
    Record reset(kSettingsBytes, 0xEE);
    ASSERT_EQ(IDOK, properties(nullptr, printer.handle(), name, reinterpret_cast<DEVMODEW*>(reset.data()),
                               reinterpret_cast<DEVMODEW*>(noPaper.data()), DM_IN_BUFFER | DM_COPY));
    EXPECT_EQ(stored, reset) << "the defaults after a record without a paper";

    // 3. The merge's defaults under the public part of the stored defaults.
    // The merge writes simplex for a duplex value of 0, the one difference.
    Record publicPart(stored.begin(), stored.begin() + kSettingsHeaderBytes);
    reinterpret_cast<DEVMODEW*>(publicPart.data())->dmDriverExtra = 0;
    Record merged(kSettingsBytes, 0xEE);
    ASSERT_EQ(IDOK, properties(nullptr, printer.handle(), name, reinterpret_cast<DEVMODEW*>(merged.data()),
                               reinterpret_cast<DEVMODEW*>(publicPart.data()), DM_IN_BUFFER | DM_COPY));
    Record expected = stored;
    reinterpret_cast<DEVMODEW*>(expected.data())->dmDuplex = DMDUP_SIMPLEX;
    EXPECT_EQ(expected, merged) << "the merge's defaults";
}
