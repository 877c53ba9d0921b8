#include "support/ui_recorders.h"

namespace {

constexpr size_t kMaxHelpPairs = 256;

std::vector<HelpCall> helpCalls;

struct BoxState {
    int answer = IDOK;
    std::vector<MessageBoxCall> calls;
    std::function<void()> whileOpen;
} boxes;

BOOL WINAPI RecordWinHelp(HWND window, LPCWSTR file, UINT command, ULONG_PTR data)
{
    HelpCall call{window, file ? file : L"", command, data, {}};
    if (command == HELP_WM_HELP && data) {
        const auto* pairs = reinterpret_cast<const DWORD*>(data);
        for (size_t i = 0; i < kMaxHelpPairs && (pairs[2 * i] || pairs[2 * i + 1]); ++i) {
            call.pairs.push_back(pairs[2 * i]);
            call.pairs.push_back(pairs[2 * i + 1]);
        }
    }
    helpCalls.push_back(call);
    return TRUE;
}

int WINAPI AnswerMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style)
{
    boxes.calls.push_back({owner, text ? text : L"", caption ? caption : L"", style});
    if (boxes.whileOpen)
        boxes.whileOpen();
    return boxes.answer;
}

}  // namespace

HelpRecorder::HelpRecorder(HMODULE module)
    : swap_(module, "user32.dll", "WinHelpW", reinterpret_cast<void*>(RecordWinHelp))
{
    helpCalls.clear();
}

HelpRecorder::~HelpRecorder()
{
    helpCalls.clear();
}

const std::vector<HelpCall>& HelpRecorder::calls() const
{
    return helpCalls;
}

std::vector<HelpCall> HelpRecorder::CallsOf(UINT command) const
{
    std::vector<HelpCall> found;
    for (const HelpCall& call : helpCalls) {
        if (call.command == command)
            found.push_back(call);
    }
    return found;
}

void HelpRecorder::Clear()
{
    helpCalls.clear();
}

MessageBoxAnswerer::MessageBoxAnswerer(HMODULE module, int answer)
    : swap_(module, "user32.dll", "MessageBoxW", reinterpret_cast<void*>(AnswerMessageBox))
{
    boxes = BoxState();
    boxes.answer = answer;
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    boxes = BoxState();
}

const std::vector<MessageBoxCall>& MessageBoxAnswerer::calls() const
{
    return boxes.calls;
}

void MessageBoxAnswerer::Clear()
{
    boxes.calls.clear();
}

void MessageBoxAnswerer::WhileOpen(std::function<void()> action)
{
    boxes.whileOpen = std::move(action);
}

void MessageBoxAnswerer::SetAnswer(int answer)
{
    boxes.answer = answer;
}
