// The candy: each placement leaves a block where the candy was and paints a
// new candy over whatever lies at its new place.
#include "fixture.h"

namespace {

// Pixels shared by two 25 x 25 squares with these top-left corners.
int overlap(int ax, int ay, int bx, int by)
{
    int w = 25 - std::abs(ax - bx), h = 25 - std::abs(ay - by);
    return w > 0 && h > 0 ? w * h : 0;
}

typedef on_screen Candy;

TEST_F(Candy, GameStartLeavesOneBlockOneCandyAndCountsZero)
{
    clear_playfield();
    draw_game_frame();
    int block_x = game_state.candy_x, block_y = game_state.candy_y;
    place_candy();
    int x = game_state.candy_x, y = game_state.candy_y;
    EXPECT_EQ(count_color(x, y, x + 24, y + 24, blue), 625);
    EXPECT_EQ(count_color(0, 0, 639, 479, blue), 625);
    EXPECT_EQ(count_color(block_x, block_y, block_x + 24, block_y + 24, green),
              625 - overlap(x, y, block_x, block_y));
    EXPECT_EQ(count_color(0, 0, 639, 479, green), 625 - overlap(x, y, block_x, block_y));
    EXPECT_EQ(game_state.candy_count, 0);
    EXPECT_EQ(screen_text(candy_text_x, status_text_y, 15, red), "Candy:        0");
    EXPECT_EQ(event_names(), names({"cue_candy"}));
}

TEST_F(Candy, RelocationKeepsTheCountButAddsABlock)
{
    place_candy();
    int old_x = game_state.candy_x, old_y = game_state.candy_y;
    int blocks_before = count_color(0, 0, 639, 479, green);
    game_state.candy_count--;
    place_candy();
    EXPECT_EQ(game_state.candy_count, 0);
    EXPECT_EQ(count_color(old_x, old_y, old_x + 24, old_y + 24, green),
              625 - overlap(old_x, old_y, game_state.candy_x, game_state.candy_y));
    EXPECT_GT(count_color(0, 0, 639, 479, green), blocks_before);
    EXPECT_EQ(event_names(), names({"cue_candy", "cue_candy"}));
}

TEST_F(Candy, NewCandyPaintsOverTheSnakeAndBlocksOnlyTurnBackIntoBlocks)
{
    // Predict where the next candy goes, and lay the snake's body across it.
    rng_state_t saved = rng_state;
    pick_candy_position();
    int x = game_state.candy_x, y = game_state.candy_y;
    rng_state = saved;
    game_state.candy_x = 1;
    game_state.candy_y = 400;
    line(screen, x - 5, y + 10, x + 30, y + 10, color(red));
    place_candy();
    ASSERT_EQ(game_state.candy_x, x);
    EXPECT_EQ(count_color(x, y + 10, x + 24, y + 10, blue), 25);
    EXPECT_EQ(count_color(x - 5, y + 10, x + 30, y + 10, red), 11);
    // Placing again turns the candy into a block, never back into background.
    place_candy();
    EXPECT_EQ(count_color(x, y, x + 24, y + 24, 0), 0);
}

}  // namespace
