// Initialising a printer: what the spooler's printer event stores for the
// rest of the driver and for the rendering side.
#include "printer/printer_events.h"

#include <winspool.h>
#include <winddiui.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "facts/printer_call.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "printer/font_substitution.h"
#include "printer/margin_table.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/document_settings.h"
#include "settings/finalize_settings.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "settings/printer_settings_store.h"

namespace {

using PrinterEventEntry = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

struct MarginRow {
    int16_t code, width, length, left, right, bottom;
};
// The printable margins of the 25 papers, in dots at 600 dpi.
const MarginRow kMargins[kMarginPaperRecords] = {
    {8, 2970, 4200, 83, 72, 96},     {12, 2570, 3640, 83, 71, 87},   {9, 2100, 2970, 60, 56, 64},
    {13, 1820, 2570, 60, 49, 62},    {11, 1480, 2100, 60, 60, 72},   {43, 1000, 1480, 60, 64, 62},
    {5, 2159, 3556, 60, 52, 72},     {1, 2159, 2794, 60, 52, 64},    {3, 2794, 4318, 60, 64, 64},
    {287, 1397, 2159, 60, 76, 68},   {277, 2032, 3302, 60, 72, 64},  {278, 2159, 3302, 60, 68, 64},
    {27, 1100, 2200, 60, 62, 68},    {28, 1620, 2290, 60, 72, 72},   {20, 1048, 2413, 60, 66, 76},
    {37, 984, 1905, 60, 76, 60},     {34, 1760, 2500, 60, 66, 72},   {30, 2290, 3240, 60, 72, 76},
    {267, 1420, 3320, 60, 66, 74},   {268, 1170, 2270, 60, 66, 72},  {269, 1200, 2350, 60, 72, 70},
    {270, 900, 2050, 60, 68, 66},    {257, 2700, 3820, 60, 62, 68},  {258, 2400, 3320, 60, 76, 74},
    {259, 2160, 2770, 60, 68, 68},
};

template <typename T>
std::vector<T> Value(const BenchPrinter& printer, const wchar_t* name, DWORD* type = nullptr)
{
    std::vector<T> data(8192 / sizeof(T));
    const long size = printer.GetData(name, data.data(), static_cast<DWORD>(data.size() * sizeof(T)), type);
    data.resize(size < 0 ? 0 : size / sizeof(T));
    return data;
}

class PrinterEventTest : public ::testing::Test {
protected:
    void Open(const DriverPackage& driver)
    {
        printer_ = std::make_unique<BenchPrinter>(driver, L"Event");
        resourceLibraryPath_ = SpoolerDriverDir() + L"\\3\\" + kInstalledResourceLibrary;
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        event_ = driver_->Entry<PrinterEventEntry>("DrvPrinterEvent");
        ASSERT_NE(event_, nullptr);
    }
    void TearDown() override
    {
        driver_.reset();
        printer_.reset();
    }

    BOOL Event(const std::wstring& name, int event)
    {
        return event_(const_cast<wchar_t*>(name.c_str()), event, 0, 0);
    }

    static std::wstring ThisComputer()
    {
        WCHAR name[MAX_COMPUTERNAME_LENGTH + 1];
        DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
        GetComputerNameW(name, &size);
        return name;
    }

    std::unique_ptr<BenchPrinter> printer_;
    std::wstring resourceLibraryPath_;
    std::unique_ptr<InstalledDriver> driver_;
    PrinterEventEntry event_ = nullptr;
};

}  // namespace

TEST_F(PrinterEventTest, InitialisingStoresTheRenderModuleAndTheParsedProfile)
{
    Open(SampleDriver(2));
    ASSERT_TRUE(Event(printer_->name(), PRINTER_EVENT_INITIALIZE));

    DWORD type = 0;
    const std::vector<WCHAR> umpd = Value<WCHAR>(*printer_, kUmpdValue, &type);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::wstring(L"KOL6UMPD.DLL") + L'\0', std::wstring(umpd.begin(), umpd.end()));

    const std::vector<BYTE> cached = Value<BYTE>(*printer_, kDriverProfileValue, &type);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    ASSERT_EQ(sizeof(ModelProfile), cached.size());
    ModelProfile parsed;
    ReadModelProfile(SampleProfilePath(2).c_str(), &parsed);
    EXPECT_EQ(0, memcmp(&parsed, cached.data(), sizeof(parsed)));
}

