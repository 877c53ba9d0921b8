#include "sheet/sheet_model.h"

#include <new>
#include <utility>

#include "platform/resource_library.h"
#include "printer/font_substitution.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/paper_name_list.h"

namespace {

const WCHAR kOverlayValue[] = L"Overlay";

// The page's lParam stays the SheetState: the facts follow it in one block.
struct SheetBlock {
    SheetState state;
    SheetFacts facts;
};
// The holders among the facts make the block non-standard-layout, but it has
// no base and no virtual member: its first member starts it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(SheetBlock, state) == 0, "a page's lParam is the block's start");
#pragma GCC diagnostic pop

void ReadOverlayNames(HANDLE printer, SheetFacts* facts)
{
    DWORD type = 0;
    DWORD needed = 0;
    facts->overlaysStored = printer && GetPrinterDataW(printer, const_cast<WCHAR*>(kOverlayValue), &type,
                                                       reinterpret_cast<BYTE*>(facts->overlayNames),
                                                       sizeof(facts->overlayNames), &needed) == ERROR_SUCCESS;
}

}  // namespace

SheetState* GatherSheet(PrinterCall* call, bool deviceSheet)
{
    // From the process heap, built in place: the language's allocation
    // reports a failure by throwing, which the library never does.
    void* memory = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SheetBlock));
    if (!memory)
        return nullptr;
    auto* block = ::new (memory) SheetBlock();
    SheetFacts& facts = block->facts;
    HANDLE printer = CallPrinter(call);
    facts.profile = FetchProfile(call);
    facts.profileCached = call->profileCached;
    facts.model = FetchModel(call);
    if (printer) {
        // The library is found among the driver's files, which the About
        // dialog and the help read too: one fetch serves all three.
        HoldResourceLibraryForCall(call, &facts.library);
        if (const DeviceOptionData* options = FetchDeviceOptions(call)) {
            facts.optionsRead = true;
            facts.options = *options;
        }
        facts.optionsFailure = call->optionsFailure;
        if (deviceSheet)
            facts.fontSubs = ReadFontSubs(printer, &facts.fontSubsFailure);
        else
            ReadOverlayNames(printer, &facts);
        facts.driverInfo = std::move(FetchDriverInfo(call));
        call->driverFetched = false;
    }
    facts.userPaperWidth = kDefaultUserPaperWidth;
    facts.userPaperLength = kDefaultUserPaperLength;
    if (!deviceSheet)
        ReferenceUserPaperSize(call, &facts.userPaperWidth, &facts.userPaperLength);
    return &block->state;
}

const SheetFacts& SheetFactsOf(const SheetState* state)
{
    return reinterpret_cast<const SheetBlock*>(state)->facts;
}

SheetFacts& MutableSheetFactsOf(SheetState* state)
{
    return reinterpret_cast<SheetBlock*>(state)->facts;
}

const ModelState& PageModel(HWND page)
{
    const SheetState* state = PageSheetState(page);
    return state ? SheetFactsOf(state).model : LoadTimeModel();
}

void FreeSheet(SheetState* state)
{
    if (!state)
        return;
    auto* block = reinterpret_cast<SheetBlock*>(state);
    block->~SheetBlock();
    HeapFree(GetProcessHeap(), 0, block);
}
