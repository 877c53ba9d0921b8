// Driving a modal dialog that a driver opens, as a user would: the dialog's
// own message loop tells its owner when it waits for input
// (WM_ENTERIDLE), and the script then runs once inside that loop with the
// dialog's window. The script must end the dialog (OK or Cancel).
//
//   ModalScript script(page, [](HWND dialog) { ...; Press(dialog, IDOK); });
//   SendMessageW(list, WM_KEYDOWN, VK_RETURN, 0);   // opens the dialog
//   EXPECT_EQ(1, script.runs());
#ifndef MARTENUI_TESTS_MODAL_SCRIPT_H
#define MARTENUI_TESTS_MODAL_SCRIPT_H

#include <windows.h>

#include <functional>

class ModalScript {
public:
    // Watches the top-level window of `window` (a modal dialog's owner is
    // always top-level) while the object lives.
    ModalScript(HWND window, std::function<void(HWND dialog)> script);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    int runs() const { return runs_; }

private:
    static LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR self);

    HWND owner_;
    std::function<void(HWND)> script_;
    int runs_ = 0;
};

// A click on a dialog button, as BM_CLICK gives it.
void ClickButton(HWND dialog, int control);

#endif