TEST_F(PrinterEventTest, InitialisingStoresTheMarginsOfEveryPaper)
{
    Open(SampleDriver(1));
    ASSERT_TRUE(Event(printer_->name(), PRINTER_EVENT_INITIALIZE));
    const std::vector<BYTE> value = Value<BYTE>(*printer_, kMarginValue);
    ASSERT_EQ(1404u, value.size());
    const auto* records = reinterpret_cast<const MarginRecord*>(value.data());
    for (int i = 0; i < kMarginPaperRecords; ++i) {
        const MarginRecord& record = records[i];
        const MarginRow& row = kMargins[i];
        SCOPED_TRACE("paper code " + std::to_string(row.code));
        EXPECT_EQ(1, record.kind);
        uint8_t bits[32] = {};
        if (row.code < 256)
            bits[row.code / 8] = static_cast<uint8_t>(0x80 >> (row.code % 8));
        else
            bits[0] = 0x80;
        EXPECT_EQ(0, memcmp(bits, record.paperBits, sizeof(bits)));
        EXPECT_EQ(row.width, record.width);
        EXPECT_EQ(row.width, record.widthAgain);
        EXPECT_EQ(row.length, record.length);
        EXPECT_EQ(row.length, record.lengthAgain);
        EXPECT_EQ(3, record.marginMode);
        EXPECT_EQ(600, record.resolution);
        EXPECT_EQ(row.left, record.left);
        EXPECT_EQ(row.left, record.top);
        EXPECT_EQ(row.right, record.right);
        EXPECT_EQ(row.bottom, record.bottom);
    }
    const MarginRecord closing = {0, {}, 0, 0, 0, 0, 0, 600, 60, 60, 60, 60};
    EXPECT_EQ(0, memcmp(&closing, &records[kMarginPaperRecords], sizeof(closing)));
    EXPECT_EQ(0x40, records[2].paperBits[1]) << "A4 is code 9";
}

TEST_F(PrinterEventTest, InitialisingStoresTheDefaultFontSubstitutesAndOptions)
{
    Open(SampleDriver(2));
    ASSERT_TRUE(Event(printer_->name(), PRINTER_EVENT_INITIALIZE));
    DWORD type = 0;
    const std::vector<WCHAR> table = Value<WCHAR>(*printer_, kFontSubsValue, &type);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(467u, table.size()) << "934 bytes";
    std::wstring pairs;
    for (const wchar_t* text : {L"Arial", L"Swiss721SWM", L"Arial Bold", L"Swiss721SWM Bold", L"Arial Bold Italic",
                                L"Swiss721SWM BoldItalic", L"Arial Italic", L"Swiss721SWM Italic", L"Courier New",
                                L"CourierSWC", L"Courier New Bold", L"CourierSWC Bold", L"Courier New Bold Italic",
                                L"CourierSWC Bold Italic", L"Courier New Italic", L"CourierSWC Italic",
                                L"Times New Roman", L"Dutch801SWM", L"Times New Roman Bold", L"Dutch801SWM Bold",
                                L"Times New Roman Bold Italic", L"Dutch801SWM BoldItalic", L"Times New Roman Italic",
                                L"Dutch801SWM Italic", L"Symbol", L"Symbol Set SWA", L"Wingdings", L"MoreWingBatsSWM"}) {
        pairs += text;
        pairs.push_back(L'\0');
    }
    pairs.push_back(L'\0');
    EXPECT_EQ(pairs, std::wstring(table.begin(), table.end()));

    const std::vector<BYTE> options = Value<BYTE>(*printer_, kDeviceOptionValue, &type);
    ASSERT_EQ(sizeof(DeviceOptionData), options.size());
    DeviceOptionData expected = {};
    expected.trayCount = 2;    // DEFNUMBER
    expected.duplexUnit = 1;   // DUPLEXDEF
    EXPECT_EQ(0, memcmp(&expected, options.data(), sizeof(expected)));
}

TEST_F(PrinterEventTest, InitialisingStoresTheFinalizedDefaultSettings)
{
    Open(SampleDriver(2));
    ASSERT_TRUE(Event(printer_->name(), PRINTER_EVENT_INITIALIZE));
    std::vector<BYTE> record(kSettingsBytes);
    ASSERT_EQ(1, ReadPrinterSettings(printer_->handle(), record.data(), record.data() + kSettingsHeaderBytes));
    const auto* settings = reinterpret_cast<const DocumentSettings*>(record.data());

    // The model's defaults for this printer, finalized for it: every byte
    // but the spooler's own copy of the two names.
    ModelProfile profile;
    { PrinterCall call; call.printer = printer_->handle(); profile = FetchProfile(&call); }
    PrinterCall call;
    call.printer = printer_->handle();
    PjlJobFacts withPrinter;
    GatherPjlJobFacts(&call, &withPrinter);
    PjlJobFacts noPrinter;
    PjlJobFactsOfNoPrinter(withPrinter, &noPrinter);
    DocumentSettings expected;
    ModelState model;
    BuildModel(profile, &model);
    BuildDefaultSettings(model, printer_->name().c_str(), &profile, noPrinter, &expected);
    FinalizeForPrinting(model, &expected, sizeof(expected), withPrinter);
    const BYTE* want = reinterpret_cast<const BYTE*>(&expected);
    const size_t afterName = offsetof(DocumentSettings, dmSpecVersion);
    const size_t formName = offsetof(DocumentSettings, dmFormName);
    const size_t afterForm = offsetof(DocumentSettings, dmLogPixels);
    EXPECT_EQ(0, memcmp(want + afterName, record.data() + afterName, formName - afterName));
    EXPECT_EQ(0, memcmp(want + afterForm, record.data() + afterForm, kSettingsBytes - afterForm));
    EXPECT_STREQ(expected.dmFormName, settings->dmFormName);
    EXPECT_EQ(printer_->name(), settings->dmDeviceName);
    EXPECT_EQ(220, settings->dmSize);
    EXPECT_EQ(3868, settings->dmDriverExtra);
    EXPECT_EQ(9, settings->dmPaperSize) << "PAPERDEF";
    EXPECT_EQ(-4, settings->dmPrintQuality) << "RESOLUTION";
    EXPECT_EQ(1, settings->renderFinalMark);
    EXPECT_STREQ("@PJL EOJ\r\n", settings->pjlTrailer);
}

