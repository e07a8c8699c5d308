#pragma once
// What the default crash processing gathers and writes; fixed for this build.
#include <windows.h>
#include <dbghelp.h>

inline constexpr bool ReportExceptionSection = true;
inline constexpr bool ReportRegisterSection = true;
inline constexpr bool ReportStackSection = true;
inline constexpr bool ReportModuleSection = true;
// Frame detail bits: 1 parameters, 2 module name, 4 symbol, 8 source line.
inline constexpr DWORD StackFrameDetail = 15;
inline constexpr MINIDUMP_TYPE MiniDumpType = MiniDumpWithHandleData;
