// Vorlix: a one-pixel snake with a laser. Start-up, the games, shutdown.
#include "../game/game.h"
#include "../present/present.h"
#include "shell.h"

int main(int argc, char **argv)
{
    read_options(argc, argv);
    seed_random();
    read_config();
    init_color_table();
    start_library();
    load_samples();
    play_games();
    shut_down();
    return 0;
}
END_OF_MAIN()
