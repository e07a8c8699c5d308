// The structured-exception guard the crash code runs its steps under: a fault ends the guarded
// step only, handlers further in come first, and the caller's state survives.
#include <gtest/gtest.h>

#include <windows.h>

#include "SehGuard.h"

namespace {

int* volatile g_nowhere = nullptr;  // read at run time, so the write is really made

void writeThroughNull() { *g_nowhere = 1; }

TEST(SehGuard, StepWithoutFaultRunsToItsEnd)
{
    int steps = 0;
    EXPECT_TRUE(runGuarded([&] { ++steps; }));
    EXPECT_EQ(steps, 1);
}

TEST(SehGuard, FaultEndsTheStepAndExecutionGoesOn)
{
    volatile int before = 0;
    volatile int after = 0;
    const bool completed = runGuarded([&] {
        before = 1;
        writeThroughNull();
        after = 1;
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
}

TEST(SehGuard, RaisedExceptionEndsTheStep)
{
    EXPECT_FALSE(runGuarded([] { RaiseException(0xE0001234, 0, 0, nullptr); }));
}

TEST(SehGuard, CallerRegistersAndLocalsSurviveAFault)
{
    // Values the compiler keeps in non-volatile registers across the call.
    double kept[8];
    for (int i = 0; i < 8; ++i)
        kept[i] = i * 1.5;
    long long counter = 41;
    const bool completed = runGuarded([] { writeThroughNull(); });
    ++counter;
    double sum = 0;
    for (double v : kept)
        sum += v;
    EXPECT_FALSE(completed);
    EXPECT_EQ(counter, 42);
    EXPECT_DOUBLE_EQ(sum, 42.0);
}

TEST(SehGuard, FaultsHandledFurtherInDoNotEndTheStep)
{
    // The system's pointer probes catch their own faults inside; the step goes on.
    void* noAccess = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_NE(noAccess, nullptr);
    bool probed = false;
    EXPECT_TRUE(runGuarded([&] { probed = IsBadReadPtr(noAccess, 16) != FALSE; }));
    EXPECT_TRUE(probed);
    VirtualFree(noAccess, 0, MEM_RELEASE);
}

TEST(SehGuard, InnerGuardEndsOnlyItsOwnStep)
{
    bool innerCompleted = true;
    bool outerReachedEnd = false;
    const bool outerCompleted = runGuarded([&] {
        innerCompleted = runGuarded([] { writeThroughNull(); });
        outerReachedEnd = true;
    });
    EXPECT_FALSE(innerCompleted);
    EXPECT_TRUE(outerReachedEnd);
    EXPECT_TRUE(outerCompleted);
}

TEST(SehGuard, GuardWorksAgainAfterAFault)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(runGuarded([] { writeThroughNull(); }));
    EXPECT_TRUE(runGuarded([] {}));
}

}  // namespace
