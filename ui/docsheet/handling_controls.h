// The Handling page's controls and the settings they show: loading them in
// a mode, the groups that are redone after a change, and writing them back.
// They read the model of the sheet's printer from the facts the sheet gathered.
#ifndef MARTENUI_HANDLING_CONTROLS_H
#define MARTENUI_HANDLING_CONTROLS_H

#include <windows.h>

#include "sheet/control_lists.h"
#include "sheet/sheet_state.h"
#include "profile/model_profile.h"

// One message's view of the page: its window, its sheet, the settings it
// edits and the printer's profile.
struct HandlingPage {
    HWND window;
    SheetState* state;
    DocumentSettings& settings;
    const ModelProfile& profile;
};

// Every control from the settings (kLoadFromSettings, kLoadRefresh) or the
// defaults (kLoadDefaults).
void LoadHandlingControls(const HandlingPage& page, int mode);

// The groups that follow the installed options and the booklet choice.
void LoadSorter(const HandlingPage& page, int mode);
void LoadStapleList(const HandlingPage& page, int mode);
void CheckBooklet(const HandlingPage& page, int mode);
void LoadDuplexGroup(const HandlingPage& page, int mode);

// Shift and Staple only work with the finisher as output tray.
void ApplyFinisherRule(const HandlingPage& page);

// The pictures that follow a choice.
void ShowSorterPicture(HWND window);
void ShowOrderPicture(HWND window);

// The value (item data) of a list's selected entry; 0 for an absent list or
// no selection.
int SelectedValue(HWND window, int list);

// Every control into the settings.
void WriteHandlingControls(const HandlingPage& page);

#endif
