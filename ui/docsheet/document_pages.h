// The pages of the document sheet, by driver variant.
#ifndef MARTENUI_DOCUMENT_PAGES_H
#define MARTENUI_DOCUMENT_PAGES_H

#include <stdint.h>

#include "sheet/sheet_page.h"

// The four document pages (Paper/Layout, Handling, Quality, Fonts) of a
// driver variant: variant 1 has its own templates, 2 and 3 share theirs.
const PageTableEntry* DocumentPageTable(int32_t driverVariant);

#endif
