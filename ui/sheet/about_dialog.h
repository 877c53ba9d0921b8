// The About dialog that every page opens from its "A&bout..." button: the
// product, its notice, the printer's model, the driver's files with their
// versions and the release date.
#ifndef MARTENUI_ABOUT_DIALOG_H
#define MARTENUI_ABOUT_DIALOG_H

#include <windows.h>

#include "profile/model_profile.h"

constexpr int kAboutCaptionChars = 64;
constexpr int kAboutTextChars = 80;
constexpr int kAboutNoticeLines = 4;
constexpr int kAboutFileChars = 16;

struct AboutData {
    int32_t driverVariant;
    DRIVER_INFO_3W* driverInfo;   // the printer's driver, or null
    WCHAR caption[kAboutCaptionChars];
    WCHAR title[kAboutTextChars];
    WCHAR notice[kAboutNoticeLines][kAboutTextChars];
    WCHAR releaseVariant1[kAboutTextChars];
    WCHAR directory[MAX_PATH];    // the driver's folder, with its last backslash
    WCHAR fileNames[kAboutEntryCount][kAboutFileChars];
    WCHAR versions[kAboutEntryCount][kAboutFileChars];
    WCHAR release[kAboutTextChars];
};

// Opens the dialog modally over `page`, whose user slot holds the sheet's
// SheetState, for its printer; returns when the dialog is closed. Without a
// state or a printer it does nothing. It reads what the sheet gathered.
void ShowAboutDialog(HWND page);

// Fills `data` for a printer of `profile`: the texts, the file list (the
// profile's own when the printer caches it) and the variant. The directory
// comes from `data->driverInfo`, which may be null.
void FillAboutData(const ModelProfile& profile, bool cached, AboutData* data);

// Row `row` (0 to 8) of the file list: the directory, the file name and,
// when there is a version, " : " and the version.
void AboutFileRow(const AboutData& data, int row, WCHAR* text, int capacity);

#endif
