#include "docsheet/sheet_model.h"

#include "entry/resource_library.h"

void LoadSheetModel(HANDLE printer, ModelProfile* profile)
{
    LoadModelProfile(printer, profile);
    // Finding the library among the driver's files costs two spooler calls.
    if (!ResourceLibrary())
        LoadResourceLibraryForPrinter(printer);
}

SheetModelScope::SheetModelScope(const SheetState* state)
{
    LoadModelProfile(state ? state->printer : nullptr, &profile_);
}
