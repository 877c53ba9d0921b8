#include "docsheet/sheet_model.h"

#include "entry/resource_library.h"

void LoadSheetModel(HANDLE printer, ModelProfile* profile)
{
    LoadModelProfile(printer, profile);
    LoadResourceLibraryForPrinter(printer);
}

SheetModelScope::SheetModelScope(const SheetState* state)
{
    LoadModelProfile(state ? state->printer : nullptr, &profile_);
}
