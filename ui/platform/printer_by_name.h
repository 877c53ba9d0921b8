// A printer handle for one call. Callers that give only a device name (the
// platform's DocumentPropertiesW and DeviceCapabilitiesW do, with a null
// handle) get the answers of the named printer: it is opened by name with
// read access for the call and closed again when the holder goes.
#ifndef MARTENUI_PRINTER_BY_NAME_H
#define MARTENUI_PRINTER_BY_NAME_H

#include <windows.h>

#include "platform/holders.h"
#include "platform/printer_open.h"

class PrinterForCall {
public:
    // `given` when there is one, else the printer named `name`, if any.
    PrinterForCall(HANDLE given, const WCHAR* name);
    PrinterForCall(const PrinterForCall&) = delete;
    PrinterForCall& operator=(const PrinterForCall&) = delete;

    HANDLE get() const { return given_ ? given_ : opened_.get(); }
    // Hands a handle opened here to the caller, who closes it.
    HANDLE release() { return given_ ? given_ : opened_.release(); }

private:
    HANDLE given_;
    UniquePrinter opened_;
};

#endif
