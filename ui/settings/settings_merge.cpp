#include "settings/settings_merge.h"

#include "platform/holders.h"
#include "facts/printer_call.h"
#include "job/pjl_header.h"
#include "profile/device_options.h"
#include "profile/model_state.h"
#include "profile/paper_lookups.h"
#include "settings/default_settings.h"

namespace {

// The header fields that say what a record is, read from any alignment.
struct RecordSizes {
    WORD specVersion;
    WORD driverVersion;
    WORD size;
    WORD driverExtra;
};
static_assert(sizeof(RecordSizes) == 8, "dmSpecVersion .. dmDriverExtra");
constexpr size_t kSizesOffset = offsetof(DocumentSettings, dmSpecVersion);
static_assert(kSizesOffset + sizeof(RecordSizes) == kDeviceModeSizeFieldsEnd, "size fields end the first 72 bytes");

bool HoldsSizeFields(const void* record, size_t recordBytes)
{
    return record && recordBytes >= kDeviceModeSizeFieldsEnd;
}

RecordSizes SizesOf(const void* record)
{
    RecordSizes sizes;
    CopyMemory(&sizes, static_cast<const BYTE*>(record) + kSizesOffset, sizeof(sizes));
    return sizes;
}

// A record whose own sizes fit the bytes given for it.
bool FitsItsBytes(const void* record, size_t recordBytes)
{
    if (!HoldsSizeFields(record, recordBytes))
        return false;
    const RecordSizes sizes = SizesOf(record);
    return sizes.size >= kDeviceModeSizeFieldsEnd &&
           static_cast<size_t>(sizes.size) + sizes.driverExtra <= recordBytes;
}

WORD UsableVersion(const void* record, size_t recordBytes)
{
    return FitsItsBytes(record, recordBytes) ? SettingsVersionFromSize(record, recordBytes) : 0;
}

// A private part taken from outside may carry texts without terminators.
void TerminateTexts(DocumentSettings* s)
{
    s->fixedPitchDeviceFont[kDeviceFontChars - 1] = 0;
    s->proportionalDeviceFont[kDeviceFontChars - 1] = 0;
    s->renderTextLong[kRenderTextLongChars - 1] = 0;
    s->renderTextShort[kRenderTextShortChars - 1] = 0;
    s->jobIdentification[kJobIdentificationBytes - 1] = 0;
    s->pjlHeader[kPjlHeaderBytes - 1] = 0;
    s->pjlTrailer[kPjlTrailerBytes - 1] = 0;
}

// Without a printer every tray of the model counts; a printer without a
// readable options record has the model's default trays.
int32_t TraysForBinCheck(const ModelState& model, const PrinterCall* call)
{
    if (!call)
        return model.maxTrayCount;
    return call->optionsRead ? call->options.trayCount : model.defaultTrayCount;
}

bool IsBinInUse(const ModelState& model, int16_t binCode, const PrinterCall* call)
{
    int rows = 0;
    const BinRow* bins = BinListOfModel(model, &rows);
    const int inUse = BinRowsInUse(model, TraysForBinCheck(model, call));
    for (int row = 0; row < inUse; ++row) {
        if (bins[row].enabled && bins[row].binCode == binCode)
            return true;
    }
    return false;
}

}  // namespace

WORD SettingsVersionFromSize(const void* record, size_t recordBytes)
{
    if (!HoldsSizeFields(record, recordBytes))
        return 0;
    const RecordSizes sizes = SizesOf(record);
    switch (sizes.size) {
    case 188: return 0x0320;
    case 212: return 0x0400;
    case 220: return kSettingsSpecVersion;
    default: return sizes.specVersion;
    }
}

size_t ClaimedRecordBytes(const DEVMODEW* record)
{
    if (!record)
        return 0;
    return static_cast<size_t>(record->dmSize) + record->dmDriverExtra;
}

int ConvertSettings(const void* source, size_t sourceBytes, void* destination, size_t destinationBytes)
{
    // 1. Both records must be usable.
    const WORD sourceVersion = UsableVersion(source, sourceBytes);
    const WORD destinationVersion = UsableVersion(destination, destinationBytes);
    if (sourceVersion == 0 || destinationVersion == 0)
        return -1;

    // 2. to 4. The header, as far as both records have it.
    const RecordSizes from = SizesOf(source);
    const RecordSizes to = SizesOf(destination);
    const BYTE* in = static_cast<const BYTE*>(source);
    BYTE* out = static_cast<BYTE*>(destination);
    const size_t headerBytes = from.size < to.size ? from.size : to.size;
    MoveMemory(out, in, headerBytes);
    RecordSizes kept = to;
    kept.specVersion = destinationVersion;
    CopyMemory(out + kSizesOffset, &kept, sizeof(kept));

    // 5. The private part, as far as both records have it.
    const size_t privateBytes = from.driverExtra < to.driverExtra ? from.driverExtra : to.driverExtra;
    MoveMemory(out + to.size, in + from.size, privateBytes);

    // 6. The bytes taken over.
    return static_cast<int>(headerBytes + privateBytes);
}

