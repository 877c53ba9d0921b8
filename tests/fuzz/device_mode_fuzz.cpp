// Hostile device modes to every entry that takes one. Each record's sizes
// tell the truth about its buffer (dmSize + dmDriverExtra bytes, at least
// the 72 that hold the size fields), and the buffer ends at an unreadable
// page; everything else is random, a boundary, or another driver's.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <cstring>
#include <vector>

#include "platform/driver_interface.h"
#include "fuzz.h"
#include "fuzz_checks.h"
#include "facts/printer_call.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "settings/finalize_settings.h"
#include "settings/settings_merge.h"

namespace {

constexpr WORD kHeaderSizes[] = {0, 1, 40, 71, 72, 73, 148, 156, 188, 212, 219, 220, 221, 1000, 4088, 65535};
constexpr WORD kExtraSizes[] = {0, 1, 3867, 3868, 3869, 4088, 8000};
constexpr size_t kMostBytes = 16384;

// Writes `value` at `offset` when the record holds it.
template <typename T>
void Put(std::vector<BYTE>& record, size_t offset, T value)
{
    if (offset + sizeof(T) <= record.size())
        memcpy(record.data() + offset, &value, sizeof(T));
}

std::vector<BYTE> HostileRecord(FuzzRandom* random, const std::vector<BYTE>& ownRecord)
{
    WORD size = random->OneIn(2) ? random->Pick(kHeaderSizes) : static_cast<WORD>(random->Below(400));
    WORD extra = random->OneIn(2) ? random->Pick(kExtraSizes) : static_cast<WORD>(random->Below(5000));
    if (static_cast<size_t>(size) + extra > kMostBytes)
        extra = static_cast<WORD>(random->Below(64));
    std::vector<BYTE> record(static_cast<size_t>(size) + extra < 72 ? 72 : static_cast<size_t>(size) + extra);

    switch (random->Below(4)) {
    case 0:   // noise
        for (BYTE& b : record)
            b = static_cast<BYTE>(random->Next());
        break;
    case 1:   // this driver's own record, bent here and there
        memcpy(record.data(), ownRecord.data(), record.size() < ownRecord.size() ? record.size() : ownRecord.size());
        for (uint32_t n = random->Below(12); n > 0; --n)
            record[random->Below(static_cast<uint32_t>(record.size()))] = static_cast<BYTE>(random->Next());
        break;
    case 2:   // texts without terminators
        memcpy(record.data(), ownRecord.data(), record.size() < ownRecord.size() ? record.size() : ownRecord.size());
        for (size_t at : {size_t(0), offsetof(DocumentSettings, dmFormName)})
            for (size_t i = 0; i < 64 && at + i < record.size(); ++i)
                record[at + i] = 'A';
        for (size_t at = offsetof(DocumentSettings, fixedPitchDeviceFont); at < record.size() && at < 2400; ++at)
            record[at] = 'B';
        break;
    default:   // zeros: a foreign header with nothing in it
        break;
    }
    // The fields that ranges apply to, at their boundaries.
    if (random->OneIn(2)) {
        const int16_t edges[] = {-32768, -5, -4, -1, 0, 1, 2, 3, 4, 25, 256, 400, 999, 1000, 1025, 1037, 32767};
        Put(record, offsetof(DocumentSettings, dmOrientation), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmPaperSize), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmPaperLength), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmPaperWidth), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmCopies), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmDefaultSource), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmPrintQuality), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmDuplex), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmTTOption), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmCollate), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, dmFields), random->Next());
        Put(record, offsetof(DocumentSettings, layoutMode), random->Pick(edges));
        Put(record, offsetof(DocumentSettings, outputBin), random->Pick(edges));
    }
    if (random->OneIn(3))
        Put(record, offsetof(DocumentSettings, dmSpecVersion), static_cast<WORD>(random->Next()));
    // The sizes tell the truth.
    Put(record, offsetof(DocumentSettings, dmSize), size);
    Put(record, offsetof(DocumentSettings, dmDriverExtra), extra);
    return record;
}

void CheckMerged(const DocumentSettings& s, FuzzReport* report)
{
    if (const char* broken = MergedRecordBroken(s))
        report->Problem(broken);
}

}  // namespace

