// Capability queries answered by the installed driver for real printers.
#include "caps/device_capabilities.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "facts/printer_call.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/device_options.h"
#include "settings/default_settings.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "support/spooler_faults.h"
#include "settings/printer_settings_store.h"

namespace {

// The export takes the index as the platform's 16-bit value; callers that
// pass 32 bits see only the low half counted.
using CapabilitiesEntry = DWORD(WINAPI*)(HANDLE, PWSTR, DWORD, PVOID, PDEVMODEW);

const wchar_t kThreePapersProfile[] =
    L"[Setup]\nDRIVER=2\n[Language]\nLocaleArea=1\n"
    L"[PaperSize]\nA4=1,1,1,A4\nLETTER=1,1,1,LETTER\nUSER=1,0,0,CUSTOM\n"
    L"[PaperSource]\nMAXSET=4\nDEFNUMBER=3\n[Marten3]\nBYPASS=1\n";

const wchar_t kNoBypassProfile[] =
    L"[Setup]\nDRIVER=2\n[PaperSize]\nA4=1,1,1,A4\n[PaperSource]\nMAXSET=4\nDEFNUMBER=2\n[Marten3]\nBYPASS=0\n";

class CapabilitiesTest : public ::testing::Test {
protected:
    void Open(const DriverPackage& driver)
    {
        printer_ = std::make_unique<BenchPrinter>(driver);
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        query_ = driver_->Entry<CapabilitiesEntry>("DrvDeviceCapabilities");
        ASSERT_NE(query_, nullptr);
    }
    void Close()
    {
        driver_.reset();
        printer_.reset();
    }
    void TearDown() override { Close(); }

    DWORD Query(DWORD index, void* output = nullptr)
    {
        DEVMODEW ignored = {};
        return query_(printer_->handle(), const_cast<wchar_t*>(L"ignored"), index, output, &ignored);
    }

    template <typename Item>
    std::vector<Item> Items(DWORD index, size_t slots = 1)
    {
        const DWORD count = Query(index);
        EXPECT_NE(static_cast<DWORD>(-1), count);
        std::vector<Item> items((count + 1) * slots);
        EXPECT_EQ(count, Query(index, items.data())) << "index " << index;
        items.resize(count * slots);
        return items;
    }

    std::vector<std::wstring> Names(DWORD index, size_t chars)
    {
        std::vector<WCHAR> slots = Items<WCHAR>(index, chars);
        std::vector<std::wstring> names;
        for (size_t i = 0; i < slots.size(); i += chars) {
            names.emplace_back(&slots[i]);
            EXPECT_EQ(0, slots[i + chars - 1]) << "slot " << i / chars << " not terminated";
        }
        return names;
    }

    void InstallTrays(int16_t trays, int32_t duplexUnit = 0)
    {
        DeviceOptionData options = {};
        options.trayCount = trays;
        options.duplexUnit = duplexUnit;
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), WriteDeviceOptions(printer_->handle(), options));
    }

    std::unique_ptr<BenchPrinter> printer_;
    std::unique_ptr<InstalledDriver> driver_;
    CapabilitiesEntry query_ = nullptr;
};

}  // namespace

TEST_F(CapabilitiesTest, AnswersTheFixedIndicesForEveryVariant)
{
    struct Row {
        DWORD index;
        DWORD expected;
    } rows[] = {
        {DC_DUPLEX, 0}, {DC_SIZE, 220}, {DC_EXTRA, 3868}, {DC_VERSION, 0x0401},
        {DC_DRIVER, 0x080F}, {DC_ENUMRESOLUTIONS, DWORD(-1)}, {DC_FILEDEPENDENCIES, DWORD(-1)},
        {DC_TRUETYPE, 6}, {DC_ORIENTATION, 90}, {DC_COPIES, 999}, {DC_BINADJUST, 256},
        {DC_EMF_COMPLIANT, DWORD(-1)}, {DC_DATATYPE_PRODUCED, DWORD(-1)}, {DC_COLLATE, 1},
        {0, DWORD(-1)}, {23, DWORD(-1)}, {40, DWORD(-1)}, {0xFFFF, DWORD(-1)},
        {0x10000 | DC_SIZE, 220}, {0xABCD0000 | DC_COPIES, 999},
    };
    for (int variant = 1; variant <= 3; ++variant) {
        Open(SampleDriver(variant));
        for (const Row& row : rows)
            EXPECT_EQ(row.expected, Query(row.index)) << "variant " << variant << ", index 0x" << std::hex << row.index;
        EXPECT_EQ(variant == 2 ? 0xF70Fu : 0xF703u, Query(DC_FIELDS)) << "variant " << variant;
        Close();
    }
}

