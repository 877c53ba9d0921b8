// The model a sheet works with: its printer's profile applied to the
// library-wide model tables, and the resource library loaded.
#ifndef MARTENUI_SHEET_MODEL_H
#define MARTENUI_SHEET_MODEL_H

#include <windows.h>

#include "docsheet/sheet_state.h"
#include "entry/model_lock.h"
#include "entry/printer_access.h"
#include "profile/model_profile.h"

// Fetches the printer's model profile into `call` and loads the resource
// library, without the model lock. The caller then applies the profile
// (ApplyModelProfile) under the lock.
void FetchSheetModel(PrinterCall* call);

// For one page message that reads the model tables: fetches the sheet
// printer's profile, then holds the model lock and brings the library-wide
// model to that profile. Never keep one across a message box, a dialog or
// a message loop.
class SheetModelScope {
public:
    explicit SheetModelScope(const SheetState* state);
    SheetModelScope(const SheetModelScope&) = delete;
    SheetModelScope& operator=(const SheetModelScope&) = delete;

    const ModelProfile& profile() const { return profile_; }

private:
    // In this order: the profile is fetched before the lock is taken.
    ModelProfile profile_;
    ModelLockHolder lock_;
};

#endif
