// Document settings without a user interface, as applications ask for them:
// the record size, the defaults, merging a document's record, and a printer
// given only by name.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/driver_interface.h"
#include "platform/holders.h"
#include "settings/document_settings.h"
#include "support/guarded_memory.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/ui_recorders.h"

namespace {

using PropertiesEntry = LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);
using SheetsEntry = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);
using AdvancedEntry = LONG(WINAPI*)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW);

class SettingsWithoutUi : public ::testing::Test {
protected:
    void SetUp() override { UsePrinter(""); }

    // The suite's printer of the variant 2 sample kept under `key` (a test
    // that changes the printer's own defaults uses a key of its own), with
    // no settings kept for the user.
    void UsePrinter(const std::string& key)
    {
        driver_.reset();
        printer_ = &SharedPrinter(SampleDriver(2), key);
        ForgetUserSettings(*printer_);
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        properties_ = driver_->Entry<PropertiesEntry>("DrvDocumentProperties");
        sheets_ = driver_->Entry<SheetsEntry>("DrvDocumentPropertySheets");
        ASSERT_NE(nullptr, properties_);
        ASSERT_NE(nullptr, sheets_);
    }

    LONG Call(DocumentSettings* output, const void* input, DWORD mode, const std::wstring& name)
    {
        return properties_(nullptr, printer_->handle(), const_cast<WCHAR*>(name.c_str()),
                           reinterpret_cast<DEVMODEW*>(output),
                           reinterpret_cast<DEVMODEW*>(const_cast<void*>(input)), mode);
    }
    LONG Call(DocumentSettings* output, const void* input, DWORD mode) { return Call(output, input, mode, name()); }

    DocumentSettings Defaults()
    {
        DocumentSettings settings = {};
        EXPECT_EQ(1, Call(&settings, nullptr, DM_OUT_BUFFER));
        return settings;
    }

    // The printer's default device mode, replaced through the spooler.
    void SetPrinterDefault(const void* record)
    {
        DWORD needed = 0;
        GetPrinterW(printer_->handle(), 2, nullptr, 0, &needed);
        std::vector<BYTE> info(needed);
        ASSERT_TRUE(GetPrinterW(printer_->handle(), 2, info.data(), needed, &needed));
        reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode = static_cast<DEVMODEW*>(const_cast<void*>(record));
        ASSERT_TRUE(SetPrinterW(printer_->handle(), 2, info.data(), 0)) << "error " << GetLastError();
    }

    // The printer keeps another driver's record: every request starts from
    // freshly built defaults (the spooler's copy of a record keeps bytes of
    // its own after the texts' terminators).
    void ForgetStoredDefaults()
    {
        UsePrinter("foreign defaults");
        DEVMODEW foreign = {};
        foreign.dmSize = sizeof(foreign);
        foreign.dmSpecVersion = 0x0401;
        SetPrinterDefault(&foreign);
    }

    static void SetUserSettings(const std::wstring& name, const DocumentSettings& settings)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Printers\\DevModes2", 0, KEY_WRITE, &key));
        RegSetValueExW(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(&settings), sizeof(settings));
        RegCloseKey(key);
    }

    const std::wstring& name() const { return printer_->name(); }

    const BenchPrinter* printer_ = nullptr;
    std::unique_ptr<InstalledDriver> driver_;
    PropertiesEntry properties_ = nullptr;
    SheetsEntry sheets_ = nullptr;
};

::testing::AssertionResult SameRecord(const DocumentSettings& a, const DocumentSettings& b)
{
    const BYTE* x = reinterpret_cast<const BYTE*>(&a);
    const BYTE* y = reinterpret_cast<const BYTE*>(&b);
    for (size_t i = 0; i < sizeof(a); ++i) {
        if (x[i] != y[i])
            return ::testing::AssertionFailure() << "first difference at byte " << i << ": " << int(x[i]) << " and "
                                                 << int(y[i]);
    }
    return ::testing::AssertionSuccess();
}

// A complete record of this driver with a paper chosen.
void ExpectCompleteRecord(const DocumentSettings& s)
{
    EXPECT_EQ(kSettingsHeaderBytes, s.dmSize);
    EXPECT_EQ(kSettingsPrivateBytes, s.dmDriverExtra);
    EXPECT_EQ(kChoiceMagic, s.choiceMagic);
    EXPECT_EQ(kPrivateSignature, s.privateSignature);
    EXPECT_NE(0, s.dmPaperSize);
}

}  // namespace

