#include "platform/TickPause.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class TickScale : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char *current = std::getenv("TAVORIN_TICK_SCALE");
        saved = current ? current : "";
    }
    void TearDown() override { setenv("TAVORIN_TICK_SCALE", saved.c_str(), 1); }
    std::string saved;
};

}  // namespace

TEST_F(TickScale, OnlyAPositiveNumberScalesTheTicks)
{
    struct Case {
        const char *text;
        double scale;
    } cases[] = {{"0.05", 0.05}, {"2", 2.0}, {"", 1.0}, {"0", 1.0}, {"-1", 1.0}, {"fast", 1.0}, {"0.5x", 1.0}};
    for (const Case &c : cases) {
        setenv("TAVORIN_TICK_SCALE", c.text, 1);
        EXPECT_DOUBLE_EQ(tickScale(), c.scale) << '"' << c.text << '"';
    }
    unsetenv("TAVORIN_TICK_SCALE");
    EXPECT_DOUBLE_EQ(tickScale(), 1.0);
}

// A frame paced from its start: a late first wake-up is made up by the pauses after it, and no
// pause ends before its place in the frame.
TEST_F(TickScale, DeadlinesCountFromTheStartSoLateWakeUpsDoNotAddUp)
{
    using namespace std::chrono;
    setenv("TAVORIN_TICK_SCALE", "1.2", 1);  // 20 ms a tick
    TickDeadlines frame;
    const auto start = steady_clock::now();
    frame.restart();
    Delay(4, nullptr);  // the frame's owner is held up for four ticks
    const auto late = steady_clock::now() - start;
    for (int tick = 0; tick < 6; ++tick)
        frame.waitTicks(1);
    const auto took = steady_clock::now() - start;
    EXPECT_GE(late, milliseconds(80));
    EXPECT_GE(took, milliseconds(120));      // six ticks from the start, not from the delay
    EXPECT_LT(took, milliseconds(120 + 60)); // a relative pause each would end at 200 ms or later
}
