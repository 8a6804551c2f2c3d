// Scripted keyboard and recorded waits for the fast tests. The tests link with
// the linker's --wrap, so the game's own calls to keypressed and readkey land
// here instead of in the library, and its pace runs on a clock that moves
// only when the game sleeps or a test moves it.
#ifndef VORLIX_TEST_FAKES_H
#define VORLIX_TEST_FAKES_H

#include <allegro.h>
#include <ctime>
#include <deque>
#include <map>
#include <string>
#include <vector>

// Thrown when a wait for a key would spin for ever: the script ran out.
struct keys_ran_out {};

// Decides the next key from the game as it stands; 0 means no key this step.
typedef int (*player_fn)();
// Looks at the game during a wait of the given length.
typedef void (*watcher_fn)(unsigned ms);

struct fake_input_t {
    std::deque<int> keys;            // keys still to be read, in order
    player_fn player = nullptr;      // asked for a key once the script is empty
    int pending = 0;                 // a key the player has chosen but not yet handed over
    long empty_polls = 0;            // polls in a row that found no key
    watcher_fn watcher = nullptr;    // called at every wait, when the screen is settled
    std::vector<unsigned> waits;     // every wait asked for, in ms
    bool record_waits = true;        // long runs keep only the total
    unsigned long long waited_ms = 0; // sum of all waits
    double clock_ms = 0;             // the game's clock
    double poll_ms = 0;              // how far the clock moves at each poll that finds no key
    double late_ms = 0;              // how long after its deadline a sleep wakes
    time_t calendar = -1;            // what time() tells the game; -1 for the real time
    std::map<const SAMPLE *, std::string> sample_names;  // samples whose playing is logged
    std::vector<std::string> sound_log;  // their plays, stops and the waits between
};

extern fake_input_t fake_input;

// Forgets every scripted key and recorded wait, and starts the pace afresh.
void reset_fakes();
// Adds keys to the script, one character each.
void script_keys(const char *keys);

#endif
