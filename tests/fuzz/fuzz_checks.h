// Checks of the records the driver hands back.
#ifndef MARTENUI_TESTS_FUZZ_CHECKS_H
#define MARTENUI_TESTS_FUZZ_CHECKS_H

#include <cstddef>

#include "settings/document_settings.h"

// A zero unit (of `unit` bytes) within the field's `bytes`.
bool Terminated(const void* field, size_t bytes, size_t unit);

// What is wrong with the PJL texts the driver writes into a record, or null.
const char* PjlTextsBroken(const DocumentSettings& s);

// What is wrong with a record the driver built from an input (sizes, ranges
// of the public fields, texts), or null.
const char* MergedRecordBroken(const DocumentSettings& s);

#endif
