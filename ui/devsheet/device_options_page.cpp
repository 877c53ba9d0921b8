#include "devsheet/device_options_page.h"

#include "docsheet/page_skeleton.h"

namespace {

// Until the page's own handling lands, the skeleton alone serves it.
const PageHandlers kDeviceOptionsPage = {.pageIndex = kPageDeviceOptions};

}  // namespace

INT_PTR CALLBACK DeviceOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kDeviceOptionsPage);
}
