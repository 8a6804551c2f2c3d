// The command line: the scale the player chooses, the help and the version.
#include <cstdlib>
#include <cstring>
#include <string>

#include "shell.h"
#include "version.h"

int chosen_scale = 0;

// What --help prints.
static const char usage[] =
    "Usage: vorlix [--scale N]\n"
    "A one-pixel snake with a laser. The game reads vorlix.cfg and its four\n"
    "sounds from the directory it is started in.\n"
    "  --scale N   show each pixel of the game as N x N pixels of the screen,\n"
    "              N from 1 (the classic 640 x 480 window) to 32; by default, and\n"
    "              where N does not fit the screen, the largest whole scale that does\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n";

// Says why the command line will not do, where the player sees it, and ends
// the program without opening a window.
[[noreturn]] static void refuse_options(const std::string &why)
{
    std::string message = "vorlix: " + why + "\nTry vorlix --help.\n";
    fputs(message.c_str(), stderr);
    fflush(stderr);
    show_start_message(message.c_str(), true);
    exit(bad_options_status);
}

// Prints what an option asked for and ends the program.
[[noreturn]] static void answer_option(const std::string &text)
{
    fputs(text.c_str(), stdout);
    fflush(stdout);
    show_start_message(text.c_str(), false);
    exit(0);
}

// Reads a scale: a whole number from 1 to most_scale, digits only.
static int read_scale(const char *text)
{
    const std::string value = text ? text : "";
    std::string why = "--scale takes a whole number from 1 to " + std::to_string(most_scale);
    if (value.empty() || value.size() > std::to_string(most_scale).size() ||
        value.find_first_not_of("0123456789") != std::string::npos)
        refuse_options(text ? why + ", not \"" + value + "\"." : why + ".");
    int scale = atoi(value.c_str());
    if (scale < 1 || scale > most_scale)
        refuse_options(why + ", not \"" + value + "\".");
    return scale;
}

void read_options(int argc, char **argv)
{
    for (int i = 1; i < argc; i++) {
        const char *arg = argv[i];
        if (strcmp(arg, "--scale") == 0)
            chosen_scale = read_scale(i + 1 < argc ? argv[++i] : nullptr);
        else if (strncmp(arg, "--scale=", 8) == 0)
            chosen_scale = read_scale(arg + 8);
        else if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0)
            answer_option(usage);
        else if (strcmp(arg, "--version") == 0)
            answer_option(std::string("Vorlix ") + game_version + "\n");
        else
            refuse_options(std::string("no such option as \"") + arg + "\".");
    }
}
