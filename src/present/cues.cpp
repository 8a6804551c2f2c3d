// The four sound cues. Each one holds the whole game for its duration: the
// pauses are part of the game's pace, with or without a sound card, and a
// cue's pause is never cut short to make up for lost time, so that its sound
// ends before the next one starts.
#include <cmath>
#include <cstdint>

#include "present.h"

SAMPLE *spl_start = nullptr;
SAMPLE *spl_laser = nullptr;
SAMPLE *spl_candy = nullptr;
SAMPLE *spl_hit = nullptr;

// Full volume, the library's leftmost pan, the sample's own pitch.
constexpr int cue_volume = 255;
constexpr int cue_pan = 0;
constexpr int cue_pitch = 1000;

// How long a cue's sound fades out at its end, so that it does not click.
constexpr double cue_fade_ms = 2.0;

// The value of silence in the library's sample data, which keeps 16-bit
// values unsigned, offset by half their range, and 8-bit ones likewise.
static int silence_of(const SAMPLE *sample)
{
    return sample->bits == 16 ? 0x8000 : 0x80;
}

SAMPLE *fit_to_cue(SAMPLE *sample, int ms)
{
    // The library starts and stops a sound only at the edge of its mixing
    // blocks, so a cue that played its sample looped and stopped it after its
    // wait sounded for a whole number of blocks instead of its own length; a
    // sound of its own length, played once and left to end by itself, is
    // heard for exactly that long.
    if (!sample || sample->len == 0)
        return sample;
    int channels = sample->stereo ? 2 : 1;
    unsigned long frames = (unsigned long)std::lround(sample->freq * (ms / 1000.0));
    SAMPLE *cue = create_sample(sample->bits, sample->stereo, sample->freq, (int)frames);
    if (!cue)
        return sample;
    int silence = silence_of(sample);
    unsigned long fade = (unsigned long)std::lround(sample->freq * (cue_fade_ms / 1000.0));
    for (unsigned long f = 0; f < frames; f++) {
        double gain = f + fade >= frames ? (double)(frames - f - 1) / fade : 1.0;
        for (int c = 0; c < channels; c++) {
            unsigned long from = (f % sample->len) * channels + c, to = f * channels + c;
            if (sample->bits == 16) {
                int v = ((uint16_t *)sample->data)[from] - silence;
                ((uint16_t *)cue->data)[to] = (uint16_t)(silence + std::lround(v * gain));
            } else {
                int v = ((uint8_t *)sample->data)[from] - silence;
                ((uint8_t *)cue->data)[to] = (uint8_t)(silence + std::lround(v * gain));
            }
        }
    }
    destroy_sample(sample);
    return cue;
}

// Sounds a sample, made to the cue's length, once; a sample that could not
// be loaded stays silent but the game still waits. A cue's sound ends by
// itself; only a new play of the same cue stops what may be left of the last.
static void play_cue(SAMPLE *sample, int duration_ms)
{
    if (sample) {
        stop_sample(sample);
        play_sample(sample, cue_volume, cue_pan, cue_pitch, 0);
    }
    keep_pace_whole(duration_ms);
}

void cue_start() { play_cue(spl_start, cue_start_ms); }
void cue_candy() { play_cue(spl_candy, cue_candy_ms); }
void cue_laser() { play_cue(spl_laser, cue_laser_ms); }
void cue_hit() { play_cue(spl_hit, cue_hit_ms); }
