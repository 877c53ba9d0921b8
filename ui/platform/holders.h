// Small owning holders for the platform objects the driver touches, so that
// no early return leaks a printer handle, key, heap block, view or file.
#ifndef MARTENUI_HOLDERS_H
#define MARTENUI_HOLDERS_H

#include <windows.h>
#include <winspool.h>

template <typename Traits>
class UniqueAny {
public:
    using Value = typename Traits::Value;

    UniqueAny() : value_(Traits::Invalid()) {}
    explicit UniqueAny(Value value) : value_(value) {}
    ~UniqueAny() { reset(); }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Value get() const { return value_; }
    bool valid() const { return value_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }

    Value release()
    {
        Value value = value_;
        value_ = Traits::Invalid();
        return value;
    }

    void reset(Value value = Traits::Invalid())
    {
        if (value_ != Traits::Invalid())
            Traits::Close(value_);
        value_ = value;
    }

    // For out-parameters: releases what is held and hands out the slot.
    Value* put()
    {
        reset();
        return &value_;
    }

private:
    Value value_;
};

struct PrinterTraits {
    using Value = HANDLE;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { ClosePrinter(value); }
};

struct RegKeyTraits {
    using Value = HKEY;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { RegCloseKey(value); }
};

struct HeapTraits {
    using Value = void*;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { HeapFree(GetProcessHeap(), 0, value); }
};

struct KernelHandleTraits {
    using Value = HANDLE;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { CloseHandle(value); }
};

struct FileTraits {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Value value) { CloseHandle(value); }
};

struct MappedViewTraits {
    using Value = void*;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { UnmapViewOfFile(value); }
};

struct ModuleTraits {
    using Value = HMODULE;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { FreeLibrary(value); }
};

struct DcTraits {
    using Value = HDC;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { ReleaseDC(nullptr, value); }
};

struct MemoryDcTraits {
    using Value = HDC;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { DeleteDC(value); }
};

struct GdiObjectTraits {
    using Value = HGDIOBJ;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { DeleteObject(value); }
};

using UniquePrinter = UniqueAny<PrinterTraits>;
using UniqueRegKey = UniqueAny<RegKeyTraits>;
using UniqueHandle = UniqueAny<KernelHandleTraits>;
using UniqueFile = UniqueAny<FileTraits>;
using UniqueView = UniqueAny<MappedViewTraits>;
using UniqueModule = UniqueAny<ModuleTraits>;
using UniqueScreenDc = UniqueAny<DcTraits>;
using UniqueMemoryDc = UniqueAny<MemoryDcTraits>;
using UniqueGdiObject = UniqueAny<GdiObjectTraits>;

// A zero-filled block of the process heap.
class HeapBlock : public UniqueAny<HeapTraits> {
public:
    HeapBlock() = default;
    explicit HeapBlock(SIZE_T bytes)
        : UniqueAny<HeapTraits>(bytes ? HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes) : nullptr),
          size_(get() ? bytes : 0)
    {
    }
    HeapBlock(void* block, SIZE_T bytes) : UniqueAny<HeapTraits>(block), size_(block ? bytes : 0) {}

    template <typename T>
    T* as() const { return static_cast<T*>(get()); }
    SIZE_T size() const { return size_; }

private:
    SIZE_T size_ = 0;
};

#endif
