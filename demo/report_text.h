// Plain text output of the demo report.
#ifndef MARTENUI_DEMO_REPORT_TEXT_H
#define MARTENUI_DEMO_REPORT_TEXT_H

#include <windows.h>

#include <string>

void Heading(const char* title);
void Field(const char* name, long long value);
void Field(const char* name, const char* text);
void Field(const char* name, const WCHAR* text);
std::string Utf8(const WCHAR* text);

#endif
