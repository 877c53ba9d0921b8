#include "caps/device_capabilities.h"

#include <stddef.h>

#include "platform/holders.h"
#include "facts/printer_call.h"
#include "platform/resource_library.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "settings/default_settings.h"
#include "settings/document_settings.h"
#include "../resources/resource_ids.h"

namespace {

constexpr DWORD kUnsupported = static_cast<DWORD>(-1);
constexpr DWORD kFieldsCustomSize = DM_PAPERLENGTH | DM_PAPERWIDTH;
constexpr int kPaperNameChars = kPaperNameSlotChars;
constexpr int kBinNameChars = kBinNameSlotChars;
constexpr int kBinNameCopied = 23;   // a bin name keeps at most 22 units

struct UserPaperSize {
    int16_t width;
    int16_t length;
};

// The user-defined size of the printer's current default settings, or of
// the defaults when the printer has no whole record of this driver.
UserPaperSize ReferenceUserSize(PrinterCall* call)
{
    if (const DocumentSettings* settings = FetchPrinterSettings(call))
        return {settings->userPaperWidth, settings->userPaperLength};
    return {kDefaultUserPaperWidth, kDefaultUserPaperLength};
}

// Whether the answer to `index` reads the user-defined size of the
// printer's settings (once the model says the size is offered).
bool NeedsUserSize(WORD index, const void* output)
{
    return (index == DC_PAPERSIZE && output) || index == DC_MINEXTENT || index == DC_MAXEXTENT;
}

int PaperCount(const ModelState& model)
{
    return PapersBeforeUserSize(model) + (UserPaperOffered(model) ? 1 : 0);
}

DWORD PaperCodes(const ModelState& model, void* output)
{
    const int listed = PapersBeforeUserSize(model);
    auto* codes = static_cast<WORD*>(output);
    if (codes) {
        for (int i = 0; i < listed; ++i)
            codes[i] = static_cast<WORD>(model.availablePapers[i].paperCode);
        if (UserPaperOffered(model))
            codes[listed] = static_cast<WORD>(kUserPaperCode);
    }
    return PaperCount(model);
}

DWORD PaperSizes(const ModelState& model, PrinterCall* call, void* output)
{
    const int listed = PapersBeforeUserSize(model);
    auto* sizes = static_cast<POINT*>(output);
    if (sizes) {
        for (int i = 0; i < listed; ++i)
            sizes[i] = {model.availablePapers[i].width, model.availablePapers[i].length};
        if (UserPaperOffered(model)) {
            const UserPaperSize user = ReferenceUserSize(call);
            sizes[listed] = {user.width, user.length};
        }
    }
    return PaperCount(model);
}

DWORD PaperNames(const ModelState& model, void* output)
{
    const int listed = PapersBeforeUserSize(model);
    auto* names = static_cast<WCHAR(*)[kPaperNameChars]>(output);
    if (names) {
        WCHAR text[kPaperNameChars];
        for (int i = 0; i < listed; ++i) {
            LoadResourceString(model.availablePapers[i].nameStringId, text, kPaperNameChars);
            CopyNameField(names[i], text, kPaperNameChars - 1, kPaperNameChars);
        }
        if (UserPaperOffered(model)) {
            LoadResourceString(IDS_PAPER_USER, text, kPaperNameChars);
            CopyNameField(names[listed], text, kPaperNameChars - 1, kPaperNameChars);
        }
    }
    return PaperCount(model);
}

// The smallest (or largest) width and length, each on its own.
DWORD Extent(const ModelState& model, PrinterCall* call, bool largest, void* output)
{
    int16_t width = largest ? 0 : 32767;
    int16_t length = largest ? 0 : 32767;
    auto fold = [&](int16_t w, int16_t l) {
        if (largest ? w > width : w < width)
            width = w;
        if (largest ? l > length : l < length)
            length = l;
    };
    const int listed = PapersBeforeUserSize(model);
    for (int i = 0; i < listed; ++i)
        fold(model.availablePapers[i].width, model.availablePapers[i].length);
    if (UserPaperOffered(model)) {
        const UserPaperSize user = ReferenceUserSize(call);
        fold(user.width, user.length);
    }
    const DWORD widthBits = static_cast<WORD>(width);
    const DWORD lengthBits = static_cast<WORD>(length);
    if (output)
        *static_cast<POINT*>(output) = {static_cast<LONG>(widthBits), static_cast<LONG>(lengthBits)};
    return widthBits | (lengthBits << 16);
}

// The variant's bin list and how many of its rows are in use.
int BinRowsOfPrinter(const ModelState& model, PrinterCall* call, const BinRow** list)
{
    int rows = 0;
    *list = BinListOfModel(model, &rows);
    return BinRowsInUse(model, InstalledTrayCountOf(model, FetchDeviceOptions(call)));
}

DWORD Bins(const ModelState& model, PrinterCall* call, void* output)
{
    const BinRow* list = nullptr;
    const int rows = BinRowsOfPrinter(model, call, &list);
    auto* codes = static_cast<WORD*>(output);
    DWORD count = 0;
    for (int row = 0; row < rows; ++row) {
        if (!list[row].enabled)
            continue;
        if (codes)
            codes[count] = static_cast<WORD>(list[row].binCode);
        ++count;
    }
    return count;
}

DWORD BinNames(const ModelState& model, PrinterCall* call, void* output)
{
    const BinRow* list = nullptr;
    const int rows = BinRowsOfPrinter(model, call, &list);
    auto* names = static_cast<WCHAR(*)[kBinNameChars]>(output);
    DWORD count = 0;
    for (int row = 0; row < rows; ++row) {
        if (!list[row].enabled)
            continue;
        if (names) {
            WCHAR text[kBinNameChars];
            LoadResourceString(list[row].nameStringId, text, kBinNameChars);
            // The slot's last unit always stays zero.
            CopyNameField(names[count], text, kBinNameCopied - 1, kBinNameChars);
        }
        ++count;
    }
    return count;
}

// Installed options that are stored but could not be read are not guessed:
// the answer is the error, with the spooler's reason.
bool OptionsUnreadable(const PrinterCall* call)
{
    if (!call->optionsFailure)
        return false;
    SetLastError(call->optionsFailure);
    return true;
}

DWORD InstalledDuplexUnit(PrinterCall* call)
{
    const DeviceOptionData* options = FetchDeviceOptions(call);
    if (OptionsUnreadable(call))
        return kUnsupported;
    return options ? static_cast<DWORD>(options->duplexUnit) : 0;
}

// The answer from the printer's model; the call record holds every spooler
// answer it reads.
DWORD ComputeModelAnswer(const ModelState& model, PrinterCall* call, WORD index, void* output)
{
    switch (index) {
    case DC_FIELDS:
        return model.driverVariant == 2 ? (kSettingsFields | kFieldsCustomSize) : kSettingsFields;
    case DC_PAPERS:
        return PaperCodes(model, output);
    case DC_PAPERSIZE:
        return PaperSizes(model, call, output);
    case DC_MINEXTENT:
        return Extent(model, call, false, output);
    case DC_MAXEXTENT:
        return Extent(model, call, true, output);
    case DC_BINS:
        return Bins(model, call, output);
    case DC_BINNAMES:
        return BinNames(model, call, output);
    case DC_PAPERNAMES:
        return PaperNames(model, output);
    default:
        return kUnsupported;
    }
}

// Answers that need the printer's model. First everything the answer reads
// from the spooler and the driver's files; then the answer computed from the
// call record alone.
DWORD ModelAnswer(PrinterCall* call, WORD index, void* output)
{
    const ModelState& model = FetchModel(call);
    if (index == DC_BINS || index == DC_BINNAMES) {
        FetchDeviceOptions(call);
        if (OptionsUnreadable(call))
            return kUnsupported;
    }
    // Only a fill shows names: a count loads nothing.
    if ((index == DC_BINNAMES || index == DC_PAPERNAMES) && output)
        LoadResourceLibraryForCall(call);
    // Whether the user size is offered is the model's to say; the printer's
    // settings are fetched only for an answer that shows it.
    if (NeedsUserSize(index, output) && UserPaperOffered(model))
        FetchPrinterInfo(call);
    return ComputeModelAnswer(model, call, index, output);
}

}  // namespace

