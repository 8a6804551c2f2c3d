// The game's pace: waits in a row keep their deadlines, so neither the time
// spent drawing between them nor a sleep's late wake-up adds up over a game;
// a key wait or a long stall starts the pace afresh instead of rushing.
#include <gtest/gtest.h>

#include "fakes.h"
#include "present/present.h"

namespace {

TEST(Pace, WaitsInARowEndTheirLengthAfterThePreviousEnd)
{
    reset_fakes();
    fake_machine.clock_ms = 1000;
    keep_pace(8);                 // the first wait is whole
    fake_machine.clock_ms += 3;     // drawing between two waits
    keep_pace(8);                 // makes up for it
    fake_machine.clock_ms += 1;
    keep_pace(16);
    EXPECT_EQ(fake_machine.sleeps, std::vector<unsigned>({8, 5, 15}));
    EXPECT_DOUBLE_EQ(fake_machine.clock_ms, 1032);
}

TEST(Pace, ThreeHundredStepsTakeTwentyFourHundredMsWhateverTheyCost)
{
    reset_fakes();
    fake_machine.clock_ms = 5000;
    fake_machine.late_ms = 0.4;  // every sleep wakes this late
    for (int step = 0; step < 300; step++) {
        fake_machine.clock_ms += 0.25;  // the step's own work
        keep_pace(8);
    }
    // Only the last wake-up's lateness shows.
    EXPECT_NEAR(fake_machine.clock_ms, 5000 + 0.25 + 2400 + 0.4, 1e-6);
}

TEST(Pace, ALateWakeUpIsMadeUpByTheWaitsThatFollow)
{
    reset_fakes();
    fake_machine.clock_ms = 100;
    keep_pace(8);
    fake_machine.clock_ms += 20;  // a timer that woke 20 ms late
    keep_pace(8);               // 12 ms behind: no sleep at all
    keep_pace(8);               // 4 ms behind: none either
    keep_pace(8);               // back on the deadline: 4 ms
    keep_pace(8);
    EXPECT_EQ(fake_machine.sleeps, std::vector<unsigned>({8, 4, 8}));
    EXPECT_DOUBLE_EQ(fake_machine.clock_ms, 100 + 5 * 8);
}

TEST(Pace, ACueWaitsItsWholeLengthEvenWhenTheGameIsLateAndThePaceGoesOnFromItsEnd)
{
    reset_fakes();
    fake_machine.clock_ms = 100;
    keep_pace(16);
    fake_machine.clock_ms += 20;  // the laser's dots woke 20 ms late
    cue_laser();                  // its zap still sounds, and waits, 32 ms
    keep_pace(8);                 // the next step is on time after it
    EXPECT_EQ(fake_machine.sleeps, std::vector<unsigned>({16, cue_laser_ms, 8}));
}

TEST(Pace, TimersWokenUpToThirtyMsLateKeepTheWholeRunOnTime)
{
    reset_fakes();
    fake_machine.clock_ms = 0;
    unsigned lateness = 12345;
    double start = fake_machine.clock_ms;
    for (int step = 0; step < 300; step++) {
        lateness = lateness * 1103515245u + 12345u;
        fake_machine.late_ms = (lateness >> 16) % 31;  // 0 to 30 ms
        keep_pace(8);
    }
    // The run ends on its last deadline, late only by that last wake-up.
    EXPECT_GE(fake_machine.clock_ms - start, 2400);
    EXPECT_LE(fake_machine.clock_ms - start, 2400 + 30);
}

TEST(Pace, AKeyWaitOrAStallOfMoreThanAHundredMsStartsItAfresh)
{
    reset_fakes();
    keep_pace(8);
    fake_machine.clock_ms += 5;   // the player takes a moment to press a key
    reset_pace();
    keep_pace(50);              // still whole
    fake_machine.clock_ms += 150; // a stall: the game is far behind
    keep_pace(8);               // whole again: no rush to catch up
    keep_pace(8);
    EXPECT_EQ(fake_machine.sleeps, std::vector<unsigned>({8, 50, 8, 8}));
}

}  // namespace
