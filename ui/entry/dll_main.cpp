#include <windows.h>

// The library-wide state (paper range, model tables, default installed
// options and the default settings template) is built at compile time and so
// is in place, in that order, before the loader calls this routine.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD /*reason*/, LPVOID /*reserved*/)
{
    return TRUE;
}
