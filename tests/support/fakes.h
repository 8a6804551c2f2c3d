// Scripted keyboard and recorded waits for the fast tests. The tests link with
// the linker's --wrap, so the game's own calls to keypressed and readkey land
// here instead of in the library, its pace runs on a clock that moves only
// when the game sleeps or a test moves it, and each cue and pause of the game
// is noted by name as it happens.
#ifndef VORLIX_TEST_FAKES_H
#define VORLIX_TEST_FAKES_H

#include <allegro.h>
#include <ctime>
#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// Thrown when a wait for a key would spin for ever: the script ran out.
struct keys_ran_out {};

// Decides the next key from the game as it stands; 0 means no key this step.
typedef int (*player_fn)();
// Looks at the game during one of its cues or pauses, named as the game's
// routine is: "cue_start", "cue_candy", "cue_laser", "cue_hit",
// "pause_after_step" or "pause_with_laser_dots".
typedef void (*watcher_fn)(const std::string &what);

// One cue or pause of the game, and how long it slept: its full length unless
// the pace shortened it to make up for time spent since the previous wait.
struct event_t {
    std::string what;
    unsigned ms;
    bool operator==(const event_t &o) const { return what == o.what && ms == o.ms; }
};
inline std::ostream &operator<<(std::ostream &os, const event_t &e)
{
    return os << e.what << " " << e.ms << " ms";
}

struct fake_machine_t {
    std::deque<int> keys;            // keys still to be read, in order
    player_fn player = nullptr;      // asked for a key once the script is empty
    int pending = 0;                 // a key the player has chosen but not yet handed over
    long empty_polls = 0;            // polls in a row that found no key
    watcher_fn watcher = nullptr;    // called in every cue and pause, when the screen is settled
    std::vector<event_t> events;     // every cue and pause, in order
    bool record_events = true;       // long runs keep only the total
    std::vector<unsigned> sleeps;    // every sleep of the game, cue, pause or rest, in ms
    int rests = 0;                   // sleeps outside every cue and pause: a key wait resting
    unsigned long long waited_ms = 0; // sum of all sleeps
    double clock_ms = 0;             // the game's clock
    double poll_ms = 0;              // how far the clock moves at each poll that finds no key
    double late_ms = 0;              // how long after its deadline a sleep wakes
    time_t calendar = -1;            // what time() tells the game; -1 for the real time
    std::map<const SAMPLE *, std::string> sample_names;  // samples whose playing is logged
    std::vector<std::string> sound_log;  // their plays and stops, and the cues and pauses between
    std::vector<int> awaited;        // what the shell told the platform it waits for, in order
};

extern fake_machine_t fake_machine;

// Forgets every scripted key and recorded wait, and starts the pace afresh.
void reset_fakes();
// Adds keys to the script, one character each.
void script_keys(const char *keys);
// The names of the cues and pauses so far, in order.
typedef std::vector<std::string> names;
names event_names();

#endif
