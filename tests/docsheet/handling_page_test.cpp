// The Handling page in a real property sheet: what it offers for the
// printer's installed options, what it writes into the settings at once or
// at apply, and the duplex/paper warning.
#include "sheet/sheet_state.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "docsheet/sheet_fixture.h"
#include "profile/device_options.h"
#include "support/model_printers.h"
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
    // stored without); one printer per driver and options for the suite.
    void Install(const DriverPackage& driver, const Options* options)
    {
        sheet_.reset();
        if (!options) {
            sheet_ = std::make_unique<SheetFixture>(driver);
            return;
        }
        const Options o = *options;
        const std::string key = "options " + std::to_string(o.innerTray) + std::to_string(o.outerTray) +
                                std::to_string(o.finisher) + std::to_string(o.duplexUnit) +
                                std::to_string(o.securityPrint);
        sheet_ = std::make_unique<SheetFixture>(driver, key, [o](const BenchPrinter& printer) {
            DeviceOptionData record = {};
            record.trayCount = 2;
            record.innerTray = o.innerTray;
            record.outerTray = o.outerTray;
            record.finisher = o.finisher;
            record.duplexUnit = o.duplexUnit;
            record.securityPrint = o.securityPrint;
            ASSERT_EQ(0u, printer.SetData(kDeviceOptionValue, REG_BINARY, &record, sizeof(record)));
        });
    }

    // Opens the sheet; the settings can be prepared before the page is shown.
    void Open() { ASSERT_EQ(1, sheet_->Open()); }

    SheetHost& host() { return sheet_->host(); }
    DocumentSettings& settings() { return sheet_->settings(); }
    HWND Control(int id) { return host().Control(kPageHandling, id); }
    bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) { return IsChecked(Control(id)); }

    std::wstring Text(UINT id)
    {
        WCHAR text[128] = L"";
        LoadStringW(host().pageRecord(kPageHandling).hInstance, id, text, 128);
        return text;
    }
    std::vector<std::wstring> Texts(const std::vector<UINT>& ids)
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
    // Whether the picture control shows the resource library's icon.
    bool Shows(int control, int icon)
    {
        HICON expected = LoadIconW(host().pageRecord(kPageHandling).hInstance, MAKEINTRESOURCEW(icon));
        return expected && reinterpret_cast<HICON>(SendMessageW(Control(control), STM_GETICON, 0, 0)) == expected;
    }

    std::unique_ptr<SheetFixture> sheet_;
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
        {{1, 0, 1, 0, 0}, 3,
         {IDS_OUTBIN_AUTO, IDS_OUTBIN_INNER1, IDS_OUTBIN_INNER2, IDS_OUTBIN_FINISHER},
         IDS_OUTBIN_FINISHER},
        {{0, 0, 1, 0, 0}, 0, {IDS_OUTBIN_AUTO, IDS_OUTBIN_FINISHER}, IDS_OUTBIN_AUTO},
        // An outer tray excludes the finisher: no bin is valid.
        {{1, 1, 1, 0, 0}, 3,
         {IDS_OUTBIN_AUTO, IDS_OUTBIN_INNER1, IDS_OUTBIN_INNER2, IDS_OUTBIN_OUTER, IDS_OUTBIN_FINISHER},
         IDS_OUTBIN_AUTO},
        {{0, 0, 0, 0, 0}, 2, {IDS_OUTBIN_AUTO}, IDS_OUTBIN_AUTO},
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
    host().Choose(kPageHandling, IDC_HANDLING_OUTBIN_LIST, 1);
    EXPECT_EQ(3, settings().outputBin);
    EXPECT_TRUE(Enabled(IDC_HANDLING_SHIFT));
    EXPECT_TRUE(Enabled(IDC_HANDLING_STAPLE_LIST));
    // Restore Defaults takes shift away again.
    host().Click(kPageHandling, IDC_HANDLING_SHIFT);
    EXPECT_TRUE(Checked(IDC_HANDLING_SHIFT));
    host().Click(kPageHandling, IDC_RESTORE_DEFAULTS);
    EXPECT_FALSE(Checked(IDC_HANDLING_SHIFT));
}

TEST_F(HandlingPage, UncheckingDuplexWritesAtOnceAndDisablesTheFourChoices)
{
    const Options duplexUnit = {0, 0, 0, 1, 0};
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

    host().Click(kPageHandling, IDC_HANDLING_DUPLEX);
    EXPECT_EQ(0, settings().duplexOn);
    EXPECT_EQ(1, settings().duplexBinding);
    EXPECT_EQ(0, settings().bindingMargin);
    for (int id : choices)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(IDC_HANDLING_LONG_EDGE));
    host().Press(PSBTN_OK);
    EXPECT_EQ(0, settings().duplexOn) << "and apply keeps it";
    EXPECT_EQ(DMDUP_SIMPLEX, settings().dmDuplex);
}