TEST(CopyNameField, CutsNamesToTheirSlotAndZeroFillsIt)
{
    const std::wstring longBin = L"Large Capacity Tray Number 1";   // 28 units
    WCHAR bin[kBinNameSlotChars];
    wmemset(bin, L'#', kBinNameSlotChars);
    CopyNameField(bin, longBin.c_str(), 22, kBinNameSlotChars);
    EXPECT_EQ(longBin.substr(0, 22), std::wstring(bin));
    EXPECT_EQ(0, bin[22]);
    EXPECT_EQ(0, bin[23]);

    const std::wstring longPaper(70, L'p');
    WCHAR paper[kPaperNameSlotChars];
    CopyNameField(paper, longPaper.c_str(), kPaperNameSlotChars - 1, kPaperNameSlotChars);
    EXPECT_EQ(63u, wcslen(paper));

    wmemset(paper, L'#', kPaperNameSlotChars);
    CopyNameField(paper, L"A4", 0, kPaperNameSlotChars);
    for (WCHAR unit : paper)
        ASSERT_EQ(0, unit) << "nothing to copy leaves the slot zero";
}

TEST_F(CapabilitiesTest, FieldsOfVariantTwoIncludeTheCustomSize)
{
    Open(SampleDriver(2));
    EXPECT_EQ(0xF70Fu, Query(DC_FIELDS));
    EXPECT_EQ(0xF70Fu, Query(0x10000 | DC_FIELDS));
}

TEST_F(CapabilitiesTest, ListsTheOfferedPapersWithTheUserSizeLast)
{
    Open(DriverWithProfile(L"Bench three papers", L"Caps3p.ini", kThreePapersProfile));
    EXPECT_EQ(3u, Query(DC_PAPERS));
    EXPECT_EQ(3u, Query(0x10000 | DC_PAPERS));
    EXPECT_EQ((std::vector<WORD>{9, 1, 256}), Items<WORD>(DC_PAPERS));

    // The printer's default settings are another driver's: the user size
    // comes from freshly built defaults.
    const std::vector<POINT> sizes = Items<POINT>(DC_PAPERSIZE);
    ASSERT_EQ(3u, sizes.size());
    EXPECT_EQ(2100, sizes[0].x);
    EXPECT_EQ(2970, sizes[0].y);
    EXPECT_EQ(2159, sizes[1].x);
    EXPECT_EQ(2794, sizes[1].y);
    EXPECT_EQ(2100, sizes[2].x);
    EXPECT_EQ(2970, sizes[2].y);

    EXPECT_EQ((std::vector<std::wstring>{L"A4", L"Letter", L"User"}), Names(DC_PAPERNAMES, 64));
}

TEST_F(CapabilitiesTest, ExtentsFoldWidthsAndLengthsApart)
{
    Open(DriverWithProfile(L"Bench three papers", L"Caps3p.ini", kThreePapersProfile));
    // The user size of the printer's default settings counts.
    std::vector<BYTE> record(sizeof(DocumentSettings));
    auto* settings = reinterpret_cast<DocumentSettings*>(record.data());
    PjlJobFacts facts;
    GatherPjlJobFacts(nullptr, &facts);
    PrinterCall call;
    call.printer = printer_->handle();
    BuildDefaultSettings(FetchModel(&call), printer_->name().c_str(), nullptr, facts, settings);
    settings->userPaperWidth = 1500;
    settings->userPaperLength = 3100;
    WritePrinterSettings(printer_->handle(), record.data());

    POINT extent = {};
    EXPECT_EQ(DWORD(1500 | (2794 << 16)), Query(DC_MINEXTENT, &extent));
    EXPECT_EQ(1500, extent.x);
    EXPECT_EQ(2794, extent.y);
    EXPECT_EQ(DWORD(2159 | (3100 << 16)), Query(DC_MAXEXTENT, &extent));
    EXPECT_EQ(2159, extent.x);
    EXPECT_EQ(3100, extent.y);
    const std::vector<POINT> sizes = Items<POINT>(DC_PAPERSIZE);
    EXPECT_EQ(1500, sizes[2].x);
    EXPECT_EQ(3100, sizes[2].y);
}

TEST_F(CapabilitiesTest, BinsAreTheFixedOnesAndTheInstalledTrays)
{
    Open(SampleDriver(2));
    InstallTrays(1);
    EXPECT_EQ((std::vector<WORD>{1025, 1026, 1034}), Items<WORD>(DC_BINS));
    EXPECT_EQ((std::vector<std::wstring>{L"Auto Tray Selection", L"Bypass Tray", L"Tray-1"}), Names(DC_BINNAMES, 24));
}