int MergeSettings(const ModelState& model, DocumentSettings* output, const void* input, size_t inputBytes,
                      const PrinterCall* call, const WCHAR* printerName, const ModelProfile* profile,
                      const PjlJobFacts& noPrinter)
{
    // 1. Without input there is nothing to merge.
    if (!input)
        return 1;
    if (!output)
        return 0;

    // 2. to 4. The incoming record, converted into a work copy of the
    // defaults before the output is written: callers may pass one record as
    // both. Every test below reads the work copy, never the input.
    // The defaults and the work copy are this call's own.
    HeapBlock block(2 * sizeof(DocumentSettings));
    if (!block)
        return -1;
    DocumentSettings& defaults = block.as<DocumentSettings>()[0];
    DocumentSettings& work = block.as<DocumentSettings>()[1];
    BuildDefaultSettings(model, printerName, profile, noPrinter, &defaults);
    work = defaults;
    const bool ownPrivatePart =
        HoldsSizeFields(input, inputBytes) && SizesOf(input).driverExtra == kSettingsPrivateBytes;
    const int converted = ConvertSettings(input, inputBytes, &work, sizeof(work));
    *output = defaults;
    if (converted <= 0)
        return 0;
    // The incoming custom size counts only with both of its bits and sizes.
    DWORD mask = defaults.dmFields;
    const DWORD customSize = DM_PAPERLENGTH | DM_PAPERWIDTH;
    if ((work.dmFields & customSize) == customSize && work.dmPaperLength > 0 && work.dmPaperWidth > 0)
        mask |= customSize;
    work.dmFields = mask;

    DocumentSettings& s = *output;
    // 5. A paper source among the bins in use.
    if (mask & DM_DEFAULTSOURCE) {
        if (IsBinInUse(model, work.dmDefaultSource, call))
            s.dmDefaultSource = work.dmDefaultSource;
        s.dmFields |= DM_DEFAULTSOURCE;
    }
    // 6. Portrait or landscape; anything else is portrait.
    if (mask & DM_ORIENTATION) {
        s.dmFields |= DM_ORIENTATION;
        const bool valid = work.dmOrientation == DMORIENT_PORTRAIT || work.dmOrientation == DMORIENT_LANDSCAPE;
        s.dmOrientation = valid ? work.dmOrientation : DMORIENT_PORTRAIT;
    }
    // 7. A custom paper size with both of its sizes.
    if ((mask & customSize) == customSize && work.dmPaperLength > 0 && work.dmPaperWidth > 0) {
        s.dmPaperLength = work.dmPaperLength;
        s.dmPaperWidth = work.dmPaperWidth;
        s.dmFields |= customSize;
    }
    // 8. The paper by its code, else by its form name.
    if (mask & DM_PAPERSIZE) {
        s.dmPaperSize = work.dmPaperSize;
        s.dmFields |= DM_PAPERSIZE;
    } else if (mask & DM_FORMNAME) {
        CopyMemory(s.dmFormName, work.dmFormName, sizeof(s.dmFormName));
        s.dmFormName[kFormNameChars - 1] = 0;
        s.dmFields |= DM_FORMNAME;
    }
    // 9. A scale of 25 to 400 percent, else 100.
    if (mask & DM_SCALE) {
        s.dmFields |= DM_SCALE;
        s.dmScale = (work.dmScale >= 25 && work.dmScale <= 400) ? work.dmScale : 100;
    }
    // 10. One to 999 copies, else one.
    if (mask & DM_COPIES) {
        s.dmFields |= DM_COPIES;
        s.dmCopies = (work.dmCopies >= 1 && work.dmCopies <= 999) ? work.dmCopies : 1;
    }
    // 11. Only the platform's quality codes; a dpi value keeps the default.
    if (mask & DM_PRINTQUALITY) {
        s.dmFields |= DM_PRINTQUALITY;
        if (work.dmPrintQuality >= DMRES_HIGH && work.dmPrintQuality <= DMRES_DRAFT)
            s.dmPrintQuality = work.dmPrintQuality;
    }
    // 12. A platform duplex code, else simplex.
    if (mask & DM_DUPLEX) {
        if (work.dmDuplex >= DMDUP_SIMPLEX && work.dmDuplex <= DMDUP_HORIZONTAL) {
            s.dmDuplex = work.dmDuplex;
            s.dmFields |= DM_DUPLEX;
        } else {
            s.dmDuplex = DMDUP_SIMPLEX;
        }
    }
    // 13. Collation on or off, else off.
    if (mask & DM_COLLATE) {
        if (work.dmCollate == DMCOLLATE_FALSE || work.dmCollate == DMCOLLATE_TRUE) {
            s.dmCollate = work.dmCollate;
            s.dmFields |= DM_COLLATE;
        } else {
            s.dmCollate = DMCOLLATE_FALSE;
        }
    }
    // 14. This driver's own private part, whole.
    if (ownPrivatePart && work.choiceMagic == kChoiceMagic) {
        CopyMemory(reinterpret_cast<BYTE*>(&s) + kSettingsHeaderBytes,
                   reinterpret_cast<const BYTE*>(&work) + kSettingsHeaderBytes, kSettingsPrivateBytes);
        TerminateTexts(&s);
        s.resolutionDpi = s.dmPrintQuality == DMRES_HIGH ? 600 : 300;
    }
    // 15. A platform TrueType option, else download.
    if (mask & DM_TTOPTION) {
        s.dmFields |= DM_TTOPTION;
        s.dmTTOption = (work.dmTTOption >= DMTT_BITMAP && work.dmTTOption <= DMTT_SUBDEV) ? work.dmTTOption
                                                                                           : DMTT_DOWNLOAD;
    }
    // 16. The defaults and the work copy go with their holder.
    return 1;
}

int CopySettingsOut(const DocumentSettings& source, void* destination, size_t destinationBytes)
{
    size_t bytes = static_cast<size_t>(source.dmSize) + source.dmDriverExtra;
    if (bytes > sizeof(source))
        bytes = sizeof(source);
    if (!destination || bytes > destinationBytes)
        return 0;
    CopyMemory(destination, &source, bytes);
    return 1;
}
