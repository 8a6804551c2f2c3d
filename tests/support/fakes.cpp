// The scripted keyboard, the recording waits, the calendar and the sound log
// behind the --wrap'ed calls.
#include "fakes.h"

#include <cmath>

#include "present/present.h"

fake_machine_t fake_machine;

// A wait for a key that polls this often in a row with nothing scripted is stuck.
constexpr long stuck_polls = 1000000;

void reset_fakes()
{
    fake_machine = fake_machine_t();
    reset_pace();
}

void script_keys(const char *keys)
{
    for (; *keys; keys++)
        fake_machine.keys.push_back((unsigned char)*keys);
}

names event_names()
{
    names list;
    for (const event_t &e : fake_machine.events)
        list.push_back(e.what);
    return list;
}

static const char *current_event = nullptr;  // the cue or pause the game is in
static unsigned current_event_ms = 0;       // how long it has slept so far

// Runs one cue or pause of the game and notes it by name.
static void note_event(const char *what, void (*routine)())
{
    current_event = what;
    current_event_ms = 0;
    routine();
    if (fake_machine.record_events)
        fake_machine.events.push_back({what, current_event_ms});
    current_event = nullptr;
}

// The game's cues and pauses are C++ routines, so they are wrapped by their
// mangled names: cue_start() is _Z9cue_startv, and so on.
#define NOTE_EVENT(routine, mangled)                          \
    extern "C" void __real_##mangled();                       \
    extern "C" void __wrap_##mangled() { note_event(#routine, __real_##mangled); }
NOTE_EVENT(cue_start, _Z9cue_startv)
NOTE_EVENT(cue_candy, _Z9cue_candyv)
NOTE_EVENT(cue_laser, _Z9cue_laserv)
NOTE_EVENT(cue_hit, _Z7cue_hitv)
NOTE_EVENT(pause_after_step, _Z16pause_after_stepv)
NOTE_EVENT(pause_with_laser_dots, _Z21pause_with_laser_dotsv)

extern "C" int __wrap_keypressed()
{
    fake_machine_t &f = fake_machine;
    if (f.keys.empty() && f.player && f.pending == 0)
        f.pending = f.player();
    if (!f.keys.empty() || f.pending != 0) {
        f.empty_polls = 0;
        return 1;
    }
    f.clock_ms += f.poll_ms;
    if (++f.empty_polls > stuck_polls)
        throw keys_ran_out();
    return 0;
}

extern "C" int __wrap_readkey()
{
    fake_machine_t &f = fake_machine;
    // The player's key was chosen while the script was empty, so it comes first.
    if (f.pending != 0) {
        int key = f.pending;
        f.pending = 0;
        return key;
    }
    if (!f.keys.empty()) {
        int key = f.keys.front();
        f.keys.pop_front();
        return key;
    }
    throw keys_ran_out();
}

extern "C" double __wrap_now_ms()
{
    return fake_machine.clock_ms;
}

// A sleep moves the clock to its deadline, and a little later if sleeps are
// set to wake late; inside a cue or pause it counts towards that one.
extern "C" void __wrap_sleep_until_ms(double deadline)
{
    fake_machine_t &f = fake_machine;
    unsigned ms = deadline > f.clock_ms ? (unsigned)std::lround(deadline - f.clock_ms) : 0;
    if (deadline > f.clock_ms)
        f.clock_ms = deadline;
    f.clock_ms += f.late_ms;
    if (f.record_events)
        f.sleeps.push_back(ms);
    f.waited_ms += ms;
    if (!current_event) {
        f.rests++;
        return;
    }
    current_event_ms += ms;
    if (!f.sample_names.empty())
        f.sound_log.push_back(current_event);
    if (f.watcher)
        f.watcher(current_event);
}

extern "C" time_t __real_time(time_t *t);
extern "C" time_t __wrap_time(time_t *t)
{
    if (fake_machine.calendar == -1)
        return __real_time(t);
    if (t)
        *t = fake_machine.calendar;
    return fake_machine.calendar;
}

// Sound goes to the real library; the plays and stops of named samples are logged.
extern "C" int __real_play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop);
extern "C" int __wrap_play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop)
{
    auto name = fake_machine.sample_names.find(spl);
    if (name != fake_machine.sample_names.end())
        fake_machine.sound_log.push_back("play " + name->second + " " + std::to_string(vol) + " " +
                                       std::to_string(pan) + " " + std::to_string(freq) + " " +
                                       std::to_string(loop));
    return __real_play_sample(spl, vol, pan, freq, loop);
}

extern "C" void __real_stop_sample(const SAMPLE *spl);
extern "C" void __wrap_stop_sample(const SAMPLE *spl)
{
    auto name = fake_machine.sample_names.find(spl);
    if (name != fake_machine.sample_names.end())
        fake_machine.sound_log.push_back("stop " + name->second);
    __real_stop_sample(spl);
}

// What the shell tells the platform it waits for is noted.
extern "C" void __wrap_tell_awaited(int awaited)
{
    fake_machine.awaited.push_back(awaited);
}
