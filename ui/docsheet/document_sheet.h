// The document property sheet and the document-settings path without UI.
#ifndef MARTENUI_DOCUMENT_SHEET_H
#define MARTENUI_DOCUMENT_SHEET_H

#include "entry/driver_interface.h"

LONG DocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM param);
LONG DocumentProperties(HWND window, HANDLE printer, WCHAR* deviceName, DEVMODEW* output, DEVMODEW* input,
                        DWORD mode);
LONG AdvancedDocumentProperties(HWND window);

#endif
