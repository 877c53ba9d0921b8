#include "platform/driver_files.h"

#include <winspool.h>

const WCHAR kProfileFragment[] = L".ini";
const WCHAR kResourceLibraryFragment[] = L"i.dll";
const WCHAR kHelpFileFragment[] = L".hlp";
const WCHAR kRenderModuleFragment[] = L"umpd.dll";

namespace {

constexpr int kFragmentChars = 32;
constexpr DWORD kDriverInfoGuessBytes = 4096;
constexpr int kNarrowScratchBytes = 512;

// The spooler hands back one block with the strings inside it; a string that
// would run past the block is not used.
int BoundedLength(const WCHAR* text, const BYTE* blockEnd)
{
    const WCHAR* end = reinterpret_cast<const WCHAR*>(blockEnd);
    int length = 0;
    while (text + length < end && text[length])
        ++length;
    return text + length < end ? length : -1;
}

bool InsideBlock(const void* pointer, const HeapBlock& block)
{
    const BYTE* start = block.as<BYTE>();
    const BYTE* at = static_cast<const BYTE*>(pointer);
    return at >= start && at < start + block.size();
}

bool ContainsText(const WCHAR* text, const WCHAR* fragment)
{
    for (; *text; ++text) {
        int i = 0;
        while (fragment[i] && text[i] == fragment[i])
            ++i;
        if (!fragment[i])
            return true;
    }
    return false;
}

// Takes `name` when it holds the fragment and fits a caller's path buffer.
bool TakeIfMatching(const WCHAR* name, int length, const WCHAR* fragment, WCHAR* path)
{
    if (length < 0 || length > kDriverPathChars - 1 || !ContainsText(name, fragment))
        return false;
    BoundedCopy(path, name, kDriverPathChars);
    return true;
}

}  // namespace

int TextLength(const WCHAR* text)
{
    if (!text)
        return 0;
    int length = 0;
    while (text[length])
        ++length;
    return length;
}

void BoundedCopy(WCHAR* destination, const WCHAR* source, int capacity)
{
    if (!destination || capacity < 1)
        return;
    int i = 0;
    if (source) {
        for (; i < capacity - 1 && source[i]; ++i)
            destination[i] = source[i];
    }
    destination[i] = 0;
}

const WCHAR* FileNamePart(const WCHAR* path)
{
    if (!path)
        return path;
    const WCHAR* name = path;
    for (const WCHAR* at = path; *at; ++at) {
        if (*at == L'\\')
            name = at + 1;
    }
    return name;
}

char* NarrowCopy(char* destination, const WCHAR* source, int size)
{
    if (!destination)
        return destination;
    if (size < 1)
        size = TextLength(source) + 1;
    destination[0] = 0;
    if (!source)
        return destination;

    // Convert in full into a scratch block first: a failed conversion into a
    // short field leaves unspecified bytes behind.
    const int needed = WideCharToMultiByte(CP_ACP, 0, source, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return destination;
    // The texts of a profile or a job fit the stack; only a longer one takes
    // a block, so that a short text never comes out empty for want of memory.
    char local[kNarrowScratchBytes];
    HeapBlock scratch;
    char* converted = local;
    if (needed > kNarrowScratchBytes) {
        scratch = HeapBlock(static_cast<SIZE_T>(needed));
        if (!scratch)
            return destination;
        converted = scratch.as<char>();
    }
    if (WideCharToMultiByte(CP_ACP, 0, source, -1, converted, needed, nullptr, nullptr) <= 0)
        return destination;

    // Whole characters only, up to size - 1 bytes.
    int kept = 0;
    while (converted[kept]) {
        const int step = (IsDBCSLeadByte(static_cast<BYTE>(converted[kept])) && converted[kept + 1]) ? 2 : 1;
        if (kept + step > size - 1)
            break;
        kept += step;
    }
    CopyMemory(destination, converted, kept);
    destination[kept] = 0;
    destination[size - 1] = 0;
    return destination;
}

HeapBlock GetDriverInfo(HANDLE printer)
{
    // Most drivers' information fits the first guess: one spooler call.
    HeapBlock block(kDriverInfoGuessBytes);
    if (!block)
        return block;
    DWORD needed = 0;
    if (GetPrinterDriverW(printer, nullptr, 3, block.as<BYTE>(), kDriverInfoGuessBytes, &needed))
        return block;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= kDriverInfoGuessBytes)
        return HeapBlock();
    block = HeapBlock(needed);
    if (!block)
        return block;
    // A refusal now is a failure like the first one: no block, and the
    // spooler's reason kept for the caller.
    if (!GetPrinterDriverW(printer, nullptr, 3, block.as<BYTE>(), needed, &needed)) {
        const DWORD error = GetLastError();
        block = HeapBlock();
        SetLastError(error);
    }
    return block;
}

int FindDriverFile(HANDLE printer, const WCHAR* fragment, WCHAR path[kDriverPathChars])
{
    if (path)
        path[0] = 0;
    if (!path || !fragment)
        return 0;
    HeapBlock info = GetDriverInfo(printer);
    return FindDriverFileIn(info, fragment, path);
}

int FindDriverFileIn(HeapBlock& info, const WCHAR* fragment, WCHAR path[kDriverPathChars])
{
    if (!path)
        return 0;
    path[0] = 0;
    if (!fragment || !info || info.size() < sizeof(DRIVER_INFO_3W))
        return 0;

    WCHAR upperFragment[kFragmentChars];
    BoundedCopy(upperFragment, fragment, kFragmentChars);
    CharUpperBuffW(upperFragment, static_cast<DWORD>(TextLength(upperFragment)));

    const BYTE* blockEnd = info.as<BYTE>() + info.size();
    auto* driver = info.as<DRIVER_INFO_3W>();

    // Dependent files: upper-cased in place, so a match comes back upper-case.
    if (driver->pDependentFiles && InsideBlock(driver->pDependentFiles, info)) {
        WCHAR* name = driver->pDependentFiles;
        for (;;) {
            const int length = BoundedLength(name, blockEnd);
            if (length <= 0)
                break;
            CharUpperBuffW(name, static_cast<DWORD>(length));
            if (TakeIfMatching(name, length, upperFragment, path))
                return 1;
            name += length + 1;
        }
    }

    const WCHAR* const others[] = {driver->pDataFile, driver->pHelpFile, driver->pConfigFile};
    for (const WCHAR* name : others) {
        if (!name || !InsideBlock(name, info))
            continue;
        if (TakeIfMatching(name, BoundedLength(name, blockEnd), upperFragment, path))
            return 1;
    }
    return 0;
}
