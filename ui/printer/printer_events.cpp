#include "printer/printer_events.h"

#include <winspool.h>
#include <winddiui.h>

#include "entry/driver_files.h"
#include "entry/holders.h"
#include "entry/model_lock.h"
#include "entry/printer_access.h"
#include "entry/resource_library.h"
#include "printer/font_substitution.h"
#include "printer/margin_table.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/document_settings.h"
#include "settings/finalize_settings.h"

const WCHAR kUmpdValue[] = L"Umpd";

namespace {

constexpr DWORD kComputerNameChars = 125;

// The printer's own name: without "\\<this computer>\" in front and cut at
// the first ",Local".
void LocalPrinterName(const WCHAR* received, WCHAR* local, int capacity)
{
    WCHAR prefix[kComputerNameChars + 4] = L"\\\\";
    DWORD size = kComputerNameChars;
    if (GetComputerNameW(prefix + 2, &size))
        lstrcatW(prefix, L"\\");
    else
        prefix[0] = 0;

    const int prefixLength = TextLength(prefix);
    const WCHAR* name = received;
    if (prefixLength > 2 && wcsncmp(received, prefix, prefixLength) == 0)
        name = received + prefixLength;
    BoundedCopy(local, name, capacity);
    if (WCHAR* suffix = wcsstr(local, L",Local"))
        *suffix = 0;
}

DWORD SetBinaryData(HANDLE printer, const WCHAR* value, const void* data, DWORD size)
{
    return SetPrinterDataW(printer, const_cast<WCHAR*>(value), REG_BINARY,
                           static_cast<BYTE*>(const_cast<void*>(data)), size);
}

// Records the rendering module's file name; false when the spooler refuses.
bool WriteRenderModuleName(HANDLE printer)
{
    WCHAR path[kDriverPathChars];
    FindDriverFile(printer, kRenderModuleFragment, path);
    const WCHAR* name = FileNamePart(path);
    const DWORD bytes = static_cast<DWORD>(TextLength(name) + 1) * sizeof(WCHAR);
    return SetPrinterDataW(printer, const_cast<WCHAR*>(kUmpdValue), REG_SZ,
                           reinterpret_cast<BYTE*>(const_cast<WCHAR*>(name)), bytes) == ERROR_SUCCESS;
}

void WriteDefaultSettings(HANDLE printer, const WCHAR* localName, const ModelProfile& profile)
{
    BuildDefaultSettings(localName);
    ApplyProfileColourOptions(&profile);
    DocumentSettings settings = DefaultTemplate();
    FinalizeForPrinting(&settings, sizeof(settings), printer);
    WritePrinterSettings(printer, &settings);
}

void WriteMargins(HANDLE printer)
{
    MarginRecord table[kMarginTableSlots] = {};
    const int records = BuildMarginTable(table);
    SetBinaryData(printer, kMarginValue, table, static_cast<DWORD>(records * sizeof(MarginRecord)));
}

void WriteDefaultFontSubs(HANDLE printer)
{
    const DWORD size = BuildDefaultFontSubs(nullptr);
    if (size == 0)
        return;
    HeapBlock table(size);
    if (!table)
        return;
    const DWORD built = BuildDefaultFontSubs(table.as<WCHAR>());
    if (built != 0 && built <= size)
        SetBinaryData(printer, kFontSubsValue, table.get(), built);
}

BOOL PreparePrinter(const WCHAR* received, bool initialize)
{
    WCHAR localName[MAX_PATH];
    LocalPrinterName(received, localName, MAX_PATH);

    ModelLockHolder lock;
    UniquePrinter printer(OpenPrinterFull(initialize ? localName : received));
    if (!printer)
        return FALSE;
    if (!WriteRenderModuleName(printer.get()))
        return FALSE;

    WCHAR path[kDriverPathChars];
    FindDriverFile(printer.get(), kProfileFragment, path);
    ModelProfile profile;
    ReadModelProfile(path, &profile);
    ApplyModelProfile(profile, printer.get());
    SetBinaryData(printer.get(), kDriverProfileValue, &profile, sizeof(profile));

    LoadResourceLibraryForPrinter(printer.get());
    if (profile.paperDefault == 0)
        Model().paperDefault = 1;

    WriteDefaultSettings(printer.get(), localName, profile);
    WriteMargins(printer.get());
    WriteDefaultFontSubs(printer.get());
    SetBinaryData(printer.get(), kDeviceOptionValue, &DefaultDeviceOptions(), sizeof(DeviceOptionData));

    FreeResourceLibrary();
    return TRUE;
}

}  // namespace

BOOL HandlePrinterEvent(const WCHAR* printerName, int event)
{
    if (event != PRINTER_EVENT_INITIALIZE && event != PRINTER_EVENT_ADD_CONNECTION)
        return TRUE;
    if (!printerName)
        return FALSE;
    return PreparePrinter(printerName, event == PRINTER_EVENT_INITIALIZE);
}
