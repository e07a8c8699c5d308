// The player launcher: binds the engine library beside itself and drives it from command-line
// preprocessing to process termination. One source, two builds: LUMOX_CMDLINE_FLAG and
// LUMOX_CREATE_FLAGS are the only differences.
#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <memory>

#include "EngineLibrary.h"
#include "EnginePath.h"

namespace {

using PreprocessCmdLineExW_t = int(*)(HINSTANCE, const wchar_t*, int, int);
using UninitLumox_t = void(*)();
using CreateLumoxExW_t = void*(*)(INT_PTR, INT_PTR, int);
using DestroyLumox_t = void(*)(void*);
using RunLumox_t = void(*)();

void launch(HINSTANCE instance, wchar_t* commandLine, int showCommand)
{
    wchar_t enginePath[kEnginePathChars] = {};
    GetModuleFileNameW(instance, enginePath, kEnginePathChars);
    const bool pathFits = placeEngineName(enginePath);

    CoInitialize(nullptr);

    auto engine = std::make_unique<EngineLibrary>(pathFits ? enginePath : nullptr);
    auto preprocess = engine->bind<PreprocessCmdLineExW_t>("PreprocessCmdLineExW");
    auto uninit = engine->bind<UninitLumox_t>("UninitLumox");
    auto create = engine->bind<CreateLumoxExW_t>("CreateLumoxExW");
    auto destroy = engine->bind<DestroyLumox_t>("DestroyLumox");
    auto run = engine->bind<RunLumox_t>("RunLumox");

    if (!engine->complete()) {
        MessageBoxW(nullptr, L"Cannot find Lumox.dll", L"Error", MB_OK);
        return;
    }
    if (preprocess(instance, commandLine, showCommand, LUMOX_CMDLINE_FLAG) == 0) {
        uninit();
        return;
    }
    void* player = create(0, 0, LUMOX_CREATE_FLAGS);
    if (!player) {
        uninit();
        return;
    }
    run();
    destroy(player);
    uninit();
    // The engine is never unloaded and no exit processing runs: the process ends here.
    TerminateProcess(GetCurrentProcess(), 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand)
{
    launch(instance, commandLine, showCommand);
    return 0;
}
