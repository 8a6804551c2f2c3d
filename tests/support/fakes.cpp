// The scripted keyboard and the recording waits behind the --wrap'ed calls.
#include "fakes.h"

fake_input_t fake_input;

// A wait for a key that polls this often in a row with nothing scripted is stuck.
constexpr long stuck_polls = 1000000;

void reset_fakes()
{
    fake_input = fake_input_t();
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

extern "C" void __wrap_rest(unsigned int ms)
{
    if (fake_input.record_waits)
        fake_input.waits.push_back(ms);
    fake_input.waited_ms += ms;
    if (fake_input.watcher)
        fake_input.watcher(ms);
}
