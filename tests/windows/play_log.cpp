// Linked into a test build of the Windows program, which wine cannot preload
// a library into: writes down when each sample is started, as the desktop's
// play_log.c does, in its log's form ("play MS AT_NS", a sample told by its
// length in ms, after a line "output DESCRIPTION" of the library's sound
// output), to VORLIX_PLAY_LOG. The time is the performance counter,
// which wine keeps on the machine's raw monotonic clock, moved onto its
// monotonic clock by VORLIX_CLOCK_OFFSET_NS, as the recording is stamped.
#include <allegro.h>
#include <winalleg.h>
#include <cstdio>
#include <cstdlib>

extern "C" int __real_play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop);

extern "C" int __wrap_play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop)
{
    static FILE *log = nullptr;
    static long long offset_ns = 0;
    static double ns_per_tick = 0;
    if (!log) {
        const char *name = getenv("VORLIX_PLAY_LOG");
        const char *offset = getenv("VORLIX_CLOCK_OFFSET_NS");
        log = name ? fopen(name, "w") : nullptr;
        if (log)
            fprintf(log, "output %s\n", digi_driver && digi_driver->desc ? digi_driver->desc : "none");
        offset_ns = offset ? atoll(offset) : 0;
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        ns_per_tick = 1e9 / (double)frequency.QuadPart;
    }
    if (log && spl) {
        LARGE_INTEGER ticks;
        QueryPerformanceCounter(&ticks);
        double ms = spl->freq > 0 ? spl->len * 1000.0 / spl->freq : 0;
        fprintf(log, "play %.3f %lld\n", ms, (long long)(ticks.QuadPart * ns_per_tick) + offset_ns);
        fflush(log);
    }
    return __real_play_sample(spl, vol, pan, freq, loop);
}
