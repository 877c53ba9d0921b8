// Stand-ins for the help viewer and for message boxes, put in an installed
// module's imports: the module's WinHelpW and MessageBoxW calls are recorded
// and answered, and no window of either kind appears. One of each at a time.
#ifndef MARTENUI_TESTS_UI_RECORDERS_H
#define MARTENUI_TESTS_UI_RECORDERS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/import_slots.h"

struct HelpCall {
    HWND window;
    std::wstring file;
    UINT command;
    ULONG_PTR data;
    std::vector<DWORD> pairs;   // HELP_WM_HELP: the map up to its (0, 0) end
};

class HelpRecorder {
public:
    explicit HelpRecorder(HMODULE module);
    ~HelpRecorder();
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    bool installed() const { return swap_.original() != nullptr; }
    const std::vector<HelpCall>& calls() const;
    // The calls of `command` only.
    std::vector<HelpCall> CallsOf(UINT command) const;
    void Clear();

private:
    ImportSwap swap_;
};

struct MessageBoxCall {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT style;
};

class MessageBoxAnswerer {
public:
    // Every box is answered with `answer`.
    explicit MessageBoxAnswerer(HMODULE module, int answer = IDOK);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    bool installed() const { return swap_.original() != nullptr; }
    const std::vector<MessageBoxCall>& calls() const;
    void Clear();
    // Runs while a box is "open", on the thread that opened it.
    void WhileOpen(std::function<void()> action);
    // Later boxes are answered with `answer` (IDYES, IDNO ...).
    void SetAnswer(int answer);

private:
    ImportSwap swap_;
};

#endif
