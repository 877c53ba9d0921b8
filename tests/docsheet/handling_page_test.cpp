// The Handling page in a real property sheet: what it offers for the
// printer's installed options, what it writes into the settings at once or
// at apply, and the duplex/paper warning.
#include "docsheet/sheet_state.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "entry/driver_interface.h"
#include "profile/device_options.h"
#include "settings/document_settings.h"
#include "support/installed_driver.h"
#include "support/model_printers.h"
#include "support/printer_bench.h"
#include "support/sheet_host.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int16_t kPaperA3 = 8;
constexpr int16_t kPaperA4 = 9;
constexpr int16_t kPaperA5 = 11;
constexpr int16_t kNoSuchPaper = 999;

struct Options {
    int32_t innerTray, outerTray, finisher, duplexUnit, securityPrint;
};

class HandlingPage : public ::testing::Test {
protected:
    // A printer of the driver's model, with these options installed (none
    // stored without).
    void Install(const DriverPackage& driver, const Options* options)
    {
        host_.reset();
        printer_ = std::make_unique<BenchPrinter>(driver, L"Handling");
        driver_ = std::make_unique<InstalledDriver>(printer_->handle());
        if (options) {
            DeviceOptionData record = {};
            record.trayCount = 2;
            record.innerTray = options->innerTray;
            record.outerTray = options->outerTray;
            record.finisher = options->finisher;
            record.duplexUnit = options->duplexUnit;
            record.securityPrint = options->securityPrint;
            ASSERT_EQ(0u, printer_->SetData(kDeviceOptionValue, REG_BINARY, &record, sizeof(record)));
        }
    }

    // Opens the sheet; the settings can be prepared before the page is shown.
    void Open()
    {
        output_.assign(kSettingsBytes, 0);
        header_ = {sizeof(header_), 0, printer_->handle(), const_cast<WCHAR*>(printer_->name().c_str()), nullptr,
                   reinterpret_cast<DEVMODEW*>(output_.data()), kSettingsBytes, DM_IN_PROMPT | DM_OUT_BUFFER};
        host_.reset();
        host_ = std::make_unique<SheetHost>(*driver_);
        ASSERT_EQ(1, host_->Open(&header_));
    }

