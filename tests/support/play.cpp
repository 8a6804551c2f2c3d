// Running the real step loop with keys given by step.
#include "play.h"

std::map<int, const char *> keys_at_step;
static int steps_polled = 0;

// The step loop polls the keyboard once per step, so each poll is a step.
static int key_for_this_step()
{
    steps_polled++;
    auto it = keys_at_step.find(steps_polled);
    if (it == keys_at_step.end())
        return 0;
    script_keys(it->second + 1);  // any further keys wait in the buffer
    return (unsigned char)it->second[0];
}

void set_up_bare_game()
{
    keys_at_step.clear();
    reset_game();
    clear_trail();
    clear_playfield();
    draw_game_frame();
    seed_trail();
}

char play_until_death()
{
    steps_polled = 0;
    fake_machine.player = key_for_this_step;
    char last_key = 'y';
    int game_over = 0;
    play_game(last_key, game_over);
    EXPECT_EQ(game_over, 1);
    return last_key;
}