TEST_F(HandlingPage, TheBindingMarginRadiosShowTheStoredChoiceAndTakeAClick)
{
    const Options duplexUnit = {0, 0, 0, 1, 0};
    Install(SampleDriver(2), &duplexUnit);
    struct Case {
        int32_t margin;
        bool yes;
    };
    for (const Case c : {Case{0, false}, Case{1, true}}) {
        Open();
        settings().duplexOn = 1;
        settings().bindingMargin = c.margin;
        ASSERT_NE(nullptr, host().ShowPage(kPageHandling));
        EXPECT_EQ(c.yes, Checked(IDC_HANDLING_MARGIN_YES)) << "bindingMargin " << c.margin;
        EXPECT_EQ(!c.yes, Checked(IDC_HANDLING_MARGIN_NO)) << "bindingMargin " << c.margin;
        EXPECT_TRUE(Shows(IDC_HANDLING_MARGIN_ICON, c.yes ? IDI_MARGIN_ON : IDI_MARGIN_OFF))
            << "bindingMargin " << c.margin;

        // The other choice, clicked, is stored at once and shown alone.
        host().Click(kPageHandling, c.yes ? IDC_HANDLING_MARGIN_NO : IDC_HANDLING_MARGIN_YES);
        EXPECT_EQ(c.yes ? 0 : 1, settings().bindingMargin) << "bindingMargin " << c.margin;
        EXPECT_EQ(!c.yes, Checked(IDC_HANDLING_MARGIN_YES)) << "bindingMargin " << c.margin;
        EXPECT_EQ(c.yes, Checked(IDC_HANDLING_MARGIN_NO)) << "bindingMargin " << c.margin;
        host().Press(PSBTN_OK);
        EXPECT_EQ(c.yes ? 0 : 1, settings().bindingMargin) << "bindingMargin " << c.margin << " after OK";
    }
}

TEST_F(HandlingPage, ABookletOnAPaperItCanBePrintedOnTakesStapleAndDuplexAway)
{
    const Options duplexUnit = {0, 0, 0, 1, 0};
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
        settings().staple = 1;
        ASSERT_NE(nullptr, host().ShowPage(kPageHandling));
        EXPECT_EQ(c.kept ? 1 : 0, settings().booklet) << "booklet paper " << c.bookletPaper;
        EXPECT_EQ(0, settings().staple) << "the booklet it was opened with left nothing to staple";
        const std::vector<UINT> staples = c.kept ? std::vector<UINT>{IDS_STAPLE_OFF}
                                                 : std::vector<UINT>{IDS_STAPLE_OFF, IDS_STAPLE_ON};
        EXPECT_EQ(Texts(staples), Items(IDC_HANDLING_STAPLE_LIST)) << "booklet paper " << c.bookletPaper;
        EXPECT_EQ(!c.kept, Enabled(IDC_HANDLING_DUPLEX)) << "booklet paper " << c.bookletPaper;
        EXPECT_EQ(c.kept ? 0 : 1, settings().duplexOn) << "booklet paper " << c.bookletPaper;

        // Restore Defaults stores the defaults at once, the booklet's among them.
        DocumentSettings& s = settings();
        s.staple = s.bindingMargin = s.shift = 1;
        s.duplexBinding = 2;
        s.outputBin = 3;
        host().Click(kPageHandling, IDC_RESTORE_DEFAULTS);
        const int32_t stored[] = {s.booklet, s.staple, s.duplexOn, s.outputBin, s.duplexBinding, s.bindingMargin,
                                  s.shift};
        const std::vector<int32_t> defaults = {0, 0, 0, 0, 1, 0, 0};
        EXPECT_EQ(defaults, std::vector<int32_t>(std::begin(stored), std::end(stored)))
            << "booklet, staple, duplexOn, outputBin, duplexBinding, bindingMargin, shift; paper " << c.bookletPaper;
        EXPECT_TRUE(Enabled(IDC_HANDLING_DUPLEX));
    }
}

