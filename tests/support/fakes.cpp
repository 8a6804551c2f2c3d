// The scripted keyboard, the recording waits, the calendar and the sound log
// behind the --wrap'ed calls.
#include "fakes.h"

#include <cmath>

#include "present/present.h"

fake_input_t fake_input;

// A wait for a key that polls this often in a row with nothing scripted is stuck.
constexpr long stuck_polls = 1000000;

void reset_fakes()
{
    fake_input = fake_input_t();
    reset_pace();
}

void script_keys(const char *keys)
{
    for (; *keys; keys++)
        fake_input.keys.push_back((unsigned char)*keys);
}

extern "C" int __wrap_keypressed()
{
    fake_input_t &f = fake_input;
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
    fake_input_t &f = fake_input;
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
    return fake_input.clock_ms;
}

// A wait is recorded as the time it sleeps: its full length unless the pace
// shortened it to make up for time that passed since the previous wait.
extern "C" void __wrap_sleep_until_ms(double deadline)
{
    fake_input_t &f = fake_input;
    unsigned ms = deadline > f.clock_ms ? (unsigned)std::lround(deadline - f.clock_ms) : 0;
    if (deadline > f.clock_ms)
        f.clock_ms = deadline;
    f.clock_ms += f.late_ms;
    if (f.record_waits)
        f.waits.push_back(ms);
    if (!f.sample_names.empty())
        f.sound_log.push_back("wait " + std::to_string(ms));
    f.waited_ms += ms;
    if (f.watcher)
        f.watcher(ms);
}

extern "C" time_t __real_time(time_t *t);
extern "C" time_t __wrap_time(time_t *t)
{
    if (fake_input.calendar == -1)
        return __real_time(t);
    if (t)
        *t = fake_input.calendar;
    return fake_input.calendar;
}

// Sound goes to the real library; the plays and stops of named samples are logged.
extern "C" int __real_play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop);
extern "C" int __wrap_play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop)
{
    auto name = fake_input.sample_names.find(spl);
    if (name != fake_input.sample_names.end())
        fake_input.sound_log.push_back("play " + name->second + " " + std::to_string(vol) + " " +
                                       std::to_string(pan) + " " + std::to_string(freq) + " " +
                                       std::to_string(loop));
    return __real_play_sample(spl, vol, pan, freq, loop);
}

extern "C" void __real_stop_sample(const SAMPLE *spl);
extern "C" void __wrap_stop_sample(const SAMPLE *spl)
{
    auto name = fake_input.sample_names.find(spl);
    if (name != fake_input.sample_names.end())
        fake_input.sound_log.push_back("stop " + name->second);
    __real_stop_sample(spl);
}
