// The rules every output record keeps, and the checked capability burst.
#include <windows.h>
#include <winspool.h>

#include <cstring>

#include "fuzz.h"
#include "fuzz_checks.h"

PageEndBuffer::PageEndBuffer(size_t bytes) : bytes_(bytes)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const size_t page = system.dwPageSize;
    const size_t readable = bytes ? (bytes + page - 1) / page * page : page;
    base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, readable + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(base_ + readable, page, PAGE_NOACCESS, &old);
    data_ = base_ + readable - bytes;
}

PageEndBuffer::~PageEndBuffer()
{
    VirtualFree(base_, 0, MEM_RELEASE);
}

bool Terminated(const void* field, size_t bytes, size_t unit)
{
    const BYTE* at = static_cast<const BYTE*>(field);
    for (size_t i = 0; i + unit <= bytes; i += unit) {
        bool zero = true;
        for (size_t b = 0; b < unit; ++b)
            zero = zero && at[i + b] == 0;
        if (zero)
            return true;
    }
    return false;
}

const char* PjlTextsBroken(const DocumentSettings& s)
{
    if (!Terminated(s.jobIdentification, sizeof(s.jobIdentification), 1))
        return "job identification without terminator";
    if (!Terminated(s.pjlHeader, sizeof(s.pjlHeader), 1))
        return "PJL header without terminator";
    if (!Terminated(s.pjlTrailer, sizeof(s.pjlTrailer), 1))
        return "PJL trailer without terminator";
    return nullptr;
}

const char* MergedRecordBroken(const DocumentSettings& s)
{
    if (s.dmSize != kSettingsHeaderBytes || s.dmDriverExtra != kSettingsPrivateBytes)
        return "merged record of another size";
    if (s.dmOrientation != DMORIENT_PORTRAIT && s.dmOrientation != DMORIENT_LANDSCAPE)
        return "orientation out of range";
    if (s.dmCopies < 1 || s.dmCopies > 999)
        return "copies out of range";
    // 0 is the defaults' own value until the Handling page writes
    // 1, 2 or 3; a merge gives one of those three.
    if (s.dmDuplex > DMDUP_HORIZONTAL)
        return "duplex out of range";
    if (s.dmCollate != DMCOLLATE_FALSE && s.dmCollate != DMCOLLATE_TRUE)
        return "collate out of range";
    if (s.dmTTOption < DMTT_BITMAP || s.dmTTOption > DMTT_SUBDEV)
        return "TrueType option out of range";
    if (!Terminated(s.dmDeviceName, sizeof(s.dmDeviceName), 2))
        return "device name without terminator";
    if (!Terminated(s.dmFormName, sizeof(s.dmFormName), 2))
        return "form name without terminator";
    return PjlTextsBroken(s);
}

namespace {

// One answer, count then fill into a buffer of exactly the items counted.
void CheckedAnswer(const FuzzDriver& driver, HANDLE printer, WORD index, size_t itemBytes, DWORD most,
                   FuzzReport* report)
{
    const DWORD count = driver.capabilities(printer, nullptr, index, nullptr, nullptr);
    if (count > most) {
        report->Problem("capability " + std::to_string(index) + " counts " + std::to_string(count));
        return;
    }
    PageEndBuffer items(count * itemBytes);
    const DWORD filled = driver.capabilities(printer, nullptr, index, items.data(), nullptr);
    if (filled != count)
        report->Problem("capability " + std::to_string(index) + " fills another count");
    const size_t slotChars = itemBytes / 2;
    if (index == DC_PAPERNAMES || index == DC_BINNAMES) {
        for (DWORD i = 0; i < count; ++i) {
            if (!Terminated(items.data() + i * itemBytes, itemBytes, 2))
                report->Problem("a name slot without terminator");
            if (index == DC_BINNAMES && reinterpret_cast<const WCHAR*>(items.data() + i * itemBytes)[slotChars - 1])
                report->Problem("a bin name slot without its last zero");
        }
    }
}

}  // namespace

void CheckedCapabilityBurst(const FuzzDriver& driver, HANDLE printer, FuzzReport* report)
{
    const DWORD duplex = driver.capabilities(printer, nullptr, DC_DUPLEX, nullptr, nullptr);
    (void)duplex;   // the installed unit as stored: any value
    if (driver.capabilities(printer, nullptr, DC_COPIES, nullptr, nullptr) != 999)
        report->Problem("DC_COPIES is not 999");
    CheckedAnswer(driver, printer, DC_PAPERS, sizeof(WORD), 26, report);
    CheckedAnswer(driver, printer, DC_PAPERNAMES, 64 * sizeof(WCHAR), 26, report);
    CheckedAnswer(driver, printer, DC_PAPERSIZE, sizeof(POINT), 26, report);
    CheckedAnswer(driver, printer, DC_BINS, sizeof(WORD), 6, report);
    CheckedAnswer(driver, printer, DC_BINNAMES, 24 * sizeof(WCHAR), 6, report);
    POINT extent = {};
    driver.capabilities(printer, nullptr, DC_MINEXTENT, &extent, nullptr);
    driver.capabilities(printer, nullptr, DC_MAXEXTENT, &extent, nullptr);
}
