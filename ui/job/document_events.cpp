#include "job/document_events.h"

#include <winddiui.h>

#include <cwchar>

#include "platform/holders.h"
#include "facts/printer_call.h"
#include "platform/resource_library.h"
#include "job/job_settings_file.h"
#include "job/job_shared_block.h"
#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "profile/device_options.h"
#include "profile/model_profile.h"
#include "profile/model_state.h"
#include "settings/document_settings.h"
#include "settings/finalize_settings.h"
#include "settings/settings_merge.h"

namespace {

// Several device contexts may share one printer handle value, and so one
// named block. Each context keeps the section handle its creation opened,
// in this list, and its deletion closes exactly that handle: the block
// lives until the last context of the printer handle is deleted.
// A context also keeps the job file its header names, so that its document
// writes and deletes exactly that file without asking the shell again.
struct ContextSection {
    HDC dc;
    HANDLE section;
    ContextSection* next;
    bool jobFileKnown;
    WCHAR jobFile[MAX_PATH];
};
ContextSection* contextSections = nullptr;
SRWLOCK contextLock = SRWLOCK_INIT;

bool RememberSection(HDC dc, HANDLE section, const WCHAR* jobFile)
{
    auto* entry =
        static_cast<ContextSection*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ContextSection)));
    if (!entry) {
        // Without a note of it the handle could never be closed.
        CloseHandle(section);
        return false;
    }
    entry->dc = dc;
    entry->section = section;
    entry->jobFileKnown = jobFile != nullptr;
    entry->jobFile[0] = 0;
    if (jobFile)
        lstrcpynW(entry->jobFile, jobFile, MAX_PATH);
    AcquireSRWLockExclusive(&contextLock);
    entry->next = contextSections;
    contextSections = entry;
    ReleaseSRWLockExclusive(&contextLock);
    return true;
}

// The job file of the context, as its creation found it; else as the shell
// names it now (a context this library did not create).
bool ContextJobFile(HDC dc, WCHAR path[MAX_PATH])
{
    bool known = false;
    bool found = false;
    AcquireSRWLockShared(&contextLock);
    for (const ContextSection* entry = contextSections; entry; entry = entry->next) {
        if (entry->dc == dc) {
            known = true;
            found = entry->jobFileKnown;
            if (found)
                lstrcpynW(path, entry->jobFile, MAX_PATH);
            break;
        }
    }
    ReleaseSRWLockShared(&contextLock);
    return known ? found : JobSettingsFilePath(path);
}

HANDLE ForgetSection(HDC dc)
{
    HANDLE section = nullptr;
    AcquireSRWLockExclusive(&contextLock);
    for (ContextSection** link = &contextSections; *link; link = &(*link)->next) {
        if ((*link)->dc == dc) {
            ContextSection* entry = *link;
            section = entry->section;
            *link = entry->next;
            HeapFree(GetProcessHeap(), 0, entry);
            break;
        }
    }
    ReleaseSRWLockExclusive(&contextLock);
    return section;
}

struct BlockView {
    UniqueView view;
    JobSharedBlockHeader* header() const { return static_cast<JobSharedBlockHeader*>(view.get()); }
    BYTE* record() const { return static_cast<BYTE*>(view.get()) + sizeof(JobSharedBlockHeader); }
};

bool MapBlock(HANDLE section, BlockView* block)
{
    block->view.reset(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, kJobSharedBlockBytes));
    return block->view.valid();
}

// Copies a record into the block, never past its end.
void StoreRecord(const BlockView& block, const DEVMODEW* devMode)
{
    size_t bytes = ClaimedRecordBytes(devMode);
    if (bytes > kJobRecordCapacity)
        bytes = kJobRecordCapacity;
    if (bytes)
        CopyMemory(block.record(), devMode, bytes);
}

// DOCUMENTEVENT_FAILURE with `error` as the thread's last error.
int Fail(DWORD error)
{
    SetLastError(error);
    return DOCUMENTEVENT_FAILURE;
}

