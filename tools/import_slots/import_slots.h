// Swapping one import slot of a loaded module: the module's calls to one
// function of another library go to a replacement until the swap is undone.
// Tests and benchmarks use it to count, or to hold up, the driver's calls to
// the platform, on the real platform functions.
#ifndef MARTENUI_TOOLS_IMPORT_SLOTS_H
#define MARTENUI_TOOLS_IMPORT_SLOTS_H

#include <windows.h>

class ImportSlot {
public:
    // Points `module`'s slot for `function` (imported by name from `library`,
    // compared without regard to case) at `replacement`.
    ImportSlot(HMODULE module, const char* library, const char* function, void* replacement);
    // Puts the original function back.
    ~ImportSlot();
    ImportSlot(const ImportSlot&) = delete;
    ImportSlot& operator=(const ImportSlot&) = delete;

    // False when the module imports no such function.
    bool swapped() const { return slot_ != nullptr; }
    // The function the slot held before; call it from the replacement.
    void* original() const { return original_; }

    template <typename Function>
    Function Original() const
    {
        return reinterpret_cast<Function>(original_);
    }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

#endif
