// The text of the command-line tools' reports: UTF-8 for the console and
// files, and JSON strings for --json.
#ifndef MARTENUI_TOOL_TEXT_H
#define MARTENUI_TOOL_TEXT_H

#include <windows.h>

#include <cstdio>
#include <string>

inline std::string Utf8(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

// `text` (UTF-8) as a JSON string: quotes and backslashes escaped, control
// characters as \u escapes. UTF-8's multi-byte sequences pass as they are.
inline std::string Json(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned char>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

inline std::string Json(const std::wstring& text)
{
    return Json(Utf8(text));
}

#endif
