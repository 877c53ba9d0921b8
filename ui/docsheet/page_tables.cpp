#include "docsheet/page_tables.h"

#include "devsheet/device_options_page.h"
#include "devsheet/font_substitution_page.h"
#include "docsheet/fonts_page.h"
#include "docsheet/handling_page.h"
#include "docsheet/paper_layout_page.h"
#include "docsheet/quality_page.h"
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

const PageTableEntry kDevicePagesVariant1[kDevicePageCount] = {
    {1, IDD_DEVICE_OPTIONS_V1, IDS_TITLE_DEVICE_OPTIONS, DeviceOptionsPageProc},
    {1, IDD_FONT_SUBSTITUTION_V1, IDS_TITLE_FONT_SUBSTITUTION, FontSubstitutionPageProc},
};

const PageTableEntry kDevicePages[kDevicePageCount] = {
    {1, IDD_DEVICE_OPTIONS, IDS_TITLE_DEVICE_OPTIONS, DeviceOptionsPageProc},
    {1, IDD_FONT_SUBSTITUTION, IDS_TITLE_FONT_SUBSTITUTION, FontSubstitutionPageProc},
};

}  // namespace

const PageTableEntry* DocumentPageTable(int32_t driverVariant)
{
    return driverVariant == 1 ? kDocumentPagesVariant1 : kDocumentPages;
}

const PageTableEntry* DevicePageTable(int32_t driverVariant)
{
    return driverVariant == 1 ? kDevicePagesVariant1 : kDevicePages;
}
