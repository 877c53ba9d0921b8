// Reads an extended dialog template resource into plain values, so tests
// can compare what the resource compiler wrote with what was meant.
#ifndef MARTENUI_TESTS_DIALOG_TEMPLATE_H
#define MARTENUI_TESTS_DIALOG_TEMPLATE_H

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;                 // -1 for IDC_STATIC
    std::wstring className;     // predefined classes by name ("Button", ...)
    std::wstring text;          // empty when the text is an ordinal
    int textOrdinal = -1;       // resource number given as text, else -1
};

struct DialogTemplate {
    bool valid = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;
    std::wstring typeface;
    std::vector<TemplateItem> items;
};

// The template `id` of `library` in `language`; valid is false when the
// resource is missing or is not an extended template.
DialogTemplate ReadDialogTemplate(HMODULE library, int id, LANGID language);

#endif
