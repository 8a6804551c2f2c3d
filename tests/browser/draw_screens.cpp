// Draws, with the real library and the game's own routines, what the page
// must show pixel for pixel when its clock says the given time: the title,
// the playfield at the start of the first game, and the game-over panel with
// its prompt once the snake has run into the border untouched.
//   draw_screens SECONDS_SINCE_1970 OUTPUT_DIR   writes title.ppm, field.ppm, panel.ppm
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fixture.h"
#include "shell/shell.h"

namespace {

std::string out_dir;

// Writes the screen as a binary PPM.
void write_ppm(const char *name)
{
    std::string file = out_dir + "/" + name;
    FILE *f = fopen(file.c_str(), "wb");
    if (!f) {
        perror(file.c_str());
        exit(1);
    }
    fprintf(f, "P6\n%d %d\n255\n", screen->w, screen->h);
    for (int y = 0; y < screen->h; y++)
        for (int x = 0; x < screen->w; x++) {
            int c = getpixel(screen, x, y);
            unsigned char rgb[3] = {(unsigned char)getr32(c), (unsigned char)getg32(c), (unsigned char)getb32(c)};
            fwrite(rgb, 1, 3, f);
        }
    fclose(f);
}

// The title is whole when its chime starts, the field when the first
// candy's blip does; at the crash the prompt is still to come, so n is typed.
void snapshot(const std::string &what)
{
    static int candies = 0;
    if (what == "cue_start")
        write_ppm("title.ppm");
    if (what == "cue_candy" && candies++ == 0)
        write_ppm("field.ppm");
    if (what == "cue_hit")
        script_keys("n");
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: draw_screens SECONDS_SINCE_1970 OUTPUT_DIR\n");
        return 2;
    }
    out_dir = argv[2];
    start_test_screen();
    reset_fakes();
    fake_machine.calendar = (time_t)atoll(argv[1]);
    fake_machine.watcher = snapshot;
    seed_random();
    bgcol = black;
    script_keys("ab");  // the title's key and the start key, then no steering at all
    play_games();
    write_ppm("panel.ppm");
    return 0;
}
