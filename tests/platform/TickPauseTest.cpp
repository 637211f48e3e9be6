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
