#pragma once
#include <windows.h>

// The player engine library beside the launcher, bound by name. `complete` stays true only while
// the library is loaded and every entry point looked up so far was found.
class EngineLibrary {
public:
    explicit EngineLibrary(const wchar_t* path);
    ~EngineLibrary();
    EngineLibrary(const EngineLibrary&) = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;

    // Looks up one entry point; a miss (or no library) clears `complete` and gives null.
    template <class Fn>
    Fn bind(const char* name)
    {
        Fn fn = nullptr;
        if (module_)
            fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
        complete_ = complete_ && fn != nullptr;
        return fn;
    }

    bool complete() const { return complete_; }

private:
    HMODULE module_;
    bool complete_;
};
