#include "settings/record_name.h"

#include "platform/driver_files.h"

void PutPrinterName(DocumentSettings* settings, const WCHAR* printerName)
{
    ZeroMemory(settings->dmDeviceName, sizeof(settings->dmDeviceName));
    if (printerName && printerName[0])
        BoundedCopy(settings->dmDeviceName, FileNamePart(printerName), kDeviceNameChars);
}

void NameStoredRecord(DocumentSettings* settings, const WCHAR* printerName)
{
    PutPrinterName(settings, printerName);
    int unit = 0;
    while (unit < kFormNameChars && settings->dmFormName[unit])
        ++unit;
    for (; unit < kFormNameChars; ++unit)
        settings->dmFormName[unit] = 0;
}
