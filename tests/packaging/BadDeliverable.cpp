// A library built the wrong way on purpose: it needs a non-system DLL (the stand-in engine) and
// exports a C++-decorated name beside an undecorated one.
#include <windows.h>

extern "C" void UninitLumox();

extern "C" __declspec(dllexport) void Plain() { UninitLumox(); }
__declspec(dllexport) void Decorated(int) {}
