/* Preloaded into the real game by the sound tests: writes down when each
 * sample is started and stopped, on the monotonic clock, so that what the
 * test device hears can be matched with the call that asked for it. The log
 * (VORLIX_PLAY_LOG) has a line "play MS AT_NS" or "stop MS AT_NS", a
 * sample told by its length in ms, which differs for every cue, after a line
 * "output DESCRIPTION" of the library's sound output. */
#define _GNU_SOURCE
#include <allegro.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

/* Notes one call in the log. */
static void note(const char *what, const SAMPLE *spl)
{
    static FILE *log;
    if (!log) {
        const char *name = getenv("VORLIX_PLAY_LOG");
        log = name ? fopen(name, "w") : NULL;
        if (!log)
            return;
        setvbuf(log, NULL, _IOLBF, 0);
        fprintf(log, "output %s\n", digi_driver && digi_driver->desc ? digi_driver->desc : "none");
    }
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    double ms = spl && spl->freq > 0 ? spl->len * 1000.0 / spl->freq : 0;
    fprintf(log, "%s %.3f %lld\n", what, ms, (long long)t.tv_sec * 1000000000 + t.tv_nsec);
}

int play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop)
{
    static int (*real)(const SAMPLE *, int, int, int, int);
    if (!real)
        real = (int (*)(const SAMPLE *, int, int, int, int))dlsym(RTLD_NEXT, "play_sample");
    note("play", spl);
    return real(spl, vol, pan, freq, loop);
}

void stop_sample(const SAMPLE *spl)
{
    static void (*real)(const SAMPLE *);
    if (!real)
        real = (void (*)(const SAMPLE *))dlsym(RTLD_NEXT, "stop_sample");
    note("stop", spl);
    real(spl);
}
