// The loop over games: title, a key, the playfield, a key, play, the prompt.
#include "../game/game.h"
#include "../present/present.h"
#include "shell.h"

// Empties the trail ring's slots before a game.
static void clear_trail()
{
    for (int i = 1; i <= trail_slots; i++) {
        game_state.trail_x[i] = 0;
        game_state.trail_y[i] = 0;
    }
}

// Waits for any key and remembers its character; the wait spins, as the game
// has nothing else to do meanwhile. The pace starts afresh after it.
static void wait_for_key(char &last_key)
{
    while (!keypressed()) {
    }
    last_key = read_key();
    reset_pace();
}

// Remembers the start position as the ring's first slot; nothing is drawn yet.
static void seed_trail()
{
    game_state.trail_pos = 1;
    game_state.trail_x[1] = game_state.head_x;
    game_state.trail_y[1] = game_state.head_y;
}

// Asks for another game and waits for y or n. The key that ended the last
// game may already be the answer.
static void ask_new_game(char &last_key, int &game_over)
{
    textprintf_ex(screen, font, prompt_x, prompt_y, pixel_of(game_state.text_color), -1,
                  "%s", "New game (y/n)?");
    do {
        if (keypressed())
            last_key = read_key();
        game_over = 0;
    } while (last_key != 'y' && last_key != 'n');
    reset_pace();
}

// Plays one game after another until the player answers n.
void play_games()
{
    char last_key = 'y';
    int game_over = 0;
    while (last_key != 'n') {
        game_state.bg_color = bgcol;
        reset_game();
        clear_playfield();
        show_title();
        clear_trail();
        wait_for_key(last_key);
        clear_playfield();
        draw_game_frame();
        place_candy();
        seed_trail();
        wait_for_key(last_key);
        play_game(last_key, game_over);
        ask_new_game(last_key, game_over);
    }
}
