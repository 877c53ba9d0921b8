#include "docsheet/document_pages.h"

#include "docsheet/fonts_page.h"
#include "docsheet/handling_page.h"
#include "docsheet/paper_layout_page.h"
#include "docsheet/quality_page.h"
#include "sheet/sheet_state.h"
#include "../resources/resource_ids.h"

namespace {

// Both templates of a page are served by its one procedure.
const PageTableEntry kDocumentPagesVariant1[kDocumentPageCount] = {
    {1, IDD_PAPER_LAYOUT_V1, IDS_TITLE_PAPER_LAYOUT, PaperLayoutPageProc},
    {1, IDD_HANDLING_V1, IDS_TITLE_HANDLING, HandlingPageProc},
    {1, IDD_QUALITY_V1, IDS_TITLE_QUALITY, QualityPageProc},
    {1, IDD_FONTS_V1, IDS_TITLE_FONTS, FontsPageProc},
};

const PageTableEntry kDocumentPages[kDocumentPageCount] = {
    {1, IDD_PAPER_LAYOUT, IDS_TITLE_PAPER_LAYOUT, PaperLayoutPageProc},
    {1, IDD_HANDLING, IDS_TITLE_HANDLING, HandlingPageProc},
    {1, IDD_QUALITY, IDS_TITLE_QUALITY, QualityPageProc},
    {1, IDD_FONTS, IDS_TITLE_FONTS, FontsPageProc},
};

}  // namespace

const PageTableEntry* DocumentPageTable(int32_t driverVariant)
{
    return driverVariant == 1 ? kDocumentPagesVariant1 : kDocumentPages;
}
