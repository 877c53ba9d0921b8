// What every dialog template of the resource library holds: one row per
// template, one row per control, as the pages and dialogs expect them.
#ifndef MARTENUI_TESTS_TEMPLATE_TABLE_H
#define MARTENUI_TESTS_TEMPLATE_TABLE_H

#include <windows.h>

#include <vector>

enum class Kind {
    Label,          // static text, left aligned
    Note,           // static text inside a radio choice
    CentredLabel,   // static text, centred
    Frame,          // group box
    FirstRadio,     // automatic radio button that starts a choice
    Radio,          // further automatic radio button of the choice
    Check,          // automatic check box
    DropList,       // drop-down list with vertical scroll bar
    Number,         // right-aligned edit of a number
    UpDown,         // up-down that drives the number edit before it
    Password,       // digits-only edit with password echo
    Picture,        // static icon
    Banner,         // static bitmap
    Button,         // push button
    DefaultButton,  // default push button
    PaperIcons,     // list view of paper icons
    FontTable,      // list view of font pairs
    FileList,       // list box of files
};

struct ControlRow {
    int id;
    Kind kind;
    const wchar_t* caption;
    bool hidden = false;
};

struct TemplateRow {
    int id;
    const wchar_t* title;
    short width, height;
    bool page;  // property page, else a modal dialog
    std::vector<ControlRow> controls;
};

const std::vector<TemplateRow>& AllTemplates();

#endif
