// The game's pace: waits in a row keep their deadlines, so neither the time
// spent drawing between them nor a sleep's late wake-up adds up over a game,
// and a gap starts the pace afresh instead of rushing to catch up.
#include <gtest/gtest.h>

#include "fakes.h"
#include "present/present.h"

namespace {

TEST(Pace, WaitsInARowEndTheirLengthAfterThePreviousEnd)
{
    reset_fakes();
    fake_input.clock_ms = 1000;
    keep_pace(8);                 // the first wait is whole
    fake_input.clock_ms += 3;     // drawing between two waits
    keep_pace(8);                 // makes up for it
    fake_input.clock_ms += 1;
    keep_pace(16);
    EXPECT_EQ(fake_input.sleeps, std::vector<unsigned>({8, 5, 15}));
    EXPECT_DOUBLE_EQ(fake_input.clock_ms, 1032);
}

TEST(Pace, ThreeHundredStepsTakeTwentyFourHundredMsWhateverTheyCost)
{
    reset_fakes();
    fake_input.clock_ms = 5000;
    fake_input.late_ms = 0.4;  // every sleep wakes this late
    for (int step = 0; step < 300; step++) {
        fake_input.clock_ms += 0.25;  // the step's own work
        keep_pace(8);
    }
    // Only the last wake-up's lateness shows.
    EXPECT_NEAR(fake_input.clock_ms, 5000 + 0.25 + 2400 + 0.4, 1e-6);
}

TEST(Pace, AKeyWaitOrAStallStartsItAfresh)
{
    reset_fakes();
    keep_pace(8);
    fake_input.clock_ms += 5;  // the player takes a moment to press a key
    reset_pace();
    keep_pace(50);             // still whole
    fake_input.clock_ms += 20; // a stall longer than the next wait
    keep_pace(8);              // whole again: no rush to catch up
    keep_pace(8);
    EXPECT_EQ(fake_input.sleeps, std::vector<unsigned>({8, 50, 8, 8}));
}

}  // namespace
