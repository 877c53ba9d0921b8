#include "settings/convert_devmode.h"

#include "platform/holders.h"
#include "platform/printer_open.h"
#include "settings/document_settings.h"
#include "settings/printer_settings_store.h"
#include "settings/record_name.h"
#include "settings/user_settings_store.h"

BOOL ConvertDevMode(const WCHAR* printerName, const DEVMODEW* /*input*/, DEVMODEW* output, LONG* size,
                    DWORD /*mode*/)
{
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!output) {
        *size = kSettingsBytes;
        return FALSE;
    }
    if (*size < static_cast<LONG>(kSettingsBytes)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }

    UniquePrinter printer(printerName ? OpenPrinterFull(printerName) : nullptr);
    HeapBlock info;
    if (printer) {
        // A printer whose settings exist but cannot be read does not hand
        // out the user's copy in their place.
        SetLastError(ERROR_SUCCESS);
        info = GetPrinterInfo2(printer.get());
        if (!info) {
            const DWORD error = GetLastError();
            SetLastError(error ? error : ERROR_NOT_ENOUGH_MEMORY);
            return FALSE;
        }
    }
    BYTE* record = reinterpret_cast<BYTE*>(output);
    const bool read = (info && CopyPrinterSettings(info, record, record + kSettingsHeaderBytes)) ||
                      (printerName && ReadUserSettings(printerName, record));
    if (!read)
        return FALSE;
    // The record names this printer whatever it was stored with, and
    // carries nothing of the spooler's heap after its names.
    NameStoredRecord(reinterpret_cast<DocumentSettings*>(output), printerName);
    return TRUE;
}
