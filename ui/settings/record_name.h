// The name a settings record carries: the printer's own, the one the record
// is handed out for.
#ifndef MARTENUI_RECORD_NAME_H
#define MARTENUI_RECORD_NAME_H

#include <windows.h>

#include "settings/document_settings.h"

// Puts the printer's own name into dmDeviceName: the part after the last
// backslash (a server's "\\server\queue" gives "queue"), at most 31 units,
// and zeros to the end of the field. Without a name the field is all zero.
void PutPrinterName(DocumentSettings* settings, const WCHAR* printerName);

// A stored record handed out for the printer `printerName`: PutPrinterName,
// and nothing after the form name's terminator. The spooler keeps both
// names as texts and hands back whatever its heap held after them.
void NameStoredRecord(DocumentSettings* settings, const WCHAR* printerName);

#endif
