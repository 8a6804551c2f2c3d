// The four cue samples, each made to its cue's length.
#include "../present/present.h"
#include "runtime_files.h"
#include "shell.h"

SAMPLE *load_cue_sample(const char *path)
{
    // The library's loader and mixer trust the file's header. The check
    // walks the chunks as the loader does, so the loader reads the very
    // format (rate and all) that the check let through.
    FILE *file = open_regular_file(path);
    if (!file)
        return nullptr;
    std::vector<unsigned char> bytes;
    bool usable = read_sound_file(file, bytes) && wav_is_usable(bytes.data(), bytes.size());
    fclose(file);
    return usable ? load_sample(path) : nullptr;
}

void load_samples()
{
    spl_start = fit_to_cue(load_cue_sample(start_sound_name), cue_start_ms);
    spl_laser = fit_to_cue(load_cue_sample(laser_sound_name), cue_laser_ms);
    spl_candy = fit_to_cue(load_cue_sample(candy_sound_name), cue_candy_ms);
    spl_hit = fit_to_cue(load_cue_sample(hit_sound_name), cue_hit_ms);
}
