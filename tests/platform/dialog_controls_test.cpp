// Reaching a dialog's controls by id: the controls GetDlgItem finds, never
// one that is gone, and radio groups checked as CheckRadioButton checks them.
#include "platform/dialog_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "facts/printer_call.h"
#include "support/installed_driver.h"
#include "support/printer_bench.h"
#include "resources/resource_ids.h"

namespace {

// Remembers its controls from WM_INITDIALOG to WM_DESTROY, as the pages do.
INT_PTR CALLBACK PlainDialog(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        return RememberControlsOf(dialog);
    if (message == WM_DESTROY)
        ForgetControlsOf(dialog);
    return FALSE;
}

class DialogControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        BenchPrinter printer(SampleDriver(2));
        library = LoadResourceLibraryForPrinter(printer.handle());
        // A page's template makes a child window: it needs a parent.
        parent = CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }

    static void TearDownTestSuite() { DestroyWindow(parent); }

    void SetUp() override
    {
        ASSERT_NE(nullptr, library);
        ASSERT_NE(nullptr, parent);
    }

    // The full Handling page: radio groups, check boxes, pictures, lists.
    static HWND MakeDialog()
    {
        HWND dialog = CreateDialogParamW(library, MAKEINTRESOURCEW(IDD_HANDLING), parent, PlainDialog, 0);
        EXPECT_NE(nullptr, dialog);
        return dialog;
    }

    static std::vector<LRESULT> CheckStates(HWND dialog)
    {
        std::vector<LRESULT> states;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            states.push_back(SendMessageW(child, BM_GETCHECK, 0, 0));
        return states;
    }

    static HMODULE library;
    static HWND parent;
};

HMODULE DialogControlsTest::library = nullptr;
HWND DialogControlsTest::parent = nullptr;

struct DialogCloser {
    HWND dialog;
    ~DialogCloser() { DestroyWindow(dialog); }
};

}  // namespace

TEST_F(DialogControlsTest, FindsWhatGetDlgItemFindsFirstTimeAndAfter)
{
    const int ids[] = {IDC_HANDLING_STACK, IDC_HANDLING_SORTER_ICON, IDC_HANDLING_OVERLAY_LIST,
                       IDC_OPTIONS_MEMORY_LIST /* not on this page */, 0, -1};
    HWND dialog = MakeDialog();
    DialogCloser closer{dialog};
    for (int round = 0; round < 2; ++round) {
        for (int id : ids)
            EXPECT_EQ(GetDlgItem(dialog, id), DialogControl(dialog, id)) << "id " << id << ", round " << round;
    }
    EXPECT_EQ(nullptr, DialogControl(nullptr, IDC_HANDLING_STACK));
}

TEST_F(DialogControlsTest, AControlOrDialogThatIsGoneIsNeverReturned)
{
    const int remembering = RememberingDialogs();
    HWND first = MakeDialog();
    EXPECT_EQ(remembering + 1, RememberingDialogs());
    HWND shift = DialogControl(first, IDC_HANDLING_SHIFT);
    ASSERT_NE(nullptr, shift);
    DestroyWindow(shift);
    EXPECT_EQ(nullptr, DialogControl(first, IDC_HANDLING_SHIFT));
    EXPECT_EQ(0, SendControlMessage(first, IDC_HANDLING_SHIFT, BM_GETCHECK, 0, 0));
    // Moved to another window with its id: no longer the dialog's.
    HWND sort = DialogControl(first, IDC_HANDLING_SORT);
    ASSERT_NE(nullptr, sort);
    SetParent(sort, parent);
    EXPECT_EQ(GetDlgItem(first, IDC_HANDLING_SORT), DialogControl(first, IDC_HANDLING_SORT));
    EXPECT_NE(sort, DialogControl(first, IDC_HANDLING_SORT));

    HWND stack = DialogControl(first, IDC_HANDLING_STACK);
    DestroyWindow(first);
    DestroyWindow(sort);
    EXPECT_EQ(remembering, RememberingDialogs()) << "the dialog's block went with it";
    HWND second = MakeDialog();
    DialogCloser closer{second};
    EXPECT_FALSE(IsWindow(stack));
    EXPECT_EQ(GetDlgItem(second, IDC_HANDLING_STACK), DialogControl(second, IDC_HANDLING_STACK));
    EXPECT_NE(nullptr, DialogControl(second, IDC_HANDLING_SHIFT)) << "the new dialog has its own";
}

TEST_F(DialogControlsTest, CheckRadioLeavesEveryControlAsCheckRadioButtonDoes)
{
    struct Row {
        int first, last, checked;
        const char* what;
    } rows[] = {
        {IDC_HANDLING_STACK, IDC_HANDLING_SORT, IDC_HANDLING_SORT, "a group of two"},
        {IDC_HANDLING_STACK, IDC_HANDLING_SORT, IDC_HANDLING_STACK, "the first of two"},
        {IDC_HANDLING_SECURE_GROUP, IDC_HANDLING_SECURE_ON, IDC_HANDLING_SECURE_OFF, "a frame in the range"},
        {IDC_HANDLING_SHIFT, IDC_HANDLING_SHIFT, IDC_HANDLING_SHIFT, "a range of one"},
        {IDC_HANDLING_MARGIN_YES, IDC_HANDLING_MARGIN_NO, IDC_HANDLING_MARGIN_YES, "first above last"},
        {IDC_HANDLING_LONG_EDGE, IDC_HANDLING_SHORT_EDGE, IDC_HANDLING_DUPLEX, "checked outside the range"},
        {IDC_HANDLING_STAPLE_LIST, IDC_HANDLING_SECURE_ON, IDC_HANDLING_MARGIN_NO, "a wide range"},
    };
    for (const Row& row : rows) {
        HWND ours = MakeDialog();
        HWND theirs = MakeDialog();
        DialogCloser closeOurs{ours}, closeTheirs{theirs};
        // Everything checked first, so that what is cleared shows.
        for (HWND dialog : {ours, theirs}) {
            for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                SendMessageW(child, BM_SETCHECK, BST_CHECKED, 0);
        }
        CheckRadio(ours, row.first, row.last, row.checked);
        CheckRadioButton(theirs, row.first, row.last, row.checked);
        EXPECT_EQ(CheckStates(theirs), CheckStates(ours)) << row.what;
        EXPECT_EQ(Checked(theirs, row.checked), Checked(ours, row.checked)) << row.what;
    }
}
