#include "caps/device_capabilities.h"

#include <stddef.h>

#include "entry/holders.h"
#include "entry/model_lock.h"
#include "entry/resource_library.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "settings/paper_name_list.h"
#include "settings/document_settings.h"
#include "../resources/resource_ids.h"

namespace {

constexpr DWORD kUnsupported = static_cast<DWORD>(-1);
constexpr DWORD kFieldsAll = 0xF703;            // the fields every record carries
constexpr DWORD kFieldsCustomSize = 0x000C;     // DM_PAPERLENGTH | DM_PAPERWIDTH
constexpr int kPaperNameChars = kPaperNameSlotChars;
constexpr int kBinNameChars = kBinNameSlotChars;
constexpr int kBinNameCopied = 23;   // a bin name keeps at most 22 units

struct UserPaperSize {
    int16_t width;
    int16_t length;
};

// The user-defined size of the printer's current default settings, or of
// the defaults when the printer has no whole record of this driver.
UserPaperSize ReferenceUserSize(HANDLE printer)
{
    UserPaperSize size = {};
    ReferenceUserPaperSize(printer, &size.width, &size.length);
    return size;
}

bool UserSizeOffered()
{
    const ModelState& model = Model();
    return model.paperTable[model.lastPaperIndex].enabled != 0;
}

// Papers reported before the user-defined size.
int ListedPaperCount()
{
    const ModelState& model = Model();
    int count = UserSizeOffered() ? model.enabledPaperCount - 1 : model.enabledPaperCount;
    if (count < 0)
        count = 0;
    if (count > kPaperKeywordCount)
        count = kPaperKeywordCount;
    return count;
}

int PaperCount()
{
    return ListedPaperCount() + (UserSizeOffered() ? 1 : 0);
}

DWORD PaperCodes(void* output)
{
    const ModelState& model = Model();
    const int listed = ListedPaperCount();
    auto* codes = static_cast<WORD*>(output);
    if (codes) {
        for (int i = 0; i < listed; ++i)
            codes[i] = static_cast<WORD>(model.availablePapers[i].paperCode);
        if (UserSizeOffered())
            codes[listed] = static_cast<WORD>(kUserPaperCode);
    }
    return PaperCount();
}

DWORD PaperSizes(HANDLE printer, void* output)
{
    const ModelState& model = Model();
    const int listed = ListedPaperCount();
    auto* sizes = static_cast<POINT*>(output);
    if (sizes) {
        for (int i = 0; i < listed; ++i)
            sizes[i] = {model.availablePapers[i].width, model.availablePapers[i].length};
        if (UserSizeOffered()) {
            const UserPaperSize user = ReferenceUserSize(printer);
            sizes[listed] = {user.width, user.length};
        }
    }
    return PaperCount();
}

DWORD PaperNames(void* output)
{
    const ModelState& model = Model();
    const int listed = ListedPaperCount();
    auto* names = static_cast<WCHAR(*)[kPaperNameChars]>(output);
    if (names) {
        WCHAR text[kPaperNameChars];
        for (int i = 0; i < listed; ++i) {
            LoadResourceString(model.availablePapers[i].nameStringId, text, kPaperNameChars);
            CopyNameField(names[i], text, kPaperNameChars - 1, kPaperNameChars);
        }
        if (UserSizeOffered()) {
            LoadResourceString(IDS_PAPER_USER, text, kPaperNameChars);
            CopyNameField(names[listed], text, kPaperNameChars - 1, kPaperNameChars);
        }
    }
    return PaperCount();
}

// The smallest (or largest) width and length, each on its own.
DWORD Extent(HANDLE printer, bool largest, void* output)
{
    const ModelState& model = Model();
    int16_t width = largest ? 0 : 32767;
    int16_t length = largest ? 0 : 32767;
    auto fold = [&](int16_t w, int16_t l) {
        if (largest ? w > width : w < width)
            width = w;
        if (largest ? l > length : l < length)
            length = l;
    };
    const int listed = ListedPaperCount();
    for (int i = 0; i < listed; ++i)
        fold(model.availablePapers[i].width, model.availablePapers[i].length);
    if (UserSizeOffered()) {
        const UserPaperSize user = ReferenceUserSize(printer);
        fold(user.width, user.length);
    }
    const DWORD widthBits = static_cast<WORD>(width);
    const DWORD lengthBits = static_cast<WORD>(length);
    if (output)
        *static_cast<POINT*>(output) = {static_cast<LONG>(widthBits), static_cast<LONG>(lengthBits)};
    return widthBits | (lengthBits << 16);
}

// The variant's bin list and how many of its rows are in use.
int BinRowsOfPrinter(HANDLE printer, const BinRow** list)
{
    int rows = 0;
    *list = BinListOfVariant(Model().driverVariant, &rows);
    return BinRowsInUse(InstalledTrayCount(printer));
}

DWORD Bins(HANDLE printer, void* output)
{
    const BinRow* list = nullptr;
    const int rows = BinRowsOfPrinter(printer, &list);
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

DWORD BinNames(HANDLE printer, void* output)
{
    const BinRow* list = nullptr;
    const int rows = BinRowsOfPrinter(printer, &list);
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

DWORD InstalledDuplexUnit(HANDLE printer)
{
    DeviceOptionData options;
    return ReadDeviceOptions(printer, &options) ? static_cast<DWORD>(options.duplexUnit) : 0;
}

// Answers that need the printer's model.
DWORD ModelAnswer(HANDLE printer, WORD index, void* output)
{
    ModelLockHolder lock;
    ModelProfile profile;
    LoadModelProfile(printer, &profile);
    switch (index) {
    case DC_FIELDS:
        return Model().driverVariant == 2 ? (kFieldsAll | kFieldsCustomSize) : kFieldsAll;
    case DC_PAPERS:
        return PaperCodes(output);
    case DC_PAPERSIZE:
        return PaperSizes(printer, output);
    case DC_MINEXTENT:
        return Extent(printer, false, output);
    case DC_MAXEXTENT:
        return Extent(printer, true, output);
    case DC_BINS:
        return Bins(printer, output);
    case DC_BINNAMES:
        LoadResourceLibraryForPrinter(printer);
        return BinNames(printer, output);
    case DC_PAPERNAMES:
        LoadResourceLibraryForPrinter(printer);
        return PaperNames(output);
    default:
        return kUnsupported;
    }
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

DWORD QueryDeviceCapability(HANDLE printer, WORD index, void* output)
{
    switch (index) {
    case DC_FIELDS:
    case DC_PAPERS:
    case DC_PAPERSIZE:
    case DC_MINEXTENT:
    case DC_MAXEXTENT:
    case DC_BINS:
    case DC_BINNAMES:
    case DC_PAPERNAMES:
        return ModelAnswer(printer, index, output);
    case DC_DUPLEX:
        return InstalledDuplexUnit(printer);
    case DC_SIZE:
        return kSettingsHeaderBytes;
    case DC_EXTRA:
        return kSettingsPrivateBytes;
    case DC_VERSION:
        return 0x0401;
    case DC_DRIVER:
        return 0x080F;
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
