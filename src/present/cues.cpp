// The four sound cues. Each one holds the whole game for its duration: the
// pauses are part of the game's pace, with or without a sound card.
#include "present.h"

SAMPLE *spl_start = nullptr;
SAMPLE *spl_laser = nullptr;
SAMPLE *spl_candy = nullptr;
SAMPLE *spl_hit = nullptr;

// Full volume, the library's leftmost pan, the sample's own pitch, looped.
constexpr int cue_volume = 255;
constexpr int cue_pan = 0;
constexpr int cue_pitch = 1000;
constexpr int cue_loop = 1;

// Sounds a sample, looped, for exactly duration_ms; a sample that could not
// be loaded stays silent but the game still waits.
static void play_cue(SAMPLE *sample, int duration_ms)
{
    if (sample)
        play_sample(sample, cue_volume, cue_pan, cue_pitch, cue_loop);
    keep_pace(duration_ms);
    if (sample)
        stop_sample(sample);
}

// Rising chime as the title appears.
void cue_start() { play_cue(spl_start, cue_start_ms); }
// Blip of a new candy.
void cue_candy() { play_cue(spl_candy, cue_candy_ms); }
// Zap of a laser shot.
void cue_laser() { play_cue(spl_laser, cue_laser_ms); }
// Crash as the snake dies.
void cue_hit() { play_cue(spl_hit, cue_hit_ms); }
