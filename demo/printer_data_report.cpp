#include "printer_data_report.h"

#include <winspool.h>

#include <cstdio>
#include <vector>

#include "facts/printer_call.h"
#include "printer/font_substitution.h"
#include "printer/margin_table.h"
#include "printer/printer_events.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "report_text.h"
#include "platform/printer_open.h"

namespace {

const char* TypeName(DWORD type)
{
    switch (type) {
    case REG_SZ:
        return "REG_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    default:
        return "other";
    }
}

std::vector<BYTE> Value(HANDLE printer, const WCHAR* name, DWORD* type)
{
    std::vector<BYTE> data(8192);
    DWORD needed = 0;
    if (GetPrinterDataW(printer, const_cast<WCHAR*>(name), type, data.data(), static_cast<DWORD>(data.size()),
                        &needed) != ERROR_SUCCESS)
        return {};
    data.resize(needed);
    return data;
}

void Line(const WCHAR* name, DWORD type, size_t size)
{
    printf("  %-14s %-10s %5zu bytes", Utf8(name).c_str(), TypeName(type), size);
}

}  // namespace

void ReportPrinterData(HANDLE printer)
{
    Heading("Printer data stored by the printer-initialise event");
    DWORD type = 0;

    std::vector<BYTE> umpd = Value(printer, kUmpdValue, &type);
    Line(kUmpdValue, type, umpd.size());
    printf("  \"%s\"\n", umpd.empty() ? "" : Utf8(reinterpret_cast<const WCHAR*>(umpd.data())).c_str());

    std::vector<BYTE> profile = Value(printer, kDriverProfileValue, &type);
    Line(kDriverProfileValue, type, profile.size());
    printf("  the parsed model profile (above)\n");

    std::vector<BYTE> margins = Value(printer, kMarginValue, &type);
    Line(kMarginValue, type, margins.size());
    printf("  %zu records of %zu bytes\n", margins.size() / sizeof(MarginRecord), sizeof(MarginRecord));
    printf("      code  width x length  left  top right bottom  (sizes in 0.1 mm, margins in dots at 600 dpi;\n      \">256\": the codes above 256 share the bit of code 0)\n");
    const auto* records = reinterpret_cast<const MarginRecord*>(margins.data());
    for (size_t i = 0; i < margins.size() / sizeof(MarginRecord); ++i) {
        const MarginRecord& r = records[i];
        int code = -1;
        for (int byte = 0; byte < 32 && code < 0; ++byte) {
            for (int bit = 0; bit < 8; ++bit) {
                if (r.paperBits[byte] & (0x80 >> bit)) {
                    code = byte * 8 + bit;
                    break;
                }
            }
        }
        char codeText[8];
        snprintf(codeText, sizeof(codeText), code > 0 ? "%d" : (r.kind ? ">256" : "-"), code);
        printf("      %4s  %5d x %5d  %5d %4d %5d %6d%s\n", codeText, r.width, r.length, r.left, r.top, r.right,
               r.bottom, r.kind ? "" : "  closing record");
    }

    std::vector<BYTE> fonts = Value(printer, kFontSubsValue, &type);
    Line(kFontSubsValue, type, fonts.size());
    printf("\n");
    const auto* text = reinterpret_cast<const WCHAR*>(fonts.data());
    const WCHAR* end = text + fonts.size() / sizeof(WCHAR);
    while (text < end && *text) {
        const WCHAR* font = text + lstrlenW(text) + 1;
        if (font >= end)
            break;
        printf("      %-28s -> %s\n", Utf8(text).c_str(), Utf8(font).c_str());
        text = font + lstrlenW(font) + 1;
    }

    std::vector<BYTE> options = Value(printer, kDeviceOptionValue, &type);
    Line(kDeviceOptionValue, type, options.size());
    printf("\n");
    if (options.size() == sizeof(DeviceOptionData)) {
        const auto* o = reinterpret_cast<const DeviceOptionData*>(options.data());
        Field("    trayCount", o->trayCount);
        Field("    securityPrint", o->securityPrint);
        Field("    memoryIndex", o->memoryIndex);
        Field("    innerTray", o->innerTray);
        Field("    outerTray", o->outerTray);
        Field("    finisher", o->finisher);
        Field("    duplexUnit", o->duplexUnit);
    }

    HeapBlock info = GetPrinterInfo2(printer);
    if (info && info.as<PRINTER_INFO_2W>()->pDevMode) {
        const DEVMODEW* devMode = info.as<PRINTER_INFO_2W>()->pDevMode;
        printf("  %-14s %-10s %5u bytes  (dmSize %u + dmDriverExtra %u)\n", "device mode", "level 2",
               devMode->dmSize + devMode->dmDriverExtra, devMode->dmSize, devMode->dmDriverExtra);
    }
}
