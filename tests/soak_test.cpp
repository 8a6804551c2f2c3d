// A long session: a scripted player mows the field row by row, firing at
// whatever lies ahead, for well over the ring's capacity of steps.
#include "play.h"

namespace {

const int left_x = 30, right_x = 600, top_y = 30, bottom_y = 460, lane_x = 20;
const long soak_steps = 230000;

typedef on_screen Soak;

bool free_at(int x, int y)
{
    return getpixel(screen, x, y) == color(game_state.bg_color);
}

// The direction the mowing pattern wants from here.
void wanted_direction(int &dx, int &dy)
{
    const game_state_t &g = game_state;
    dx = g.dir_x;
    dy = g.dir_y;
    if (g.dir_x == 1 && g.head_x >= right_x) {
        dx = 0, dy = -1;                       // up to the next row
    } else if (g.dir_y == -1) {
        dx = g.head_x > 320 ? -1 : 1, dy = 0;  // a row's turn takes one step
    } else if (g.dir_x == -1 && g.head_y > top_y && g.head_x <= left_x) {
        dx = 0, dy = -1;
    } else if (g.dir_x == -1 && g.head_y <= top_y && g.head_x <= lane_x) {
        dx = 0, dy = 1;                        // down the lane to the bottom
    } else if (g.dir_y == 1 && g.head_y >= bottom_y) {
        dx = 1, dy = 0;
    }
}

long steps_played;

// Turns where the pattern says, fires at anything in the way, and after the
// soak simply runs into the border.
int mow()
{
    if (++steps_played > soak_steps)
        return 0;
    const game_state_t &g = game_state;
    int dx, dy;
    wanted_direction(dx, dy);
    if (dx != g.dir_x || dy != g.dir_y) {
        bool left_turn = dx == g.dir_y && dy == -g.dir_x;
        if (free_at(g.head_x + dx, g.head_y + dy))
            return left_turn ? 's' : 'l';
        if (free_at(g.head_x + g.dir_x, g.head_y + g.dir_y))
            return 0;  // turn a step later
    }
    if (!free_at(g.head_x + g.dir_x, g.head_y + g.dir_y))
        return ' ';
    return 0;
}

// A write past the ring would index its arrays out of bounds, which the
// sanitizer build's bounds checks stop; here the ring's size and position
// are held to its slots.
TEST_F(Soak, RingStopsGrowingAtItsSlotsAndItsPositionStaysInThem)
{
    set_up_bare_game();
    place_candy();  // the bare game has already seeded the trail
    steps_played = 0;
    fake_machine.record_events = false;
    fake_machine.player = mow;
    char last_key = 'y';
    int game_over = 0;
    play_game(last_key, game_over);
    printf("soak: %ld steps, %d shots, %d candies, ring of %d\n", (long)game_state.distance,
           (int)game_state.shots, (int)game_state.candy_count, (int)game_state.trail_size);
    EXPECT_GT(game_state.distance, 210000);
    EXPECT_EQ(game_state.trail_size, trail_slots + 1);
    EXPECT_GE(game_state.trail_pos, 1);
    EXPECT_LT(game_state.trail_pos, trail_slots + 1);
    EXPECT_GT(game_state.shots, 0);
    // The snake on screen is never longer than the ring.
    EXPECT_LE(count_color(1, 16, 638, 478, game_state.snake_color), trail_slots);
}

}  // namespace
