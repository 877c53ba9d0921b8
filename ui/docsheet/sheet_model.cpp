#include "docsheet/sheet_model.h"

#include "entry/resource_library.h"
#include "profile/model_state.h"

namespace {

ModelProfile FetchProfileOfSheet(const SheetState* state)
{
    PrinterCall call;
    call.printer = state ? state->printer : nullptr;
    return FetchProfile(&call);
}

}  // namespace

void FetchSheetModel(PrinterCall* call)
{
    FetchProfile(call);
    // Finding the library among the driver's files costs two spooler calls.
    LoadResourceLibraryForCall(call);
}

SheetModelScope::SheetModelScope(const SheetState* state) : profile_(FetchProfileOfSheet(state))
{
    ApplyModelProfile(profile_, state ? state->printer : nullptr);
}
