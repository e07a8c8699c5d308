// A library of the host's own that crashes when asked.
#include <windows.h>

extern "C" __declspec(dllexport) __attribute__((noinline)) void crashInsideLibrary()
{
    *static_cast<volatile int*>(reinterpret_cast<void*>(0x10)) = 1;
}
