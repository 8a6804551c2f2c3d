// Feeds arbitrary bytes to the sample loading: the header check, then the
// library's own loader for whatever the check lets through. A sample that
// loads must describe sound the mixer can play.
#include <allegro.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "shell/shell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool started = false;
    static char path[64];
    if (!started) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        snprintf(path, sizeof path, "/tmp/vorlix-wav-fuzz-%d.wav", (int)getpid());
        atexit([] { unlink(path); });
        started = true;
    }
    if (!wav_is_usable(data, size))
        return 0;
    FILE *f = fopen(path, "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    SAMPLE *sample = load_cue_sample(path);
    if (sample) {
        bool sane = sample->freq >= lowest_wav_rate && sample->freq <= highest_wav_rate &&
                    (sample->bits == 8 || sample->bits == 16) &&
                    (unsigned long)sample->len * (sample->bits / 8) * (sample->stereo ? 2 : 1) <= size;
        destroy_sample(sample);
        if (!sane)
            abort();
    }
    return 0;
}
