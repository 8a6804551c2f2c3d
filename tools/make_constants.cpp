// Writes the game's constants that the browser version's page needs as a
// JavaScript module (constants.js), from the game's own headers.
//   make_constants > constants.js
#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "present/present.h"
#include "shell/shell.h"

int main()
{
    printf("// Made by tools/make_constants from the game's own headers; do not edit.\n");
    printf("// The field, in game pixels.\n");
    printf("export const field = { width: %d, height: %d };\n", screen_w, screen_h);
    printf("// The game-over panel, both corners included.\n");
    printf("export const panel = { left: %d, top: %d, right: %d, bottom: %d };\n", panel_left, panel_top,
           panel_right, panel_bottom);
    printf("// Where the game asks for another game, in the built-in font's 8 x 8 cells.\n");
    printf("export const prompt = { x: %d, y: %d, width: %d, height: 8 };\n", text_x, prompt_y,
           (int)strlen(new_game_prompt) * 8);
    printf("// The game's keys, as characters.\n");
    printf("export const keys = { fire: '%c', left: '%c', right: '%c', yes: '%c', no: '%c' };\n", fire_key,
           turn_left_key, turn_right_key, yes_key, no_key);
    printf("// What the game says it waits for the player to do (tell_awaited).\n");
    printf("export const awaited = { nothing: %d, start: %d, go: %d, answer: %d };\n", awaited_nothing,
           awaited_start, awaited_go, awaited_answer);
    return 0;
}
