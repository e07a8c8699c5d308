#pragma once
// The number of GDI objects this process holds. GetGuiResources is not implemented under Wine,
// so this counts the live entries of the GDI handle table that both Windows and Wine map into
// the process (PEB::GdiSharedHandleTable).
#include <cstddef>

std::size_t gdiObjectCount();
