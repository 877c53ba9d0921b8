#include "docsheet/document_sheet.h"

namespace {

constexpr LONG kDocumentSettingsSize = 4088;

}  // namespace

LONG DocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM param)
{
    auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info ? info->lParamInit : param);
    if (!header)
        return -1;
    // A caller without a mode or an output record asks for the record size.
    if (header->fMode == 0 || !header->pdmOut) {
        header->cbOut = kDocumentSettingsSize;
        return kDocumentSettingsSize;
    }
    return -1;
}

LONG DocumentProperties(HWND /*window*/, HANDLE printer, WCHAR* deviceName, DEVMODEW* output, DEVMODEW* input,
                        DWORD mode)
{
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof(header);
    header.hPrinter = printer;
    header.pszPrinterName = deviceName;
    header.pdmIn = input;
    header.pdmOut = output;
    header.cbOut = ((mode & DM_IN_BUFFER) && input) ? input->dmSize : sizeof(DEVMODEW);
    header.fMode = mode;
    return DocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header));
}

LONG AdvancedDocumentProperties(HWND window)
{
    MessageBoxW(window, L"Sets private members of DEVMODE", L"DrvAdvancedDocumentProperties", MB_OK);
    return 10;
}
