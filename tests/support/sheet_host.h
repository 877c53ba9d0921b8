// The platform's side of a driver's property sheet, as the common property
// sheet library plays it, for tests: the driver's sheet entry gets INIT with
// a callback that creates its pages (CPSFUNC_ADD_PROPSHEETPAGEW), the pages
// are shown in a real modeless PropertySheetW (made hidden: never drawn), CPSFUNC_SET_RESULT calls the
// entry again with reason SET_RESULT, and closing the sheet sends DESTROY.
// While the host lives, the module's help and message boxes are recorded
// and answered instead of shown.
//
//   SheetHost host(driver);                  // driver: InstalledDriver
//   ASSERT_EQ(1, host.Open(&header));        // header: DOCUMENTPROPERTYHEADER
//   host.Click(kPageFonts, IDC_FONTS_USE_TRUETYPE);
//   host.Press(PSBTN_OK);                    // apply, close, DESTROY
#ifndef MARTENUI_TESTS_SHEET_HOST_H
#define MARTENUI_TESTS_SHEET_HOST_H

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <compstui.h>

#include <functional>
#include <string>
#include <vector>

#include "support/installed_driver.h"
#include "support/spooler_guard.h"
#include "support/ui_recorders.h"

class SheetHost {
public:
    // The sheet entry `entryName` of the installed driver:
    // "DrvDocumentPropertySheets" or "DrvDevicePropertySheets".
    explicit SheetHost(const InstalledDriver& driver, const char* entryName = "DrvDocumentPropertySheets");
    ~SheetHost();
    SheetHost(const SheetHost&) = delete;
    SheetHost& operator=(const SheetHost&) = delete;

    // INIT with `header` (the entry's property header), then GET_INFO_HEADER,
    // then the modeless sheet of the pages added. Returns INIT's answer; when
    // it is not positive the host sends DESTROY at once and shows nothing.
    LONG Open(void* header);

    HWND sheet() const { return sheet_; }
    bool closed() const { return closed_; }
    const PROPSHEETUI_INFO& info() const { return info_; }
    LONG infoHeaderAnswer() const { return infoHeaderAnswer_; }
    const PROPSHEETUI_INFO_HEADER& infoHeader() const { return infoHeader_; }

    // The pages the driver added, and the templates it asked for.
    int pageCount() const { return static_cast<int>(pages_.size()); }
    HANDLE pageHandle(int index) const;
    const PROPSHEETPAGEW& pageRecord(int index) const { return pageRecords_[index]; }
    std::wstring pageTitle(int index) const { return pageTitles_[index]; }

    // Makes page `index` current, creating its dialog, and returns its
    // window; null when the current page refused to be left.
    HWND ShowPage(int index);
    HWND CurrentPage() const;
    // A control of page `index` (shown first).
    HWND Control(int index, int control);

    // Real messages to the controls of page `index`, each followed by a pump.
    void Click(int index, int control);                 // BM_CLICK
    void Choose(int index, int control, int item);      // CB_SETCURSEL + CBN_SELCHANGE
    void SelectItem(int index, int control, int item);  // LVM_SETITEMSTATE
    // F1 on a control of page `index`, as the dialog reports it (WM_HELP):
    // the help calls it made.
    std::vector<HelpCall> HelpOn(int index, int control);
    // Clicks a control that opens a modal dialog: `inDialog` runs on a second
    // thread once the dialog is shown, reads it and closes it as a user
    // would. A dialog that does not close fails the test and is cancelled.
    void ClickIntoDialog(int index, int control, const std::function<void(HWND dialog)>& inDialog);
    // PSBTN_OK, PSBTN_APPLYNOW or PSBTN_CANCEL. When the sheet ends (OK
    // accepted, or Cancel) it is destroyed and the entry gets DESTROY.
    void Press(int button);
    // Destroys the sheet if it is open and sends DESTROY once.
    void Close();
    // Dispatches every waiting message.
    void Pump();

    // After the sheet opened, after each page is shown and after each
    // action above, the host runs the page checker over every page created
    // so far and, for a document sheet, over its output record; a broken
    // invariant fails the test. Off for a test that breaks one on purpose.
    void CheckPagesAfterActions(bool on) { checkPages_ = on; }
    // From INIT's return to DESTROY the driver's pages read nothing from the
    // spooler on the sheet's thread: they work from what INIT gathered. The
    // only spooler writes are the device pages' "DeviceOption" and
    // "FontSubs" at apply. Checked over each action above, and at close.
    void CheckSpoolerCalls(const std::string& after);
    // What INIT read from the spooler (the sheet's gathering).
    const SpoolerTally& initCalls() const { return initCalls_; }
    void CheckPages(const std::string& after);

    // Each CPSFUNC_SET_RESULT the driver made: the page it named, the result
    // it reported, and the entry's answer to the SET_RESULT call.
    struct SetResultCall {
        HANDLE page;
        LPARAM result;
        LONG answer;
    };
    const std::vector<SetResultCall>& setResults() const { return setResults_; }
    int destroyCalls() const { return destroyCalls_; }
    LONG destroyAnswer() const { return destroyAnswer_; }

    HelpRecorder& help() { return help_; }
    MessageBoxAnswerer& boxes() { return boxes_; }

private:
    static LONG_PTR CALLBACK Callback(HANDLE host, UINT function, LPARAM first, LPARAM second);
    LONG CallEntry(WORD reason, LPARAM param);
    void EndIfFinished();

    // The sheet entry as the platform declares it: the compiler's own header
    // leaves out its calling convention, which on x86 unbalances the stack.
    using SheetEntry = LONG(CALLBACK*)(PROPSHEETUI_INFO* info, LPARAM param);
    SheetEntry entry_ = nullptr;
    std::string entryName_;
    HelpRecorder help_;
    MessageBoxAnswerer boxes_;
    PROPSHEETUI_INFO info_ = {};
    PROPSHEETUI_INFO_HEADER infoHeader_ = {};
    LONG infoHeaderAnswer_ = 0;
    std::vector<HPROPSHEETPAGE> pages_;
    std::vector<PROPSHEETPAGEW> pageRecords_;
    std::vector<std::wstring> pageTitles_;
    std::vector<SetResultCall> setResults_;
    int destroyCalls_ = 0;
    LONG destroyAnswer_ = 0;
    HWND sheet_ = nullptr;
    bool opened_ = false;
    bool closed_ = false;
    bool checkPages_ = true;
    HMODULE module_ = nullptr;
    SpoolerTally initCalls_;
    const DEVMODEW* output_ = nullptr;   // a document sheet's output record
};

#endif
