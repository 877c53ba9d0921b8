// Printers of made-up models: each profile text gets its own driver, with
// the text as its only model profile, installed once per test process.
#ifndef MARTENUI_TESTS_MODEL_PRINTERS_H
#define MARTENUI_TESTS_MODEL_PRINTERS_H

#include <string>

#include "profile/model_profile.h"
#include "support/printer_bench.h"

// The driver whose model profile is `profileText` (see WriteProfileFile).
const DriverPackage& DriverForProfileText(const std::wstring& profileText);

// What every entry point does first: loads the printer's model profile
// (applying it) and the resource library. Returns the profile.
ModelProfile LoadPrinterModel(const BenchPrinter& printer);

#endif
