#pragma once
// Byte sequences as a chat server may send them, and the lines the transport must make of them.
// Shared by the line-cutter test and the loopback socket test.
#include <string>
#include <vector>

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
    bool tooLong; // the input ends in a line over the limit
};

inline std::vector<LineCase> lineCases()
{
    const std::string max(8190, 'a');
    std::vector<std::string> hundred;
    std::string manyBytes;
    for (int i = 0; i < 1000; ++i) {
        hundred.push_back(std::string(99, static_cast<char>('a' + i % 26)));
        manyBytes += hundred.back() + "\n";
    }
    return {
        {"CrLf", "abc\r\n", {"abc"}, false},
        {"TwoCrs", "abc\r\r\n", {"abc\r"}, false},
        {"LoneLf", "\n", {""}, false},
        {"Nul", std::string("a\0b\n", 4), {"a"}, false},
        {"InnerCr", "a\rb\n", {"a\rb"}, false},
        {"LoneCr", "\r\n", {""}, false},
        {"Several", "x\ny\n\nz\n", {"x", "y", "", "z"}, false},
        {"PartialLineDiscarded", "x\nunfinished", {"x"}, false},
        {"Longest", max + "\n", {max}, false},
        {"LongestWithCr", max.substr(1) + "\r\n", {max.substr(1)}, false},
        {"CrCountsTowardsTheLimit", max + "\r\n", {}, true},
        {"OneOver", max + "a\n", {}, true},
        {"NoLfInSight", "ok\n" + max + "aaaaaaaaaa", {"ok"}, true},
        {"OverLongAfterGoodLines", "ok\n" + std::string(9000, 'b') + "\nnext\n", {"ok"}, true},
        {"ManyLinesPastTheBuffer", manyBytes, hundred, false},
    };
}
