#include "SymbolScratch.h"

namespace {
alignas(8) BYTE g_symbolBuffer[1024];
IMAGEHLP_LINE64 g_line;
constexpr DWORD kSymbolStructSize = 32;  // IMAGEHLP_SYMBOL64 without its name
constexpr DWORD kLineStructSize = 40;    // IMAGEHLP_LINE64
static_assert(sizeof(IMAGEHLP_SYMBOL64) == kSymbolStructSize);
static_assert(sizeof(IMAGEHLP_LINE64) == kLineStructSize);
}  // namespace

IMAGEHLP_SYMBOL64* clearedSymbol(DWORD maxNameLength)
{
    ZeroMemory(g_symbolBuffer, sizeof g_symbolBuffer);
    auto* symbol = reinterpret_cast<IMAGEHLP_SYMBOL64*>(g_symbolBuffer);
    symbol->SizeOfStruct = kSymbolStructSize;
    symbol->MaxNameLength = maxNameLength;
    return symbol;
}

IMAGEHLP_LINE64* clearedLine()
{
    ZeroMemory(&g_line, sizeof g_line);
    g_line.SizeOfStruct = kLineStructSize;
    return &g_line;
}
