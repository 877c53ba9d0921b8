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
// DrvConvertDevMode requests.
#ifndef CDM_CONVERT
#define CDM_CONVERT 0x01
#define CDM_CONVERT351 0x02
#define CDM_DRIVER_DEFAULT 0x04
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