    DocumentSettings& settings() { return *reinterpret_cast<DocumentSettings*>(output_.data()); }
    HWND Control(int id) { return host_->Control(kPageHandling, id); }
    bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::wstring Text(UINT id) const
    {
        WCHAR text[128] = L"";
        LoadStringW(host_->pageRecord(kPageHandling).hInstance, id, text, 128);
        return text;
    }
    std::vector<std::wstring> Texts(const std::vector<UINT>& ids) const
    {
        std::vector<std::wstring> texts;
        for (UINT id : ids)
            texts.push_back(Text(id));
        return texts;
    }
    std::vector<std::wstring> Items(int list)
    {
        std::vector<std::wstring> items;
        HWND window = Control(list);
        const LRESULT count = SendMessageW(window, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            WCHAR text[64] = L"";
            SendMessageW(window, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    std::wstring Selected(int list)
    {
        const LRESULT item = SendMessageW(Control(list), CB_GETCURSEL, 0, 0);
        std::vector<std::wstring> items = Items(list);
        return item >= 0 && item < static_cast<LRESULT>(items.size()) ? items[item] : L"(none)";
    }
    HICON Icon(int id) const
    {
        return LoadIconW(host_->pageRecord(kPageHandling).hInstance, MAKEINTRESOURCEW(id));
    }

    std::unique_ptr<BenchPrinter> printer_;
    std::unique_ptr<InstalledDriver> driver_;
    std::vector<BYTE> output_;
    DOCUMENTPROPERTYHEADER header_ = {};
    std::unique_ptr<SheetHost> host_;
};

}  // namespace

TEST_F(HandlingPage, OutputTraysFollowTheInstalledOptionsAndTheFinisherEnablesShiftAndStaple)
{
    struct Case {
        Options options;
        int16_t outputBin;
        std::vector<UINT> offered;
        UINT selected;
    };
    const Case cases[] = {
        {{1, 0, 1, 0}, 3, {IDS_OUTBIN_AUTO, IDS_OUTBIN_INNER1, IDS_OUTBIN_INNER2, IDS_OUTBIN_FINISHER}, IDS_OUTBIN_FINISHER},
        {{0, 0, 1, 0}, 0, {IDS_OUTBIN_AUTO, IDS_OUTBIN_FINISHER}, IDS_OUTBIN_AUTO},
        // An outer tray excludes the finisher: no bin is valid.
        {{1, 1, 1, 0}, 3,
         {IDS_OUTBIN_AUTO, IDS_OUTBIN_INNER1, IDS_OUTBIN_INNER2, IDS_OUTBIN_OUTER, IDS_OUTBIN_FINISHER},
         IDS_OUTBIN_AUTO},
        {{0, 0, 0, 0}, 2, {IDS_OUTBIN_AUTO}, IDS_OUTBIN_AUTO},
    };
    for (const Case& c : cases) {
        Install(SampleDriver(2), &c.options);
        Open();
        settings().outputBin = c.outputBin;
        EXPECT_EQ(Texts(c.offered), Items(IDC_HANDLING_OUTBIN_LIST)) << "bin " << c.outputBin;
        EXPECT_EQ(Text(c.selected), Selected(IDC_HANDLING_OUTBIN_LIST)) << "bin " << c.outputBin;
        if (c.options.finisher && !c.options.outerTray) {
            const bool finisherChosen = c.outputBin == 3;
            EXPECT_EQ(finisherChosen, Enabled(IDC_HANDLING_SHIFT));
            EXPECT_EQ(finisherChosen, Enabled(IDC_HANDLING_STAPLE_LIST));
        }
    }

    // Choosing the finisher stores it at once and enables both.
    Install(SampleDriver(2), &cases[1].options);
    Open();
    host_->Choose(kPageHandling, IDC_HANDLING_OUTBIN_LIST, 1);
    EXPECT_EQ(3, settings().outputBin);
    EXPECT_TRUE(Enabled(IDC_HANDLING_SHIFT));
    EXPECT_TRUE(Enabled(IDC_HANDLING_STAPLE_LIST));
}

TEST_F(HandlingPage, UncheckingDuplexWritesAtOnceAndDisablesTheFourChoices)
{
    const Options duplexUnit = {0, 0, 0, 1};
    Install(SampleDriver(2), &duplexUnit);
    Open();
    settings().duplexOn = 1;
    settings().duplexBinding = 2;
    settings().bindingMargin = 1;
    const int choices[] = {IDC_HANDLING_LONG_EDGE, IDC_HANDLING_SHORT_EDGE, IDC_HANDLING_MARGIN_YES,
                           IDC_HANDLING_MARGIN_NO};
    for (int id : choices)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(IDC_HANDLING_SHORT_EDGE));

    host_->Click(kPageHandling, IDC_HANDLING_DUPLEX);
    EXPECT_EQ(0, settings().duplexOn);
    EXPECT_EQ(1, settings().duplexBinding);
    EXPECT_EQ(0, settings().bindingMargin);
    for (int id : choices)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(IDC_HANDLING_LONG_EDGE));
}

TEST_F(HandlingPage, ABookletOnAPaperItCanBePrintedOnTakesStapleAndDuplexAway)
{
    const Options duplexUnit = {0, 0, 0, 1};
    struct Case {
        int16_t bookletPaper;
        bool kept;
    };
    // A4 pages fit two in one onto A3, not onto A5.
    for (const Case c : {Case{kPaperA3, true}, Case{kPaperA5, false}}) {
        Install(SampleDriver(2), &duplexUnit);
        Open();
        settings().dmPaperSize = kPaperA4;
        settings().booklet = 1;
        settings().bookletPaper = c.bookletPaper;
        settings().duplexOn = 1;
        ASSERT_NE(nullptr, host_->ShowPage(kPageHandling));
        EXPECT_EQ(c.kept ? 1 : 0, settings().booklet) << "booklet paper " << c.bookletPaper;
        const std::vector<UINT> staples = c.kept ? std::vector<UINT>{IDS_STAPLE_OFF}
                                                 : std::vector<UINT>{IDS_STAPLE_OFF, IDS_STAPLE_ON};
        EXPECT_EQ(Texts(staples), Items(IDC_HANDLING_STAPLE_LIST)) << "booklet paper " << c.bookletPaper;
        EXPECT_EQ(!c.kept, Enabled(IDC_HANDLING_DUPLEX)) << "booklet paper " << c.bookletPaper;
        EXPECT_EQ(c.kept ? 0 : 1, settings().duplexOn) << "booklet paper " << c.bookletPaper;
    }
}

