// The shared block of a device context: a copy of the job's settings and a
// page count, in page-file-backed shared memory named "Kol6" and the printer
// handle in eight hexadecimal digits, for the rendering side to read.
#ifndef MARTENUI_JOB_SHARED_BLOCK_H
#define MARTENUI_JOB_SHARED_BLOCK_H

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

constexpr DWORD kJobSharedBlockBytes = 8192;

struct JobSharedBlockHeader {
    uint32_t sectionHandle;   // the creating event's handle of the section
    uint32_t pageCount;       // 0 at creation, +1 at every end of page
};
static_assert(sizeof(JobSharedBlockHeader) == 8, "layout");
static_assert(offsetof(JobSharedBlockHeader, pageCount) == 4, "layout");

// Bytes of the block that can hold the job's settings, after the header.
constexpr DWORD kJobRecordCapacity = kJobSharedBlockBytes - sizeof(JobSharedBlockHeader);

// "Kol6" and the handle value in eight upper-case hexadecimal digits.
void JobSharedBlockName(HANDLE printer, WCHAR name[16]);

#endif
