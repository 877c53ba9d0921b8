/* The resource library holds no state and runs no code of its own. */
#include <windows.h>

BOOL WINAPI ResourceLibraryEntry(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