int CreateContext(HANDLE printer, HDC dc, ULONG inputSize, void* input)
{
    // What the job needs from the spooler, the profile file and the shell,
    // fetched before anything is computed.
    PrinterCall call;
    call.printer = printer;
    DEVMODEW* devMode = nullptr;
    if (input && inputSize >= sizeof(DOCEVENT_CREATEDCPRE)) {
        const auto* create = static_cast<DOCEVENT_CREATEDCPRE*>(input);
        devMode = create->pdm;
        call.knownName = create->pszDevice;
    }
    const ModelState& model = FetchModel(&call);
    LoadResourceLibraryForCall(&call);
    // Only a whole record of this driver is finalized in place; any other is
    // kept as it came. The application vouches for the size its record claims.
    const size_t devModeBytes = ClaimedRecordBytes(devMode);
    const bool complete = IsCompleteSettingsRecord(devMode, devModeBytes);
    PjlJobFacts facts;
    WCHAR jobFile[MAX_PATH];
    const WCHAR* remembered = nullptr;
    if (complete) {
        GatherPjlJobFacts(&call, &facts);
        // Finishing lines made from guessed installed options would print
        // what nobody chose.
        if (call.optionsFailure)
            return Fail(call.optionsFailure);
        remembered = facts.jobFileFound ? facts.jobPath : nullptr;
    } else if (JobSettingsFilePath(jobFile)) {
        remembered = jobFile;
    }

    WCHAR name[16];
    JobSharedBlockName(printer, name);
    HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kJobSharedBlockBytes, name);
    if (!section)
        return Fail(GetLastError());
    BlockView block;
    if (!MapBlock(section, &block)) {
        const DWORD error = GetLastError();
        CloseHandle(section);
        return Fail(error);
    }
    block.header()->sectionHandle = static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(section));
    block.header()->pageCount = 0;
    if (!RememberSection(dc, section, remembered))
        return Fail(ERROR_NOT_ENOUGH_MEMORY);

    if (complete)
        FinalizeForPrinting(model, devMode, devModeBytes, facts);
    if (devMode)
        StoreRecord(block, devMode);
    return DOCUMENTEVENT_SUCCESS;
}

// Runs `action` on the existing block of the printer handle, if any.
template <typename Action>
void WithBlock(HANDLE printer, Action action)
{
    WCHAR name[16];
    JobSharedBlockName(printer, name);
    UniqueHandle section(OpenFileMappingW(FILE_MAP_WRITE, FALSE, name));
    if (!section)
        return;
    BlockView block;
    if (!MapBlock(section.get(), &block))
        return;
    action(block);
}

// The value that a pointer-sized input holds: the address of the new
// device mode, or of the DOCINFOW.
void* PointedAddress(ULONG inputSize, void* input)
{
    if (!input || inputSize < sizeof(void*))
        return nullptr;
    return *static_cast<void**>(input);
}

int StartDocument(HANDLE printer, HDC dc, const DOCINFOW* docInfo)
{
    int result = DOCUMENTEVENT_SUCCESS;
    WithBlock(printer, [&](const BlockView& block) {
        const auto* record = reinterpret_cast<const DocumentSettings*>(block.record());

        // A printer without a record has its model's default options.
        PrinterCall call;
        call.printer = printer;
        const DeviceOptionData* installed = FetchDeviceOptions(&call);
        if (call.optionsFailure) {
            result = Fail(call.optionsFailure);
            return;
        }
        const DeviceOptionData options = installed ? *installed : DefaultDeviceOptions(FetchModel(&call));
        const bool hasChoices = record->choiceMagic == kChoiceMagic;
        int16_t bin = hasChoices ? record->outputBin : 0;
        if (!IsOutputBinValid(bin, options.innerTray, options.outerTray, options.finisher))
            bin = 0;
        const bool withSuffix = options.finisher && bin == 3 && (record->staple || record->shift);

        WCHAR path[MAX_PATH];
        if (!ContextJobFile(dc, path))
            return;
        char jobName[kJobNameLimit + 1];
        ConvertDocumentName(jobName, docInfo ? docInfo->lpszDocName : nullptr,
                            withSuffix ? kJobNameLimitWithSuffix : kJobNameLimit);
        char suffix[8] = "";
        if (withSuffix)
            MakeJobNameSuffix(suffix);
        WriteJobSettingsFile(path, jobName, suffix);
    });
    return result;
}

}  // namespace

void JobSharedBlockName(HANDLE printer, WCHAR name[16])
{
    swprintf(name, 16, L"Kol6%08X", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(printer)));
}

int HandleDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inputSize, void* input)
{
    switch (event) {
    case DOCUMENTEVENT_CREATEDCPRE:
        return CreateContext(printer, dc, inputSize, input);
    case DOCUMENTEVENT_RESETDCPRE: {
        const auto* devMode = static_cast<const DEVMODEW*>(PointedAddress(inputSize, input));
        WithBlock(printer, [&](const BlockView& block) { StoreRecord(block, devMode); });
        break;
    }
    case DOCUMENTEVENT_STARTDOCPRE:
        return StartDocument(printer, dc, static_cast<const DOCINFOW*>(PointedAddress(inputSize, input)));
    case DOCUMENTEVENT_ENDPAGE:
        WithBlock(printer, [](const BlockView& block) {
            InterlockedIncrement(reinterpret_cast<volatile LONG*>(&block.header()->pageCount));
        });
        break;
    case DOCUMENTEVENT_DELETEDC:
        WithBlock(printer, [&](const BlockView&) {
            if (HANDLE section = ForgetSection(dc))
                CloseHandle(section);
        });
        break;
    case DOCUMENTEVENT_ENDDOCPOST: {
        WCHAR path[MAX_PATH];
        if (ContextJobFile(dc, path))
            DeleteFileW(path);
        break;
    }
    default:
        break;
    }
    return DOCUMENTEVENT_SUCCESS;
}