TEST_F(SettingsWithoutUi, ASizeQueryGetsTheRecordSizeWithOrWithoutSheetInformation)
{
    DocumentSettings output = {};
    struct Case {
        DWORD mode;
        bool output;
    } cases[] = {{0, false}, {0, true}, {DM_OUT_BUFFER, false}, {DM_IN_PROMPT | DM_OUT_BUFFER, false}};
    for (const Case& c : cases) {
        for (bool withInfo : {false, true}) {
            DOCUMENTPROPERTYHEADER header = {sizeof(header), 0, printer_->handle(), const_cast<WCHAR*>(name().c_str()),
                                             nullptr, c.output ? reinterpret_cast<DEVMODEW*>(&output) : nullptr,
                                             1, c.mode};
            PROPSHEETUI_INFO info = {};
            info.cbSize = sizeof(info);
            info.lParamInit = reinterpret_cast<LPARAM>(&header);
            const LONG answer = withInfo ? sheets_(&info, 0) : sheets_(nullptr, reinterpret_cast<LPARAM>(&header));
            EXPECT_EQ(4088, answer) << "mode " << c.mode << ", output " << c.output << ", info " << withInfo;
            EXPECT_EQ(4088u, header.cbOut) << "mode " << c.mode << ", output " << c.output << ", info " << withInfo;
        }
    }
    PROPSHEETUI_INFO empty = {};
    empty.cbSize = sizeof(empty);
    EXPECT_EQ(-1, sheets_(nullptr, 0)) << "no header";
    EXPECT_EQ(-1, sheets_(&empty, 0)) << "no header in the information";
}

TEST_F(SettingsWithoutUi, TheDefaultsAreACompleteRecordForThePrinter)
{
    const DocumentSettings defaults = Defaults();
    ExpectCompleteRecord(defaults);
    EXPECT_EQ(name().substr(0, 31), std::wstring(defaults.dmDeviceName));
    EXPECT_EQ(1, defaults.renderFinalMark) << "finalized for printing";
    EXPECT_STREQ("@PJL EOJ\r\n", defaults.pjlTrailer);
}

TEST_F(SettingsWithoutUi, PromptAloneWritesNothing)
{
    DocumentSettings output;
    FillMemory(&output, sizeof(output), 0xAB);
    const DocumentSettings before = output;
    EXPECT_EQ(1, Call(&output, nullptr, DM_PROMPT));
    EXPECT_TRUE(SameRecord(before, output));
}

TEST_F(SettingsWithoutUi, ADocumentsChoicesAreMergedIntoTheSettings)
{
    DocumentSettings document = Defaults();
    document.dmCopies = 7;
    document.dmOrientation = DMORIENT_LANDSCAPE;
    document.zoomPercent = 150;
    DocumentSettings output = {};
    EXPECT_EQ(1, Call(&output, &document, DM_IN_BUFFER | DM_COPY));
    EXPECT_EQ(7, output.dmCopies);
    EXPECT_EQ(DMORIENT_LANDSCAPE, output.dmOrientation);
    EXPECT_EQ(150, output.zoomPercent) << "this driver's private part is taken whole";
}

TEST_F(SettingsWithoutUi, OneRecordAsInputAndOutputKeepsItsChoices)
{
    // What many applications call: the same record in and out.
    DocumentSettings record = Defaults();
    record.dmCopies = 7;
    record.dmOrientation = DMORIENT_LANDSCAPE;
    record.zoomPercent = 150;
    EXPECT_EQ(1, Call(&record, &record, DM_IN_BUFFER | DM_OUT_BUFFER));
    ExpectCompleteRecord(record);
    EXPECT_EQ(7, record.dmCopies);
    EXPECT_EQ(DMORIENT_LANDSCAPE, record.dmOrientation);
    EXPECT_EQ(150, record.zoomPercent);

    // And through the platform's own call.
    DocumentSettings again = record;
    again.dmCopies = 9;
    EXPECT_EQ(IDOK, DocumentPropertiesW(nullptr, printer_->handle(), const_cast<WCHAR*>(name().c_str()),
                                        reinterpret_cast<DEVMODEW*>(&again), reinterpret_cast<DEVMODEW*>(&again),
                                        DM_IN_BUFFER | DM_OUT_BUFFER));
    EXPECT_EQ(9, again.dmCopies);
    EXPECT_EQ(150, again.zoomPercent);
}

TEST_F(SettingsWithoutUi, ADocumentWithoutAPaperGetsTheDefaults)
{
    ForgetStoredDefaults();
    const DocumentSettings defaults = Defaults();
    DocumentSettings document = defaults;
    document.dmPaperSize = 0;
    document.dmCopies = 7;
    DocumentSettings output = {};
    EXPECT_EQ(1, Call(&output, &document, DM_IN_BUFFER | DM_COPY));
    EXPECT_TRUE(SameRecord(defaults, output));
}

TEST_F(SettingsWithoutUi, ARecordThatCannotBeADeviceModeGivesTheDefaults)
{
    ForgetStoredDefaults();
    const DocumentSettings defaults = Defaults();
    // Each record ends where its readable page ends; a size field that claims
    // more than a whole record is read no further than a whole record.
    struct Case {
        WORD size;
        WORD extra;
        size_t bytes;
    } cases[] = {{40, 0, 72}, {0, 0, 72}, {71, 1, 72}, {0xFFFF, 0xFFFF, kSettingsBytes},
                 {220, 0xFFFF, kSettingsBytes}, {4000, 89, kSettingsBytes}};
    for (const Case& c : cases) {
        std::vector<BYTE> content(c.bytes, 0x5A);
        auto* header = reinterpret_cast<DEVMODEW*>(content.data());
        header->dmSize = c.size;
        header->dmDriverExtra = c.extra;
        header->dmSpecVersion = 0x0401;
        GuardedBlock placed(content.data(), content.size());
        placed.MakeReadOnly();
        DocumentSettings output = {};
        EXPECT_EQ(1, Call(&output, placed.data(), DM_IN_BUFFER | DM_COPY)) << "dmSize " << c.size;
        ExpectCompleteRecord(output);
        EXPECT_TRUE(SameRecord(defaults, output)) << "dmSize " << c.size << ", dmDriverExtra " << c.extra;
    }
}

