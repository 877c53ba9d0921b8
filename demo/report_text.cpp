#include "report_text.h"

#include <cstdio>

std::string Utf8(const WCHAR* text)
{
    if (!text)
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

void Heading(const char* title)
{
    printf("\n== %s ==\n", title);
}

void Field(const char* name, long long value)
{
    printf("  %-26s %lld\n", name, value);
}

void Field(const char* name, const char* text)
{
    printf("  %-26s \"%s\"\n", name, text ? text : "");
}

void Field(const char* name, const WCHAR* text)
{
    printf("  %-26s \"%s\"\n", name, Utf8(text).c_str());
}
