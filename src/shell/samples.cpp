// The four cue samples, each made to its cue's length.
#include "../present/present.h"
#include "runtime_files.h"
#include "shell.h"

bool read_sound_file(const char *path, std::vector<unsigned char> &bytes)
{
    FILE *file = open_regular_file(path);
    if (!file)
        return false;
    bool ok = fseek(file, 0, SEEK_END) == 0;
    long size = ok ? ftell(file) : -1;
    ok = size >= 0 && (size_t)size <= largest_wav_bytes && fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize((size_t)size);
        ok = fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    fclose(file);
    return ok;
}

SAMPLE *load_checked_sample(const char *path)
{
    // The library's loader and mixer trust the file's header. The check
    // walks the chunks as the loader does, so the loader reads the very
    // format (rate and all) that the check let through.
    std::vector<unsigned char> bytes;
    if (!read_sound_file(path, bytes) || !wav_is_usable(bytes.data(), bytes.size()))
        return nullptr;
    return load_sample(path);
}

void load_samples()
{
    spl_start = fit_to_cue(load_cue_sample(start_sound_name), cue_start_ms);
    spl_laser = fit_to_cue(load_cue_sample(laser_sound_name), cue_laser_ms);
    spl_candy = fit_to_cue(load_cue_sample(candy_sound_name), cue_candy_ms);
    spl_hit = fit_to_cue(load_cue_sample(hit_sound_name), cue_hit_ms);
}
