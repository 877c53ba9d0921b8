// The model a sheet works with: its printer's profile applied to the
// library-wide model tables, and the resource library loaded.
#ifndef MARTENUI_SHEET_MODEL_H
#define MARTENUI_SHEET_MODEL_H

#include <windows.h>

#include "docsheet/sheet_state.h"
#include "entry/model_lock.h"
#include "profile/model_profile.h"

// Loads and applies the printer's model profile into `profile` and loads the
// resource library. The caller holds the model lock.
void LoadSheetModel(HANDLE printer, ModelProfile* profile);

// For one page message that reads the model tables: holds the model lock
// and brings the library-wide model to the sheet's printer. Never keep one
// across a message box, a dialog or a message loop.
class SheetModelScope {
public:
    explicit SheetModelScope(const SheetState* state);
    SheetModelScope(const SheetModelScope&) = delete;
    SheetModelScope& operator=(const SheetModelScope&) = delete;

    const ModelProfile& profile() const { return profile_; }

private:
    ModelLockHolder lock_;
    ModelProfile profile_;
};

#endif
