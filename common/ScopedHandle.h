#pragma once
// One owner template for every Win32 handle kind. A traits type names the handle type, its
// invalid value and how it is released, so two kinds of HANDLE can never be mixed and no error
// branch needs its own close call.
//
//   ScopedHandle<KernelHandleTraits> event(CreateEventW(...));
//   if (!event) ...;
//   WaitForSingleObject(event.get(), INFINITE);
#include <windows.h>

#include <utility>

template <class Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() noexcept = default;
    explicit ScopedHandle(Handle handle) noexcept : handle_(handle) {}
    ~ScopedHandle() { reset(); }

    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

    Handle release() noexcept { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) noexcept
    {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::invalid())
            Traits::close(old);
    }

private:
    Handle handle_ = Traits::invalid();
};

// Events, threads, processes, mutexes: null when absent.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { CloseHandle(h); }
};

// Files and snapshots: INVALID_HANDLE_VALUE when absent.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) noexcept { CloseHandle(h); }
};

struct ModuleHandleTraits {
    using Handle = HMODULE;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { FreeLibrary(h); }
};

using KernelHandle = ScopedHandle<KernelHandleTraits>;
using FileHandle = ScopedHandle<FileHandleTraits>;
using ModuleHandle = ScopedHandle<ModuleHandleTraits>;

// Further kinds (sockets, HINTERNET, HHOOK, GDI objects, ...) add a traits struct beside the
// code that uses them, in the same shape.
