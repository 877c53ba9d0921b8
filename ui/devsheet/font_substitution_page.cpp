#include "devsheet/font_substitution_page.h"

#include "docsheet/page_skeleton.h"

namespace {

// Until the page's own handling lands, the skeleton alone serves it.
const PageHandlers kFontSubstitutionPage = {.pageIndex = kPageFontSubstitution};

}  // namespace

INT_PTR CALLBACK FontSubstitutionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPageSkeleton(page, message, wParam, lParam, kFontSubstitutionPage);
}