TEST_F(HandlingPage, DuplexOnAPaperWithoutDuplexWarnsFocusesTheBoxAndKeepsTheSheetOpen)
{
    const Options duplexUnit = {0, 0, 0, 1};
    struct Case {
        int16_t paper;
        bool warns;
    };
    for (const Case c : {Case{kPaperA4, false}, Case{kPaperA5, true}, Case{kNoSuchPaper, true}}) {
        Install(SampleDriver(2), &duplexUnit);
        Open();
        settings().dmPaperSize = c.paper;
        ASSERT_NE(nullptr, host_->ShowPage(kPageHandling));
        host_->Click(kPageHandling, IDC_HANDLING_DUPLEX);
        host_->Press(PSBTN_OK);
        HWND focused = GetFocus();
        EXPECT_EQ(!c.warns, host_->closed()) << "paper " << c.paper;
        ASSERT_EQ(c.warns ? 1u : 0u, host_->boxes().calls().size()) << "paper " << c.paper;
        if (!c.warns) {
            EXPECT_EQ(DMDUP_VERTICAL, settings().dmDuplex);
            continue;
        }
        const MessageBoxCall& box = host_->boxes().calls()[0];
        EXPECT_EQ(Text(IDS_DUPLEX_PAPER_WARNING), box.text);
        EXPECT_EQ(Text(IDS_WARNING), box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING | MB_OK), box.style);
        EXPECT_EQ(Control(IDC_HANDLING_DUPLEX), focused);
        EXPECT_TRUE(host_->setResults().empty()) << "nothing is applied";
    }
}

TEST_F(HandlingPage, SortingIsLeftToThePrinterOfModel3UnlessTheDriverWasChosen)
{
    struct Case {
        int variant;
        int32_t driverControlsSort;
        int16_t driverCollate;
    };
    // The variant 2 sample is model 3 with printer control; variant 3 is not.
    for (const Case c : {Case{2, 0, 0}, Case{2, 1, 1}, Case{3, 0, 1}}) {
        Install(SampleDriver(c.variant), nullptr);
        Open();
        settings().driverControlsSort = c.driverControlsSort;
        settings().dmFields &= ~DM_COLLATE;
        host_->Click(kPageHandling, IDC_HANDLING_SORT);
        host_->Press(PSBTN_OK);
        ASSERT_TRUE(host_->closed());
        EXPECT_EQ(1, settings().sorterMode) << "variant " << c.variant;
        EXPECT_EQ(c.driverCollate, settings().driverCollate) << "variant " << c.variant;
        EXPECT_TRUE(settings().dmFields & DM_COLLATE) << "variant " << c.variant;
        EXPECT_EQ(0, settings().dmCollate) << "variant " << c.variant;
    }
}

TEST_F(HandlingPage, TheFlippingPictureShowsTheBindingEdgeOfTheOrientation)
{
    struct Case {
        int16_t orientation;
        int16_t binding;
        int icon;
    };
    const Options duplexUnit = {0, 0, 0, 1};
    for (const Case c : {Case{DMORIENT_LANDSCAPE, 2, IDI_FLIP_SHORT_LANDSCAPE},
                         Case{DMORIENT_PORTRAIT, 1, IDI_FLIP_LONG_PORTRAIT}}) {
        Install(SampleDriver(2), &duplexUnit);
        Open();
        settings().dmOrientation = c.orientation;
        settings().duplexBinding = c.binding;
        const auto shown = reinterpret_cast<HICON>(SendMessageW(Control(IDC_HANDLING_FLIP_ICON), STM_GETICON, 0, 0));
        EXPECT_EQ(Icon(c.icon), shown) << "icon " << c.icon;
    }
}