TEST_F(CapabilitiesTest, WithoutInstalledOptionsTheModelsDefaultTraysCount)
{
    Open(DriverWithProfile(L"Bench three papers", L"Caps3p.ini", kThreePapersProfile));
    EXPECT_EQ((std::vector<WORD>{1025, 1026, 1034, 1035, 1036}), Items<WORD>(DC_BINS));
    EXPECT_EQ(0u, Query(DC_DUPLEX));
}

TEST_F(CapabilitiesTest, VariantOneHasOneFixedBin)
{
    Open(SampleDriver(1));
    EXPECT_EQ((std::vector<WORD>{1025, 1034}), Items<WORD>(DC_BINS));
    EXPECT_EQ((std::vector<std::wstring>{L"Auto Tray Selection", L"Tray-1"}), Names(DC_BINNAMES, 24));
}

TEST_F(CapabilitiesTest, ADisabledBypassTrayStillCountsAmongTheRowsInUse)
{
    Open(DriverWithProfile(L"Bench no bypass", L"CapsNoBy.ini", kNoBypassProfile));
    EXPECT_EQ((std::vector<WORD>{1025, 1034, 1035}), Items<WORD>(DC_BINS));
}

TEST_F(CapabilitiesTest, ATrayCountBeyondTheListWalksOnlyItsRows)
{
    Open(SampleDriver(2));
    InstallTrays(9);
    EXPECT_EQ((std::vector<WORD>{1025, 1026, 1034, 1035, 1036, 1037}), Items<WORD>(DC_BINS));
    EXPECT_EQ(6u, Names(DC_BINNAMES, 24).size());
    InstallTrays(-3);
    EXPECT_EQ(0u, Query(DC_BINS));
}

TEST_F(CapabilitiesTest, DuplexFollowsTheInstalledUnit)
{
    Open(SampleDriver(2));
    InstallTrays(2, 1);
    EXPECT_EQ(1u, Query(DC_DUPLEX));
    InstallTrays(2, 0);
    EXPECT_EQ(0u, Query(DC_DUPLEX));
}

// Installed options stored but unreadable: the answers that count trays or
// the duplex unit fail with the spooler's reason, filling nothing.
TEST_F(CapabilitiesTest, UnreadableInstalledOptionsFailTheAnswersThatNeedThem)
{
    Open(SampleDriver(2));
    InstallTrays(2, 1);
    for (DWORD index : {DC_BINS, DC_BINNAMES, DC_DUPLEX}) {
        for (DWORD error : {DWORD{ERROR_ACCESS_DENIED}, DWORD{RPC_S_SERVER_UNAVAILABLE}}) {
            InjectedFault fault(driver_->module(), Faulted::GetPrinterData, error, {kDeviceOptionValue});
            std::vector<WCHAR> output(64 * 24, L'#');
            SetLastError(0);
            EXPECT_EQ(static_cast<DWORD>(-1), Query(index, output.data())) << "index " << index;
            EXPECT_EQ(error, GetLastError()) << "index " << index;
            EXPECT_EQ(L'#', output[0]) << "index " << index << " filled its output";
            EXPECT_EQ(1, fault.failed()) << "index " << index;
        }
    }
    EXPECT_EQ(1u, Query(DC_DUPLEX)) << "answered again once the options can be read";
}

TEST_F(CapabilitiesTest, WithoutAProfileNoPaperIsReported)
{
    DriverPackage package;
    package.name = L"Bench caps without profile";
    InstallDriver(package);
    Open(package);
    EXPECT_EQ(0u, Query(DC_PAPERS));
    EXPECT_EQ(0u, Query(DC_PAPERNAMES));
    EXPECT_EQ(DWORD(32767 | (32767u << 16)), Query(DC_MINEXTENT));
}

TEST_F(CapabilitiesTest, ThePapersOfTheSampleModels)
{
    struct Row {
        int variant;
        std::vector<WORD> codes;
    } rows[] = {
        {1, {9, 13, 11, 5, 1, 256}},
        {3, {9, 11, 5, 1, 3, 287, 27, 28, 20, 37, 256}},
    };
    for (const Row& row : rows) {
        Open(SampleDriver(row.variant));
        EXPECT_EQ(row.codes, Items<WORD>(DC_PAPERS)) << "variant " << row.variant;
        Close();
    }
}
