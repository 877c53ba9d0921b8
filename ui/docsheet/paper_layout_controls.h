// The controls of the Paper/Layout page, as the page procedure fills and
// reads them. They read the model of the sheet's printer from the facts the
// sheet gathered at its start.
#ifndef MARTENUI_PAPER_LAYOUT_CONTROLS_H
#define MARTENUI_PAPER_LAYOUT_CONTROLS_H

#include <windows.h>
#include <stdint.h>

#include "docsheet/handling_controls.h"
#include "docsheet/handling_page.h"
#include "sheet/sheet_state.h"
#include "profile/model_profile.h"
#include "settings/page_choices.h"

// The controls are loaded as the Handling page's are: kLoadDefaults,
// kLoadFromSettings, or kLoadRefresh after the user changed a control (what
// the user chose stays).

// A paper of the list: its row in availablePapers and its paper code.
struct PaperChoice {
    int row;
    int16_t code;
};

// ---- paper_list.cpp: the paper list, its text and the paper sources.

// The image list of paper icons and one item per paper name of the printer.
struct SheetFacts;
void FillPaperList(HWND page, const SheetFacts& facts);
// The selected paper; false when no item is selected.
bool SelectedPaper(HWND page, PaperChoice* paper);
// Selects the stored paper (or the model's default paper); the first paper
// when none matches.
void LoadPaper(HWND page, const DocumentSettings& settings, const ModelProfile& profile, int mode);
// The paper text: "< " name " : w x l mm >" (or inch).
void ShowPaperText(HWND page, const DocumentSettings& settings);
void LoadSources(HWND page, const SheetState& state, int mode);
// The dmDefaultSource code of the chosen source; false without a choice.
bool ChosenSourceCode(HWND page, int16_t* code);

// ---- layout_area.cpp: orientation, zoom, Magnify and N in 1.

void ShowOrientationPicture(HWND page);
// The N-in-1 area: the radios, the Magnify and Target lists, the Position
// list and the picture.
void LoadLayoutArea(HWND page, SheetState* state, const ModelProfile& profile, int mode);
void RefreshTargetLists(HWND page, SheetState* state, const ModelProfile& profile, int mode);
void RefreshPositions(HWND page, const DocumentSettings& settings, int mode);
void ShowLayoutPicture(HWND page);
void RefreshZoomBox(HWND page, SheetState* state, int mode);
// The layout mode the controls describe.
int LayoutOfControls(HWND page);
// The paper code of the chosen Magnify (1303) or Target (1304) item.
bool ChosenPaperCode(HWND page, int list, int16_t* code);
// pagesPerSheetCode of the N-in-1 radios and the Position choice.
int32_t NUpCode(HWND page);

#endif
