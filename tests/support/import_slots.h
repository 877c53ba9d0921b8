// Taking a platform function's place in an installed module's imports, so a
// test can watch (or answer) the calls the module makes to it.
#ifndef MARTENUI_TESTS_IMPORT_SLOTS_H
#define MARTENUI_TESTS_IMPORT_SLOTS_H

#include <windows.h>

// Points the module's import of `dll`!`name` at `replacement`; returns what
// the slot held, or null when the module does not import it.
void* ReplaceImport(HMODULE module, const char* dll, const char* name, void* replacement);

// Holds `replacement` in the slot for its lifetime and puts the original back.
class ImportSwap {
public:
    ImportSwap(HMODULE module, const char* dll, const char* name, void* replacement);
    ~ImportSwap();
    ImportSwap(const ImportSwap&) = delete;
    ImportSwap& operator=(const ImportSwap&) = delete;

    // The function the slot held: null when the module does not import it.
    void* original() const { return original_; }

private:
    HMODULE module_;
    const char* dll_;
    const char* name_;
    void* original_;
};

#endif