TEST_F(HandlingPage, DuplexOnAPaperWithoutDuplexWarnsFocusesTheBoxAndKeepsTheSheetOpen)
{
    const Options duplexUnit = {0, 0, 0, 1, 0};
    struct Case {
        int16_t paper;
        bool warns;
    };
    for (const Case c : {Case{kPaperA4, false}, Case{kPaperA5, true}, Case{kNoSuchPaper, true}}) {
        Install(SampleDriver(2), &duplexUnit);
        Open();
        settings().dmPaperSize = c.paper;
        // A paper no model has is what the record checks refuse: here on purpose.
        host().CheckPagesAfterActions(c.paper != kNoSuchPaper);
        ASSERT_NE(nullptr, host().ShowPage(kPageHandling));
        host().Click(kPageHandling, IDC_HANDLING_DUPLEX);
        host().Press(PSBTN_OK);
        HWND focused = GetFocus();
        EXPECT_EQ(!c.warns, host().closed()) << "paper " << c.paper;
        ASSERT_EQ(c.warns ? 1u : 0u, host().boxes().calls().size()) << "paper " << c.paper;
        if (!c.warns) {
            EXPECT_EQ(DMDUP_VERTICAL, settings().dmDuplex);
            continue;
        }
        const MessageBoxCall& box = host().boxes().calls()[0];
        EXPECT_EQ(Text(IDS_DUPLEX_PAPER_WARNING), box.text);
        EXPECT_EQ(Text(IDS_WARNING), box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING | MB_OK), box.style);
        EXPECT_EQ(Control(IDC_HANDLING_DUPLEX), focused);
        EXPECT_TRUE(host().setResults().empty()) << "nothing is applied";
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
        host().Click(kPageHandling, IDC_HANDLING_SORT);
        host().Press(PSBTN_OK);
        ASSERT_TRUE(host().closed());
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
    const Options duplexUnit = {0, 0, 0, 1, 0};
    for (const Case c : {Case{DMORIENT_LANDSCAPE, 2, IDI_FLIP_SHORT_LANDSCAPE},
                         Case{DMORIENT_PORTRAIT, 1, IDI_FLIP_LONG_PORTRAIT}}) {
        Install(SampleDriver(2), &duplexUnit);
        Open();
        settings().dmOrientation = c.orientation;
        settings().duplexBinding = c.binding;
        EXPECT_TRUE(Shows(IDC_HANDLING_FLIP_ICON, c.icon)) << "icon " << c.icon;
    }
}

TEST_F(HandlingPage, OrderAndOverlayAreStoredAtApplyAndShownAgain)
{
    sheet_ = std::make_unique<SheetFixture>(SampleDriver(3), "overlay names", [](const BenchPrinter& printer) {
        WCHAR names[10][17] = {};
        lstrcpyW(names[0], L"Letterhead");
        lstrcpyW(names[2], L"Sixteen chars ok");
        memcpy(names[4], L"Seventeen chars!!", sizeof(names[4]));   // fills its slot, no zero
        ASSERT_EQ(0u, printer.SetData(L"Overlay", REG_BINARY, names, sizeof(names)));
    });
    Open();
    const std::vector<std::wstring> items = Items(IDC_HANDLING_OVERLAY_LIST);
    ASSERT_EQ(11u, items.size());
    EXPECT_EQ(Text(IDS_OVERLAY_NONE), items[0]);
    EXPECT_EQ(L"Letterhead", items[1]);
    EXPECT_EQ(L"Sixteen chars ok", items[3]);
    EXPECT_EQ(L"Seventeen chars!!", items[5]) << "a name that fills its slot ends with it";
    EXPECT_TRUE(Checked(IDC_HANDLING_ORDER_NORMAL)) << "the model prints in order by default";

    host().Click(kPageHandling, IDC_HANDLING_ORDER_REVERSE);
    host().Choose(kPageHandling, IDC_HANDLING_OVERLAY_LIST, 3);
    EXPECT_TRUE(Shows(IDC_HANDLING_ORDER_ICON, IDI_ORDER_FORWARD));
    EXPECT_EQ(0, settings().reverseOrder) << "the order waits for apply";
    host().Press(PSBTN_OK);
    ASSERT_TRUE(host().closed());
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
    ASSERT_NE(nullptr, host().ShowPage(kPageHandling));
    ASSERT_EQ(nullptr, GetDlgItem(host().ShowPage(kPageHandling), IDC_HANDLING_ORDER_NORMAL));
    host().Press(PSBTN_OK);
    ASSERT_TRUE(host().closed());
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
    HWND page = host().ShowPage(kPageHandling);
    ASSERT_NE(nullptr, page);
    for (int id : {IDC_HANDLING_OUTBIN_LIST, IDC_HANDLING_SECURE_ON, IDC_HANDLING_SHIFT})
        EXPECT_EQ(nullptr, GetDlgItem(page, id)) << id;
    EXPECT_NE(nullptr, GetDlgItem(page, IDC_HANDLING_SORT));
}