TEST_F(SettingsWithoutUi, APrinterWithoutItsOwnDefaultsTakesTheUsersUnlessTheNameIsLocal)
{
    ForgetStoredDefaults();
    DocumentSettings mine = Defaults();
    mine.dmCopies = 12;
    const std::wstring local = name() + L",Local";
    SetUserSettings(name(), mine);
    SetUserSettings(local, mine);

    DocumentSettings output = {};
    EXPECT_EQ(1, Call(&output, nullptr, DM_COPY, name()));
    EXPECT_EQ(12, output.dmCopies) << "the user's settings";
    EXPECT_EQ(1, Call(&output, nullptr, DM_COPY, local));
    EXPECT_EQ(1, output.dmCopies) << "a local name starts from the defaults";
}

TEST_F(SettingsWithoutUi, ThePlatformsCallWithOnlyAPrinterNameGetsThatPrintersSettings)
{
    UsePrinter("stored defaults");
    DocumentSettings stored = Defaults();
    stored.dmCopies = 5;
    stored.zoomPercent = 75;
    SetPrinterDefault(&stored);

    const LONG size = DocumentPropertiesW(nullptr, nullptr, const_cast<WCHAR*>(name().c_str()), nullptr, nullptr, 0);
    EXPECT_EQ(4088, size);
    DocumentSettings output = {};
    EXPECT_EQ(IDOK, DocumentPropertiesW(nullptr, nullptr, const_cast<WCHAR*>(name().c_str()),
                                        reinterpret_cast<DEVMODEW*>(&output), nullptr, DM_OUT_BUFFER));
    EXPECT_EQ(5, output.dmCopies);
    EXPECT_EQ(75, output.zoomPercent);

    DocumentSettings byHandle = {};
    EXPECT_EQ(1, Call(&byHandle, nullptr, DM_OUT_BUFFER));
    EXPECT_TRUE(SameRecord(byHandle, output)) << "the same answer as with the printer's handle";
}

TEST_F(SettingsWithoutUi, AdvancedPropertiesShowItsBoxAndChangeNothing)
{
    auto advanced = driver_->Entry<AdvancedEntry>("DrvAdvancedDocumentProperties");
    ASSERT_NE(nullptr, advanced);
    MessageBoxAnswerer boxes(driver_->module());
    DocumentSettings output = Defaults();
    const DocumentSettings before = output;
    EXPECT_EQ(10, advanced(nullptr, printer_->handle(), const_cast<WCHAR*>(name().c_str()),
                           reinterpret_cast<DEVMODEW*>(&output), reinterpret_cast<DEVMODEW*>(&output)));
    ASSERT_EQ(1u, boxes.calls().size());
    EXPECT_EQ(L"Sets private members of DEVMODE", boxes.calls()[0].text);
    EXPECT_EQ(L"DrvAdvancedDocumentProperties", boxes.calls()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.calls()[0].style);
    EXPECT_TRUE(SameRecord(before, output));
}

TEST_F(SettingsWithoutUi, APrinterEventBringsANewProfileVersionIntoTheJobIdentification)
{
    UsePrinter("initialised");
    HeapBlock driverInfo(64 * 1024);
    DWORD needed = 0;
    ASSERT_TRUE(GetPrinterDriverW(printer_->handle(), nullptr, 3, driverInfo.as<BYTE>(), 64 * 1024, &needed));
    const std::wstring profile = driverInfo.as<DRIVER_INFO_3W>()->pDataFile;
    const std::wstring kept = profile + L".kept";
    ASSERT_TRUE(CopyFileW(profile.c_str(), kept.c_str(), FALSE)) << "keeping the installed profile";
    const std::string before = Defaults().jobIdentification;
    ASSERT_NE(std::string::npos, before.find(" 4.11 ")) << before;

    ASSERT_TRUE(WritePrivateProfileStringW(L"About", L"VERSION3", L"9.87", profile.c_str()));
    auto event = driver_->Entry<BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM)>("DrvPrinterEvent");
    const BOOL handled = event(const_cast<WCHAR*>(name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0);
    const std::string after = Defaults().jobIdentification;
    CopyFileW(kept.c_str(), profile.c_str(), FALSE);
    DeleteFileW(kept.c_str());
    event(const_cast<WCHAR*>(name().c_str()), PRINTER_EVENT_INITIALIZE, 0, 0);
    EXPECT_TRUE(handled);
    EXPECT_NE(std::string::npos, after.find(" 9.87 ")) << after;
}
