#include "docsheet/paper_layout_page.h"

#include "docsheet/page_skeleton.h"

namespace {

// Until the page's own handling lands, the skeleton alone serves it.
const PageHandlers kPaperLayoutPage = {.pageIndex = kPagePaperLayout};

}  // namespace

INT_PTR CALLBACK PaperLayoutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kPaperLayoutPage);
}
