#include "sheet/page_warning.h"

#include <stdio.h>

#include "platform/resource_library.h"
#include "../resources/resource_ids.h"

namespace {

constexpr int kTextChars = 255;
constexpr int kReasonChars = 255;
constexpr int kCaptionChars = 63;

// The platform's words for `error`, without the line end they come with.
void ReasonOf(DWORD error, WCHAR (&reason)[kReasonChars + 1])
{
    reason[0] = 0;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  reason, kReasonChars + 1, nullptr);
    if (length > kReasonChars)
        length = kReasonChars;
    while (length > 0 && (reason[length - 1] == L'\r' || reason[length - 1] == L'\n' || reason[length - 1] == L' '))
        --length;
    reason[length] = 0;
    if (length == 0)
        _snwprintf(reason, kReasonChars, L"Error %lu.", static_cast<unsigned long>(error));
    reason[kReasonChars] = 0;
}

}  // namespace

void TellFailure(HWND page, UINT textId, DWORD error)
{
    WCHAR text[kTextChars + 1] = L"";
    WCHAR reason[kReasonChars + 1];
    WCHAR caption[kCaptionChars + 1] = L"";
    LoadResourceString(textId, text, kTextChars + 1);
    ReasonOf(error, reason);
    LoadResourceString(IDS_WARNING, caption, kCaptionChars + 1);
    WCHAR message[kTextChars + kReasonChars + 3];
    _snwprintf(message, sizeof(message) / sizeof(message[0]) - 1, L"%ls\n\n%ls", text, reason);
    message[sizeof(message) / sizeof(message[0]) - 1] = 0;
    MessageBoxW(page, message, caption, MB_OK | MB_ICONWARNING);
}

void TellFailureOnce(HWND page, UINT textId, DWORD error, bool* told)
{
    if (!error || *told)
        return;
    *told = true;
    TellFailure(page, textId, error);
}
