// The game's colour table.
#include "present.h"

color_table_t color_table;

void init_color_table()
{
    static const int32_t rgb[color_count][3] = {
        {0, 0, 0},       {255, 255, 255}, {255, 0, 0},     {0, 255, 0},
        {0, 0, 255},     {255, 0, 255},   {255, 255, 0},   {0, 255, 255},
        {128, 0, 0},     {0, 128, 0},     {0, 0, 128},     {128, 128, 0},
        {128, 0, 128},   {0, 128, 128},   {128, 128, 128}, {160, 160, 160},
        {192, 192, 192},
    };
    for (int i = 0; i < color_count; i++) {
        color_table.red[i] = rgb[i][0];
        color_table.green[i] = rgb[i][1];
        color_table.blue[i] = rgb[i][2];
    }
}

int pixel_of(int color_index)
{
    // At 32-bit depth a pixel reads back exactly as this value, which the
    // collision tests rely on.
    return makecol(color_table.red[color_index], color_table.green[color_index],
                   color_table.blue[color_index]);
}
