#include <windows.h>

#include "platform/library_lock.h"
#include "platform/resource_library.h"

// The constant load-time tables (the papers, the model before any profile,
// the load-time settings record) are built at compile time and so are in
// place before the loader calls this routine. What the library shares
// between calls and threads is only:
// - the loaded resource library, with the icons it handed out;
// - the remembered profile versions of the printers it served;
// - the list of open dialogs whose controls are remembered (each block is
//   the dialog's own, freed when the dialog goes);
// - the Paper/Layout page's last changed control;
// - one slot of the platform's thread storage that counts the locks a
//   thread holds.
// Nothing is kept per thread: the compiler's thread storage and exceptions
// would each take a slot per load that no unload gives back.
//
// The spooler loads the module for one call and unloads it again; the
// resource library it loaded goes with it, or every such call would leave
// one more reference behind, and so does the thread storage slot. At
// process exit (`reserved` set) the loader frees everything itself.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && !reserved) {
        FreeResourceLibrary();
        ReleaseLibraryLockCounts();
    }
    return TRUE;
}