TEST_F(PrinterEventTest, ReleasesTheResourceLibraryAtTheEnd)
{
    Open(SampleDriver(2));
    // The driver loads the library for names, and keeps it.
    auto query = driver_->Entry<DWORD(WINAPI*)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW)>("DrvDeviceCapabilities");
    ASSERT_NE(nullptr, query);
    std::vector<WCHAR> names(64 * 64);
    ASSERT_LT(0u, query(printer_->handle(), nullptr, DC_PAPERNAMES, names.data(), nullptr));
    ASSERT_NE(nullptr, GetModuleHandleW(resourceLibraryPath_.c_str())) << "the library was never loaded";
    ASSERT_TRUE(Event(printer_->name(), PRINTER_EVENT_INITIALIZE));
    EXPECT_EQ(nullptr, GetModuleHandleW(resourceLibraryPath_.c_str()));
}

TEST_F(PrinterEventTest, ThisComputersNameAndTheLocalSuffixLeadToTheBarePrinter)
{
    Open(SampleDriver(3));
    const std::wstring name = L"\\\\" + ThisComputer() + L"\\" + printer_->name() + L",LocalOnly";
    EXPECT_TRUE(Event(name, PRINTER_EVENT_INITIALIZE));
    EXPECT_EQ(static_cast<long>(sizeof(ModelProfile)),
              printer_->GetData(kDriverProfileValue, std::vector<BYTE>(4096).data(), 4096));
}

TEST_F(PrinterEventTest, AnotherComputersNameIsKept)
{
    Open(SampleDriver(3));
    const std::wstring name = L"\\\\ELSEWHERE\\" + printer_->name();
    EXPECT_FALSE(Event(name, PRINTER_EVENT_INITIALIZE)) << "no such printer on this computer";
    EXPECT_EQ(-1, printer_->GetData(kUmpdValue, std::vector<BYTE>(64).data(), 64)) << "nothing is written";
}

TEST_F(PrinterEventTest, AddingAConnectionUsesTheNameAsReceived)
{
    Open(SampleDriver(3));
    EXPECT_TRUE(Event(printer_->name(), PRINTER_EVENT_ADD_CONNECTION));
    EXPECT_EQ(static_cast<long>(sizeof(DeviceOptionData)),
              printer_->GetData(kDeviceOptionValue, std::vector<BYTE>(64).data(), 64));
    EXPECT_FALSE(Event(printer_->name() + L",LocalOnly", PRINTER_EVENT_ADD_CONNECTION));
}

TEST_F(PrinterEventTest, OtherEventsTouchNothing)
{
    Open(SampleDriver(3));
    for (int event : {PRINTER_EVENT_DELETE_CONNECTION, PRINTER_EVENT_DELETE, PRINTER_EVENT_CACHE_REFRESH,
                      PRINTER_EVENT_CACHE_DELETE, PRINTER_EVENT_ATTRIBUTES_CHANGED, 0, 99}) {
        EXPECT_TRUE(Event(printer_->name(), event)) << "event " << event;
        EXPECT_TRUE(Event(L"No such printer", event)) << "event " << event;
    }
    for (const wchar_t* value : {kUmpdValue, kDriverProfileValue, kMarginValue, kFontSubsValue, kDeviceOptionValue})
        EXPECT_EQ(-1, printer_->GetData(value, std::vector<BYTE>(8192).data(), 8192)) << Narrow(value);
}

TEST_F(PrinterEventTest, APrinterThatCannotBeOpenedFails)
{
    Open(SampleDriver(3));
    EXPECT_FALSE(Event(L"No such printer", PRINTER_EVENT_INITIALIZE));
    EXPECT_FALSE(event_(nullptr, PRINTER_EVENT_INITIALIZE, 0, 0));
}

TEST_F(PrinterEventTest, WithoutARenderModuleTheNameIsEmpty)
{
    DriverPackage package;
    package.name = L"Bench without render module";
    package.profilePath = SampleProfilePath(3);
    package.renderModule = false;
    InstallDriver(package);
    Open(package);
    ASSERT_TRUE(Event(printer_->name(), PRINTER_EVENT_INITIALIZE));
    DWORD type = 0;
    const std::vector<BYTE> umpd = Value<BYTE>(*printer_, kUmpdValue, &type);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(2u, umpd.size());
}
