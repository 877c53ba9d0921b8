#include "devsheet/device_pages.h"

#include "devsheet/device_options_page.h"
#include "devsheet/font_substitution_page.h"
#include "sheet/sheet_state.h"
#include "../resources/resource_ids.h"

namespace {

const PageTableEntry kDevicePagesVariant1[kDevicePageCount] = {
    {1, IDD_DEVICE_OPTIONS_V1, IDS_TITLE_DEVICE_OPTIONS, DeviceOptionsPageProc},
    {1, IDD_FONT_SUBSTITUTION_V1, IDS_TITLE_FONT_SUBSTITUTION, FontSubstitutionPageProc},
};

const PageTableEntry kDevicePages[kDevicePageCount] = {
    {1, IDD_DEVICE_OPTIONS, IDS_TITLE_DEVICE_OPTIONS, DeviceOptionsPageProc},
    {1, IDD_FONT_SUBSTITUTION, IDS_TITLE_FONT_SUBSTITUTION, FontSubstitutionPageProc},
};

}  // namespace

const PageTableEntry* DevicePageTable(int32_t driverVariant)
{
    return driverVariant == 1 ? kDevicePagesVariant1 : kDevicePages;
}