void CopyNameField(WCHAR* slot, const WCHAR* name, int copied, int slotChars)
{
    int i = 0;
    for (; i < copied && name && name[i]; ++i)
        slot[i] = name[i];
    for (; i < slotChars; ++i)
        slot[i] = 0;
}

DWORD QueryDeviceCapability(HANDLE printer, const WCHAR* deviceName, WORD index, void* output)
{
    PrinterCall call;
    call.printer = printer;
    // Without a handle (the platform's own DeviceCapabilities passes none)
    // the printer is opened by name, only for an answer that reads it.
    if (!printer)
        call.printerName = deviceName;
    switch (index) {
    case DC_FIELDS:
    case DC_PAPERS:
    case DC_PAPERSIZE:
    case DC_MINEXTENT:
    case DC_MAXEXTENT:
    case DC_BINS:
    case DC_BINNAMES:
    case DC_PAPERNAMES:
        return ModelAnswer(&call, index, output);
    case DC_DUPLEX:
        return InstalledDuplexUnit(&call);
    case DC_SIZE:
        return kSettingsHeaderBytes;
    case DC_EXTRA:
        return kSettingsPrivateBytes;
    case DC_VERSION:
        return kSettingsSpecVersion;
    case DC_DRIVER:
        return kSettingsDriverVersion;
    case DC_TRUETYPE:
        return DCTT_DOWNLOAD | DCTT_SUBDEV;
    case DC_ORIENTATION:
        return 90;
    case DC_COPIES:
        return 999;
    case DC_BINADJUST:
        return 256;
    case DC_COLLATE:
        return 1;
    default:   // 0, DC_ENUMRESOLUTIONS, DC_FILEDEPENDENCIES, DC_EMF_COMPLIANT, DC_DATATYPE_PRODUCED, 23 on
        return kUnsupported;
    }
}
