#include <windows.h>

#include "platform/resource_library.h"

// The constant load-time tables (the papers, the model before any profile,
// the load-time settings record) are built at compile time and so are in
// place before the loader calls this routine; nothing else is shared but the
// resource library handle and the remembered profile versions.
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
