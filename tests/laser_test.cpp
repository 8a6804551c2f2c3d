// The laser: dots ahead of the head, hits that score, and the wipe that cuts
// a channel through whatever lies on its span.
#include "play.h"

namespace {

typedef on_screen Laser;

struct direction_case {
    int dir_x, dir_y;
    int first, last;  // the first and last dot along the line of fire
};

// Dots seen on the line of fire while the laser pauses.
int dots_seen;
int line_is_x;  // 1 when the line of fire is a row

void count_dots(const std::string &what)
{
    if (what != "pause_with_laser_dots")
        return;
    dots_seen = line_is_x ? count_color(1, 240, 638, 240, red) : count_color(320, 16, 320, 478, red);
}

TEST_F(Laser, DotsEveryFourPixelsThenAWipeInEachDirection)
{
    const direction_case cases[] = {
        {1, 0, 321, 633}, {-1, 0, 319, 7}, {0, 1, 241, 473}, {0, -1, 239, 19}};
    for (const direction_case &c : cases) {
        set_up_bare_game();
        // A green line all along the line of fire shows what the wipe cuts.
        if (c.dir_x)
            line(screen, 1, 240, 638, 240, color(green));
        else
            line(screen, 320, 16, 320, 478, color(green));
        game_state.dir_x = c.dir_x;
        game_state.dir_y = c.dir_y;
        line_is_x = c.dir_x != 0;
        reset_fakes();
        fake_machine.watcher = count_dots;
        dots_seen = 0;
        fire_laser();
        EXPECT_EQ(dots_seen, (std::abs(c.last - c.first)) / 4 + 1);
        int lo = std::min(c.first, c.last), hi = std::max(c.first, c.last);
        if (c.dir_x) {
            EXPECT_EQ(count_color(lo, 240, hi, 240, black), hi - lo + 1);
            EXPECT_EQ(count_color(1, 240, 638, 240, green), 638 - (hi - lo + 1));
        } else {
            EXPECT_EQ(count_color(320, lo, 320, hi, black), hi - lo + 1);
            EXPECT_EQ(count_color(320, 16, 320, 478, green), 463 - (hi - lo + 1));
        }
        EXPECT_EQ(count_color(0, 0, 639, 479, red) - count_color(1, status_top, border_right - 1, status_bottom, red), 0);
        EXPECT_EQ(game_state.shots, 1);
        EXPECT_EQ(event_names(), names({"pause_with_laser_dots", "cue_laser"}));
    }
}

TEST_F(Laser, PastTheLimitItDrawsNothingButStillCountsAndPauses)
{
    const int heads[][4] = {{634, 240, 1, 0}, {5, 240, -1, 0}, {320, 474, 0, 1}, {320, 18, 0, -1}};
    for (const auto &h : heads) {
        set_up_bare_game();
        reset_fakes();
        int shots = game_state.shots;
        game_state.head_x = h[0];
        game_state.head_y = h[1];
        game_state.dir_x = h[2];
        game_state.dir_y = h[3];
        fire_laser();
        EXPECT_EQ(count_color(1, 16, 638, 478, red), 0);
        EXPECT_EQ(game_state.shots, shots + 1);
        EXPECT_EQ(event_names(), names({"pause_with_laser_dots", "cue_laser"}));
        EXPECT_EQ(screen_text(shots_text_x, status_text_y, 15, red), "Shots:        1");
    }
}

// Paints a candy square with its top-left corner at (x, y).
void paint_candy(int x, int y)
{
    game_state.candy_x = x;
    game_state.candy_y = y;
    rectfill(screen, x, y, x + 24, y + 24, color(blue));
}

TEST_F(Laser, AHitScoresTheCandyAndTheWipeCutsItsBlock)
{
    set_up_bare_game();
    paint_candy(400, 230);
    fire_laser();
    EXPECT_EQ(game_state.candy_count, 0);  // -1 from the reset, +1 for the hit
    EXPECT_EQ(game_state.shots, 1);
    EXPECT_EQ(count_color(400, 230, 424, 254, green) + count_color(400, 230, 424, 254, blue), 625 - 25);
    EXPECT_EQ(count_color(400, 240, 424, 240, black), 25);  // the channel
    EXPECT_NE(game_state.candy_x * 1000 + game_state.candy_y, 400 * 1000 + 230);
    EXPECT_EQ(event_names(), names({"cue_candy", "pause_with_laser_dots", "cue_laser"}));
    EXPECT_EQ(screen_text(candy_text_x, status_text_y, 15, red), "Candy:        0");
}

TEST_F(Laser, OneShotCanScoreTheNewCandyFurtherAlong)
{
    set_up_bare_game();
    // Find a seed whose next candy leaves room for a first candy before it.
    int next_x = 0, next_y = 0;
    for (int32_t seed = -1; next_x < 100 || next_y < 30 || next_y > 440; seed--) {
        rng_state = rng_state_t();
        rng_state.rng_seed = seed;
        rng_state_t saved = rng_state;
        pick_candy_position();
        next_x = game_state.candy_x;
        next_y = game_state.candy_y;
        rng_state = saved;
    }
    game_state.head_x = next_x - 70;
    game_state.head_y = next_y + 12;
    paint_candy(next_x - 60, next_y);
    fire_laser();
    EXPECT_EQ(game_state.candy_count, 1);
    EXPECT_EQ(event_names(), names({"cue_candy", "cue_candy", "pause_with_laser_dots", "cue_laser"}));
}

TEST_F(Laser, TheSnakePassesThroughAChannelCutInABlock)
{
    set_up_bare_game();
    rectfill(screen, 400, 200, 424, 280, color(green));
    keys_at_step = {{1, " "}};
    play_until_death();
    EXPECT_EQ(game_state.head_x, 639);  // it got through to the border
    EXPECT_EQ(game_state.shots, 1);
    EXPECT_EQ(game_state.distance, 318);
}

}  // namespace
