// The random numbers: repeatable, in range, never reseeded by a new game, and
// the same numbers as the generators' plain 64-bit formulas give.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fakes.h"
#include "game/game.h"

namespace {

std::vector<double> draws(int32_t seed, int count)
{
    rng_state = rng_state_t();
    rng_state.rng_seed = seed;
    std::vector<double> out;
    for (int i = 0; i < count; i++)
        out.push_back(next_random());
    return out;
}

// The same generator written the obvious way, with 64-bit products.
struct reference_rng {
    int64_t s1, s2, last, table[32];
    explicit reference_rng(int32_t seed)
    {
        s1 = seed < 0 ? -(int64_t)seed : 1;
        s2 = s1;
        for (int j = 39; j >= 0; j--) {
            s1 = s1 * 40014 % 2147483563;
            if (j < 32)
                table[j] = s1;
        }
        last = table[0];
    }
    double next()
    {
        s1 = s1 * 40014 % 2147483563;
        s2 = s2 * 40692 % 2147483399;
        int j = (int)(last / 67108862);
        last = table[j] - s2;
        table[j] = s1;
        if (last < 1)
            last += 2147483562;
        double r = last * 4.656613057391769e-10;
        return r > 0.99999988 ? 0.99999988 : r;
    }
};

TEST(RandomNumbers, SameSeedGivesTheSameSequence)
{
    EXPECT_EQ(draws(-1234567, 5000), draws(-1234567, 5000));
    EXPECT_NE(draws(-1234567, 50), draws(-1234568, 50));
}

TEST(RandomNumbers, MatchTheGeneratorsWrittenWith64BitProducts)
{
    for (int32_t seed : {-1, -2, -987654321, -2147483647}) {
        reference_rng ref(seed);
        std::vector<double> got = draws(seed, 20000);
        for (size_t i = 0; i < got.size(); i++)
            ASSERT_EQ(got[i], ref.next()) << "seed " << seed << " draw " << i;
    }
}

TEST(RandomNumbers, StayInsideTheOpenUnitIntervalAndBelowTheClamp)
{
    std::vector<double> got = draws(-42, 500000);
    for (double r : got) {
        ASSERT_GT(r, 0.0);
        ASSERT_LE(r, 0.99999988);
    }
}

TEST(RandomNumbers, SmallestAndLargestCombinedValues)
{
    // Arrange the table so that the next combined value is exactly 1, then the
    // largest, which comes from a difference of 0 wrapped round.
    for (int32_t combined : {1, 0}) {
        rng_state = rng_state_t();
        rng_state.rng_seed = 1000;
        rng_state.rng_seed2 = 5000;
        rng_state.rng_last = 0;  // picks table slot 0
        int64_t next_seed2 = (int64_t)5000 * 40692 % 2147483399;
        rng_state.rng_table[0] = (int32_t)next_seed2 + combined;
        double r = next_random();
        if (combined == 1)
            EXPECT_EQ(r, 4.656613057391769e-10);
        else
            EXPECT_EQ(r, 0.99999988);
    }
}

TEST(RandomNumbers, ClockSeedAlwaysAsksForInitialisation)
{
    seed_random();
    EXPECT_LE(rng_state.rng_seed, -1);
    double r = next_random();
    EXPECT_GT(r, 0.0);
    EXPECT_GT(rng_state.rng_seed, 0);
}

TEST(RandomNumbers, ClockSeedIsTheSecondsHalfRoundedWrappedAndNegated)
{
    // Seconds since 1970, and the seed each gives: the wrap at 2^31 - 1 keeps
    // the seed in range long after 2038.
    const std::vector<std::pair<time_t, int32_t>> cases = {
        {0, -1}, {1700000000, -1700000001}, {2147483646, -2147483647},
        {2147483647, -1}, {4294967295, -2}};
    for (auto [seconds, seed] : cases) {
        fake_machine.calendar = seconds;
        seed_random();
        EXPECT_EQ(rng_state.rng_seed, seed) << seconds;
    }
    fake_machine.calendar = -1;
}

TEST(CandyPosition, StaysInsideTheBorderForEveryDraw)
{
    rng_state = rng_state_t();
    rng_state.rng_seed = -77;
    game_state.candy_size = 24;
    int min_x = 1000, max_x = 0, min_y = 1000, max_y = 0;
    for (int i = 0; i < 300000; i++) {
        pick_candy_position();
        min_x = std::min(min_x, (int)game_state.candy_x);
        max_x = std::max(max_x, (int)game_state.candy_x);
        min_y = std::min(min_y, (int)game_state.candy_y);
        max_y = std::max(max_y, (int)game_state.candy_y);
    }
    EXPECT_GE(min_x, 1);
    EXPECT_LE(max_x, 613);
    EXPECT_GE(min_y, 15);
    EXPECT_LE(max_y, 454);
    EXPECT_LT(min_x, 5);  // the whole range is really used
    EXPECT_GT(max_y, 450);
}

TEST(NewGame, KeepsTheRandomSequenceGoing)
{
    rng_state = rng_state_t();
    rng_state.rng_seed = -99;
    reset_game();
    rng_state_t before = rng_state;
    double x_draw = next_random(), y_draw = next_random();
    rng_state = before;
    reset_game();
    EXPECT_EQ(game_state.candy_x, (int32_t)((637.0 - 24) * x_draw + 1.0));
    EXPECT_EQ(game_state.candy_y, (int32_t)((464.0 - 24) * y_draw + 15.0));
    EXPECT_EQ(game_state.candy_count, -1);
    EXPECT_EQ(game_state.head_x, 320);
    EXPECT_EQ(game_state.trail_size, 2);
}

}  // namespace
