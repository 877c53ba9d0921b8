// Memory for tests of unsafe input: a block that ends exactly at the end of
// a readable page, followed by a page that may not be touched, so that any
// read or write past the block faults at once.
#ifndef MARTENUI_TESTS_GUARDED_MEMORY_H
#define MARTENUI_TESTS_GUARDED_MEMORY_H

#include <windows.h>

#include <cstddef>

class GuardedBlock {
public:
    // `bytes` zero bytes.
    explicit GuardedBlock(size_t bytes);
    // A copy of `bytes` bytes of `content`.
    GuardedBlock(const void* content, size_t bytes);
    ~GuardedBlock();
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    void* data() const { return data_; }
    size_t size() const { return bytes_; }
    template <typename T>
    T* as() const { return reinterpret_cast<T*>(data_); }

    // From now on a write into the block faults too.
    void MakeReadOnly();

private:
    BYTE* base_ = nullptr;
    size_t readable_ = 0;   // bytes of the readable pages
    BYTE* data_ = nullptr;
    size_t bytes_ = 0;
};

#endif
