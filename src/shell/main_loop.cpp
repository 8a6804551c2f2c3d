// The loop over games: title, a key, the playfield, a key, play, the prompt.
#include "../game/game.h"
#include "../present/present.h"
#include "shell.h"

// Waits for any key and remembers its character; between polls the game
// rests a moment. The pace starts afresh after it.
static void wait_for_key(char &last_key, awaited_t awaited)
{
    tell_awaited(awaited);
    while (!keypressed())
        pause_between_polls();
    last_key = read_key();
    tell_awaited(awaited_nothing);
    reset_pace();
}

// Asks for another game and waits for y or n. The key that ended the last
// game may already be the answer.
static void ask_new_game(char &last_key, int &game_over)
{
    textprintf_ex(screen, font, text_x, prompt_y, pixel_of(game_state.text_color), -1, "%s", new_game_prompt);
    tell_awaited(awaited_answer);
    for (;;) {
        bool key_read = keypressed();
        if (key_read)
            last_key = read_key();
        game_over = 0;
        if (last_key == yes_key || last_key == no_key)
            break;
        if (!key_read)
            pause_between_polls();
    }
    tell_awaited(awaited_nothing);
    reset_pace();
}

void play_games()
{
    char last_key = yes_key;
    int game_over = 0;
    while (last_key != no_key) {
        game_state.bg_color = bgcol;
        reset_game();
        clear_playfield();
        show_title();
        clear_trail();
        wait_for_key(last_key, awaited_start);
        clear_playfield();
        draw_game_frame();
        place_candy();
        seed_trail();
        wait_for_key(last_key, awaited_go);
        play_game(last_key, game_over);
        ask_new_game(last_key, game_over);
    }
}
