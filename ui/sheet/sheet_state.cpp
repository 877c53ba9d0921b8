#include "sheet/sheet_state.h"

namespace {

// The window fields in page-index order.
HWND SheetState::* const kWindowFields[kPageCount] = {
    &SheetState::paperPage,         &SheetState::handlingPage,      &SheetState::qualityPage,
    &SheetState::fontsPage,         &SheetState::deviceOptionsPage, &SheetState::fontSubstitutionPage,
};

}  // namespace

HWND* PageWindowField(SheetState* state, int pageIndex)
{
    if (!state || pageIndex < 0 || pageIndex >= kPageCount)
        return nullptr;
    return &(state->*kWindowFields[pageIndex]);
}

HANDLE ResultPageHandle(const SheetState* state, int pageIndex)
{
    if (!state || pageIndex < 0 || pageIndex >= kPageCount)
        return nullptr;
    return pageIndex < kDocumentPageCount ? state->pageHandles[pageIndex] : state->deviceResultPage;
}

SheetState* PageSheetState(HWND page)
{
    return page ? reinterpret_cast<SheetState*>(GetWindowLongPtrW(page, DWLP_USER)) : nullptr;
}
