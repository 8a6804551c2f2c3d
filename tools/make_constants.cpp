// Writes the game's constants that the browser version's page, its tests and
// its benchmarks need as a JavaScript module (constants.js), from the game's
// own headers.
//   make_constants SCRIPT WEBASSEMBLY DATA > constants.js   (the game's own files)
#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "present/present.h"
#include "shell/shell.h"

int main(int argc, char **argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: %s SCRIPT WEBASSEMBLY DATA\n", argv[0]);
        return 2;
    }
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
    printf("// How long each cue sounds and holds the game, and the pauses of play, ms.\n");
    printf("export const cues = { start: %d, candy: %d, laser: %d, hit: %d };\n", cue_start_ms, cue_candy_ms,
           cue_laser_ms, cue_hit_ms);
    printf("export const pauses = { step: %d, laser: %d };\n", step_delay_ms, laser_delay_ms);
    printf("// What the game says it waits for the player to do (tell_awaited).\n");
    printf("export const awaited = { nothing: %d, start: %d, go: %d, answer: %d };\n", awaited_nothing,
           awaited_start, awaited_go, awaited_answer);
    printf("// The game's own files, which the page loads.\n");
    printf("export const game_files = { script: '%s', webassembly: '%s', data: '%s' };\n", argv[1], argv[2],
           argv[3]);
    return 0;
}