void FuzzDeviceModes(const FuzzDriver& driver, const FuzzPrinter* printers, int printerCount, long long count,
                     FuzzRandom* random, FuzzReport* report)
{
    // This driver's own records, as the printers hold them.
    std::vector<std::vector<BYTE>> own(printerCount, std::vector<BYTE>(kSettingsBytes));
    for (int p = 0; p < printerCount; ++p) {
        LONG size = kSettingsBytes;
        driver.convertDevMode(const_cast<wchar_t*>(printers[p].name.c_str()), nullptr,
                              reinterpret_cast<DEVMODEW*>(own[p].data()), &size, CDM_DRIVER_DEFAULT);
    }
    int loaded = -1;
    ModelState model = LoadTimeModel();
    PageEndBuffer output(kSettingsBytes);
    PjlJobFacts noPrinter;
    GatherPjlJobFacts(nullptr, &noPrinter);
    for (long long input = 0; input < count; ++input) {
        fuzzInput = input;
        const int p = static_cast<int>(random->Below(printerCount));
        const FuzzPrinter& printer = printers[p];
        std::vector<BYTE> bytes = HostileRecord(random, own[p]);
        PageEndBuffer record(bytes.size());
        memcpy(record.data(), bytes.data(), bytes.size());
        auto* devMode = reinterpret_cast<DEVMODEW*>(record.data());
        ++report->tried;

        // In this process: merging and finalizing, as every entry does.
        fuzzStage = "device modes: merge and finalize";
        if (loaded != p) {
            ModelProfile profile;
            { PrinterCall call; call.printer = printer.handle; profile = FetchProfile(&call); }
            BuildModel(profile, &model);
            loaded = p;
        }
        auto* merged = reinterpret_cast<DocumentSettings*>(output.data());
        PrinterCall call;
        call.printer = random->OneIn(8) ? printer.handle : nullptr;
        if (call.printer)
            FetchDeviceOptions(&call);
        if (MergeSettings(model, merged, record.data(), record.size(), call.printer ? &call : nullptr,
                              printer.name.c_str(), nullptr, noPrinter) == 1)
            CheckMerged(*merged, report);
        FinalizeForPrinting(model, record.data(), record.size(), noPrinter);

        // Through the installed driver, one entry per input in turn.
        switch (input % 8) {
        case 0:
        case 1: {
            fuzzStage = "device modes: DrvDocumentProperties";
            const LONG result = driver.documentProperties(nullptr, printer.handle, const_cast<wchar_t*>(printer.name.c_str()),
                                                          reinterpret_cast<DEVMODEW*>(output.data()), devMode,
                                                          DM_IN_BUFFER | DM_OUT_BUFFER);
            if (result == IDOK)
                CheckMerged(*merged, report);
            break;
        }
        case 2: {
            fuzzStage = "device modes: DrvDocumentPropertySheets";
            DOCUMENTPROPERTYHEADER header = {sizeof(header), 0, printer.handle,
                                             const_cast<wchar_t*>(printer.name.c_str()), devMode,
                                             reinterpret_cast<DEVMODEW*>(output.data()), kSettingsBytes,
                                             DM_IN_BUFFER | DM_OUT_BUFFER};
            if (driver.documentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)) > 0)
                CheckMerged(*merged, report);
            break;
        }
        case 3:
        case 4: {
            fuzzStage = "device modes: DrvDeviceCapabilities";
            const WORD indices[] = {DC_FIELDS, DC_PAPERS, DC_BINS, DC_DUPLEX, DC_SIZE};
            driver.capabilities(printer.handle, const_cast<wchar_t*>(printer.name.c_str()), random->Pick(indices),
                                nullptr, devMode);
            break;
        }
        case 5: {
            fuzzStage = "device modes: DrvConvertDevMode";
            LONG size = kSettingsBytes;
            driver.convertDevMode(const_cast<wchar_t*>(printer.name.c_str()), devMode,
                                  reinterpret_cast<DEVMODEW*>(output.data()), &size, CDM_CONVERT);
            break;
        }
        default: {
            if (input % 64 != 6 && input % 64 != 7)
                break;
            // A device context's life with this record: created, reset,
            // deleted. Finalizing writes into the record in place.
            fuzzStage = "device modes: DrvDocumentEvent";
            const HDC dc = reinterpret_cast<HDC>(0x5150);
            DOCEVENT_CREATEDCPRE create = {const_cast<wchar_t*>(L"MARTENUI"),
                                           const_cast<wchar_t*>(printer.name.c_str()), devMode, FALSE};
            driver.documentEvent(printer.handle, dc, DOCUMENTEVENT_CREATEDCPRE, sizeof(create), &create, 0, nullptr);
            // The application's own texts stay as it gave them.
            if (devMode->dmSize == kSettingsHeaderBytes && devMode->dmDriverExtra == kSettingsPrivateBytes) {
                if (const char* broken = PjlTextsBroken(*reinterpret_cast<const DocumentSettings*>(devMode)))
                    report->Problem(broken);
            }
            DEVMODEW* reset = devMode;
            driver.documentEvent(printer.handle, dc, DOCUMENTEVENT_RESETDCPRE, sizeof(reset), &reset, 0, nullptr);
            driver.documentEvent(printer.handle, dc, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr);
            break;
        }
        }
    }
}
