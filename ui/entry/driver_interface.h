// Printer-driver user-interface declarations that the toolchain's headers
// leave out, laid out as the platform defines them.
#ifndef MARTENUI_DRIVER_INTERFACE_H
#define MARTENUI_DRIVER_INTERFACE_H

#include <windows.h>
#include <winspool.h>
#include <compstui.h>
#include <winddiui.h>

#ifndef DM_NOPERMISSION
#define DM_NOPERMISSION 0x0020
#endif
#ifndef DPS_NOPERMISSION
#define DPS_NOPERMISSION 0x0001
#endif

typedef struct _DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
} DOCUMENTPROPERTYHEADER, *PDOCUMENTPROPERTYHEADER;

typedef struct _DEVICEPROPERTYHEADER {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
} DEVICEPROPERTYHEADER, *PDEVICEPROPERTYHEADER;

typedef struct _DEVQUERYPRINT_INFO {
    WORD cbSize;
    WORD Level;
    HANDLE hPrinter;
    DEVMODEW* pDevMode;
    LPWSTR pszErrorStr;
    DWORD cchErrorStr;
    DWORD cchNeeded;
} DEVQUERYPRINT_INFO, *PDEVQUERYPRINT_INFO;

#endif
