#include "LineCases.h"
#include "LineCutter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

struct Outcome {
    std::vector<std::string> lines;
    bool tooLong = false;
};

// Delivers bytes in chunks of at most chunk bytes, whenever the cutter asks for more.
Outcome cut(const std::string& bytes, std::size_t chunk)
{
    LineCutter cutter;
    Outcome outcome;
    std::size_t delivered = 0;
    for (;;) {
        std::string line;
        const LineCutter::Result result = cutter.next(line);
        if (result == LineCutter::Result::Line) {
            outcome.lines.push_back(line);
            continue;
        }
        if (result == LineCutter::Result::TooLong) {
            outcome.tooLong = true;
            return outcome;
        }
        if (delivered == bytes.size())
            return outcome;
        const std::span<char> space = cutter.freeSpace();
        const std::size_t n = std::min({chunk, space.size(), bytes.size() - delivered});
        EXPECT_GT(n, 0u);
        std::memcpy(space.data(), bytes.data() + delivered, n);
        cutter.commit(n);
        delivered += n;
    }
}

} // namespace

TEST(LineCutter, CasesTableInEveryChunking)
{
    for (const LineCase& c : lineCases()) {
        for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{4096}, std::size_t{1} << 20}) {
            const Outcome outcome = cut(c.bytes, chunk);
            EXPECT_EQ(outcome.lines, c.lines) << c.name << ", chunks of " << chunk;
            EXPECT_EQ(outcome.tooLong, c.tooLong) << c.name << ", chunks of " << chunk;
        }
    }
}
