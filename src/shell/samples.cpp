// The four cue samples, each made to its cue's length.
#include "../present/present.h"
#include "shell.h"

void load_samples()
{
    spl_start = fit_to_cue(load_cue_sample("start.wav"), cue_start_ms);
    spl_laser = fit_to_cue(load_cue_sample("laser.wav"), cue_laser_ms);
    spl_candy = fit_to_cue(load_cue_sample("candy.wav"), cue_candy_ms);
    spl_hit = fit_to_cue(load_cue_sample("hit.wav"), cue_hit_ms);
}
