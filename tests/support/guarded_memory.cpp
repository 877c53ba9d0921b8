#include "support/guarded_memory.h"

#include <gtest/gtest.h>

namespace {

size_t PageSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

}  // namespace

GuardedBlock::GuardedBlock(size_t bytes) : bytes_(bytes)
{
    const size_t page = PageSize();
    readable_ = (bytes + page - 1) / page * page;
    if (readable_ == 0)
        readable_ = page;
    base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, readable_ + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    EXPECT_NE(base_, nullptr) << "VirtualAlloc, error " << GetLastError();
    if (!base_)
        return;
    DWORD old = 0;
    EXPECT_TRUE(VirtualProtect(base_ + readable_, page, PAGE_NOACCESS, &old)) << "guard page, error " << GetLastError();
    data_ = base_ + readable_ - bytes;
}

GuardedBlock::GuardedBlock(const void* content, size_t bytes) : GuardedBlock(bytes)
{
    if (data_ && content)
        CopyMemory(data_, content, bytes);
}

GuardedBlock::~GuardedBlock()
{
    if (base_)
        VirtualFree(base_, 0, MEM_RELEASE);
}

void GuardedBlock::MakeReadOnly()
{
    DWORD old = 0;
    EXPECT_TRUE(base_ && VirtualProtect(base_, readable_, PAGE_READONLY, &old)) << "read-only, error " << GetLastError();
}
