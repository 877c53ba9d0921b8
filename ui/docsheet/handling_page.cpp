#include "docsheet/handling_page.h"

#include "docsheet/page_skeleton.h"

namespace {

// Until the page's own handling lands, the skeleton alone serves it.
const PageHandlers kHandlingPage = {.pageIndex = kPageHandling};

}  // namespace

INT_PTR CALLBACK HandlingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kHandlingPage);
}
