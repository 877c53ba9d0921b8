#include "printer/printer_events.h"

#include <winspool.h>
#include <winddiui.h>

#include "platform/driver_files.h"
#include "platform/holders.h"
#include "facts/printer_call.h"
#include "platform/resource_library.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "job/profile_version_cache.h"
#include "printer/font_substitution.h"
#include "printer/margin_table.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "settings/default_settings.h"
#include "settings/document_settings.h"
#include "settings/finalize_settings.h"
#include "settings/printer_settings_store.h"
#include "platform/printer_open.h"

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

bool SetBinaryData(HANDLE printer, const WCHAR* value, const void* data, DWORD size)
{
    return SetPrinterDataW(printer, const_cast<WCHAR*>(value), REG_BINARY,
                           static_cast<BYTE*>(const_cast<void*>(data)), size) == ERROR_SUCCESS;
}

// Records the rendering module's file name; false when the spooler refuses.
bool WriteRenderModuleName(PrinterCall* call)
{
    WCHAR path[kDriverPathChars];
    FindCallDriverFile(call, kRenderModuleFragment, path);
    const WCHAR* name = FileNamePart(path);
    const DWORD bytes = static_cast<DWORD>(TextLength(name) + 1) * sizeof(WCHAR);
    return SetPrinterDataW(call->printer, const_cast<WCHAR*>(kUmpdValue), REG_SZ,
                           reinterpret_cast<BYTE*>(const_cast<WCHAR*>(name)), bytes) == ERROR_SUCCESS;
}

bool WriteMargins(HANDLE printer)
{
    MarginRecord table[kMarginTableSlots] = {};
    const int records = BuildMarginTable(table);
    return SetBinaryData(printer, kMarginValue, table, static_cast<DWORD>(records * sizeof(MarginRecord)));
}

bool WriteDefaultFontSubs(HANDLE printer)
{
    const DWORD size = BuildDefaultFontSubs(nullptr, 0);
    HeapBlock table(size);
    if (!table)
        return false;
    // The strings may change between the passes: only a table built whole
    // within the block is stored.
    return BuildDefaultFontSubs(table.as<WCHAR>(), size) == size &&
           SetBinaryData(printer, kFontSubsValue, table.get(), size);
}

// The printer's default settings, margins, font substitutes and installed
// options; false at the first that cannot be stored.
bool WritePrinterDefaults(PrinterCall* call, const WCHAR* localName)
{
    PjlJobFacts noPrinter;
    GatherPjlJobFacts(nullptr, &noPrinter);
    PjlJobFacts withPrinter;
    GatherPjlJobFacts(call, &withPrinter);
    const ModelState& model = FetchModel(call);
    DocumentSettings settings;
    BuildDefaultSettings(model, localName, &call->profile, noPrinter, &settings);
    FinalizeForPrinting(model, &settings, sizeof(settings), withPrinter);
    const DeviceOptionData options = DefaultDeviceOptions(model);
    HANDLE printer = call->printer;
    return WritePrinterSettings(printer, &settings) && WriteMargins(printer) && WriteDefaultFontSubs(printer) &&
           SetBinaryData(printer, kDeviceOptionValue, &options, sizeof(options));
}

BOOL PreparePrinter(const WCHAR* received, bool initialize)
{
    WCHAR localName[MAX_PATH];
    LocalPrinterName(received, localName, MAX_PATH);

    // Every spooler call, file read and library load comes first; the model
    // and the defaults are then built from what was read.
    UniquePrinter printer(OpenPrinterFull(initialize ? localName : received));
    if (!printer)
        return FALSE;
    PrinterCall call;
    call.printer = printer.get();
    // The driver's files name everything below: a printer whose files
    // cannot be listed is not prepared at all.
    if (!FetchDriverInfo(&call))
        return FALSE;
    if (!WriteRenderModuleName(&call))
        return FALSE;

    WCHAR path[kDriverPathChars];
    const bool profileFound = FindCallDriverFile(&call, kProfileFragment, path) != 0;
    ModelProfile& profile = call.profile;
    ReadModelProfile(path, &profile);
    call.profileFetched = true;
    // Only a parsed profile is cached: every later entry would take the
    // cache for the model's own.
    if (profileFound && !SetBinaryData(printer.get(), kDriverProfileValue, &profile, sizeof(profile)))
        return FALSE;
    LoadResourceLibraryForCall(&call);
    const bool stored = WritePrinterDefaults(&call, localName);
    FreeResourceLibrary();
    return stored ? TRUE : FALSE;
}

}  // namespace

BOOL HandlePrinterEvent(const WCHAR* printerName, int event)
{
    // Any event may come with new driver files for the printer.
    ForgetProfileVersions();
    if (event != PRINTER_EVENT_INITIALIZE && event != PRINTER_EVENT_ADD_CONNECTION)
        return TRUE;
    if (!printerName)
        return FALSE;
    return PreparePrinter(printerName, event == PRINTER_EVENT_INITIALIZE);
}
