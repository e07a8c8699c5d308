#pragma once
// A structured-exception guard for GCC, which has no __try/__except: runGuarded(step) runs the
// step and returns false when an exception raised inside it (and not handled further in) ended
// it. Frames between the fault and the guard are abandoned without unwinding, so a guarded step
// must not own resources whose release matters at crash time.
#include <type_traits>

extern "C" int guardedCall(void (*fn)(void*), void* arg);

template <class Step>
bool runGuarded(Step&& step)
{
    using Callable = std::remove_reference_t<Step>;
    auto trampoline = [](void* arg) { (*static_cast<Callable*>(arg))(); };
    return guardedCall(trampoline, &step) != 0;
}
