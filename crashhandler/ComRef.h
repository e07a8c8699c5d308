#pragma once
// COM interface pointers owned like every other handle: released once, on every path.
#include <objbase.h>

#include "ScopedHandle.h"

template <class Interface>
struct ComTraits {
    using Handle = Interface*;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle p) noexcept { p->Release(); }
};

template <class Interface>
using ComRef = ScopedHandle<ComTraits<Interface>>;
