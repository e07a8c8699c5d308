#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <windows.h>

#include <stdexcept>
#include <thread>

#include "DebugOutputCapture.h"

using ::testing::ElementsAre;

TEST(DebugOutputCapture, SeesLinesOfEveryThreadInOrderAsWritten)
{
    DebugOutputCapture capture;
    OutputDebugStringA("[Yarnly]first");
    std::thread([] { OutputDebugStringA("[Yarnly]from a worker\n"); }).join();
    OutputDebugStringA("");
    EXPECT_THAT(capture.lines(), ElementsAre("[Yarnly]first", "[Yarnly]from a worker\n", ""));
    EXPECT_TRUE(capture.waitFor("[Yarnly]first", std::chrono::milliseconds(0)));
    EXPECT_FALSE(capture.waitFor("[Yarnly]never", std::chrono::milliseconds(50)));
}

TEST(DebugOutputCapture, StopsSeeingWhenGoneAndAllowsOneAtATime)
{
    {
        DebugOutputCapture capture;
        EXPECT_THROW(DebugOutputCapture second, std::logic_error);
    }
    OutputDebugStringA("nobody listens");
    DebugOutputCapture later;
    OutputDebugStringA("heard");
    EXPECT_THAT(later.lines(), ElementsAre("heard"));
}
