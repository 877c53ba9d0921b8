// The caller's input record, read no further than it declares.
#ifndef MARTENUI_INPUT_RECORD_H
#define MARTENUI_INPUT_RECORD_H

#include <windows.h>
#include <stddef.h>

#include "settings/document_settings.h"

// Copies the first dmSize + dmDriverExtra bytes of `input`, as it declares
// them but never more than a whole record (4088 bytes), into `copy`; the rest
// of `copy` is zero. Returns the bytes copied; 0 without an input.
size_t CopyInputRecord(const DEVMODEW* input, DocumentSettings* copy);

#endif
