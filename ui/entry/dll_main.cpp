#include <windows.h>

#include "entry/resource_library.h"

// The library-wide state (paper range, model tables, default installed
// options and the load-time settings record) is built at compile time and so
// is in place, in that order, before the loader calls this routine.
//
// The spooler loads the module for one call and unloads it again; the
// resource library it loaded goes with it, or every such call would leave
// one more reference behind. At process exit (`reserved` set) the loader
// frees everything itself.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && !reserved)
        FreeResourceLibrary();
    return TRUE;
}
