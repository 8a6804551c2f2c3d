// Writes the game's field and the spots the page needs of it as a JavaScript
// module, for the browser version's page, from the game's own constants.
//   make_field > field.js
#include <cstdio>
#include <cstring>

#include "present/present.h"

int main()
{
    printf("// Made by tools/make_field from the game's own constants; do not edit.\n");
    printf("// The field, in game pixels.\n");
    printf("export const field = { width: %d, height: %d };\n", screen_w, screen_h);
    printf("// The game-over panel, both corners included.\n");
    printf("export const panel = { left: %d, top: %d, right: %d, bottom: %d };\n", panel_left, panel_top,
           panel_right, panel_bottom);
    printf("// Where the game asks for another game, in the built-in font's 8 x 8 cells.\n");
    printf("export const prompt = { x: %d, y: %d, width: %d, height: 8 };\n", text_x, prompt_y,
           (int)strlen(new_game_prompt) * 8);
    return 0;
}
