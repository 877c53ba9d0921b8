// The document property sheet and the document-settings path without UI:
// the entry points an application reaches for its printer's settings.
#ifndef MARTENUI_DOCUMENT_SHEET_H
#define MARTENUI_DOCUMENT_SHEET_H

#include "platform/driver_interface.h"

// DrvDocumentPropertySheets: the record size, the settings without UI (no
// `info`), and the sheet's INIT, SET_RESULT and DESTROY.
LONG DocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM param);

// DrvDocumentProperties: the same without UI; `window` is not used.
LONG DocumentPropertiesWithoutUi(HWND window, HANDLE printer, WCHAR* deviceName, DEVMODEW* output,
                                 DEVMODEW* input, DWORD mode);

// DrvAdvancedDocumentProperties: a message box; changes nothing.
LONG AdvancedDocumentPropertiesBox(HWND window);

#endif
