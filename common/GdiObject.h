#pragma once
// Owners of GDI objects (brushes, bitmaps, ...) and of memory device contexts.
#include <windows.h>

#include "ScopedHandle.h"

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DeleteObject(h); }
};
using GdiObject = ScopedHandle<GdiObjectTraits>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DeleteDC(h); }
};
using MemoryDc = ScopedHandle<MemoryDcTraits>;