TEST_F(HandlingPage, OrderAndOverlayAreStoredAtApplyAndShownAgain)
{
    Install(SampleDriver(3), nullptr);
    WCHAR names[10][17] = {};
    lstrcpyW(names[0], L"Letterhead");
    lstrcpyW(names[2], L"Sixteen chars ok");
    ASSERT_EQ(0u, printer_->SetData(L"Overlay", REG_BINARY, names, sizeof(names)));
    Open();
    const std::vector<std::wstring> items = Items(IDC_HANDLING_OVERLAY_LIST);
    ASSERT_EQ(11u, items.size());
    EXPECT_EQ(Text(IDS_OVERLAY_NONE), items[0]);
    EXPECT_EQ(L"Letterhead", items[1]);
    EXPECT_EQ(L"Sixteen chars ok", items[3]);
    EXPECT_TRUE(Checked(IDC_HANDLING_ORDER_NORMAL)) << "the model prints in order by default";

    host_->Click(kPageHandling, IDC_HANDLING_ORDER_REVERSE);
    host_->Choose(kPageHandling, IDC_HANDLING_OVERLAY_LIST, 3);
    const auto shown = reinterpret_cast<HICON>(SendMessageW(Control(IDC_HANDLING_ORDER_ICON), STM_GETICON, 0, 0));
    EXPECT_EQ(Icon(IDI_ORDER_FORWARD), shown);
    EXPECT_EQ(0, settings().reverseOrder) << "the order waits for apply";
    host_->Press(PSBTN_OK);
    ASSERT_TRUE(host_->closed());
    EXPECT_EQ(0, settings().orderChoice);
    EXPECT_EQ(1, settings().reverseOrder);
    EXPECT_EQ(3, settings().handlingListChoice);

    Open();   // from the user's stored settings
    EXPECT_TRUE(Checked(IDC_HANDLING_ORDER_REVERSE));
    EXPECT_EQ(L"Sixteen chars ok", Selected(IDC_HANDLING_OVERLAY_LIST));
}

TEST_F(HandlingPage, WithoutStoredOverlayNamesTheListOffersNumberedImages)
{
    Install(SampleDriver(2), nullptr);
    Open();
    const std::vector<std::wstring> items = Items(IDC_HANDLING_OVERLAY_LIST);
    ASSERT_EQ(11u, items.size());
    WCHAR expected[32];
    swprintf(expected, 32, Text(IDS_OVERLAY_IMAGE_FORMAT).c_str(), 10);
    EXPECT_EQ(std::wstring(expected), items[10]);
}

TEST_F(HandlingPage, OkWithoutOrderButtonsKeepsTheModelsForwardOrder)
{
    // A variant 1 model whose order is forward: its page has no order buttons.
    Install(DriverForProfileText(L"[Setup]\nDRIVER=1\n[PaperSize]\nA4=1,1,1,A4\n[Martenx]\nORDER=1\nORDERDEF=0\n"),
            nullptr);
    Open();
    ASSERT_NE(nullptr, host_->ShowPage(kPageHandling));
    ASSERT_EQ(nullptr, GetDlgItem(host_->ShowPage(kPageHandling), IDC_HANDLING_ORDER_NORMAL));
    host_->Press(PSBTN_OK);
    ASSERT_TRUE(host_->closed());
    EXPECT_EQ(0, settings().reverseOrder);
    EXPECT_EQ(1, settings().orderChoice);
}

TEST_F(HandlingPage, OnlyVariant2OffersOutputTraySecurityPrintAndShift)
{
    // A variant 3 model with all three, and a printer that has them set up.
    const Options everything = {1, 0, 1, 1, 1};
    Install(DriverForProfileText(L"[Setup]\nDRIVER=3\n[PaperSize]\nA4=1,1,1,A4\n"
                                 L"[Martenx]\nSHIFT=1\nOUTPUTTRAY=1\nSECURITY=1\nRESERVE=0\n"),
            &everything);
    Open();
    HWND page = host_->ShowPage(kPageHandling);
    ASSERT_NE(nullptr, page);
    for (int id : {IDC_HANDLING_OUTBIN_LIST, IDC_HANDLING_SECURE_ON, IDC_HANDLING_SHIFT})
        EXPECT_EQ(nullptr, GetDlgItem(page, id)) << id;
    EXPECT_NE(nullptr, GetDlgItem(page, IDC_HANDLING_SORT));
}
