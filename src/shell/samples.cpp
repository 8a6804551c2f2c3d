// The four cue samples. The library's WAV loader and mixer trust the file's
// header, so each file is checked (wav.cpp) before it is handed over: a sample
// the game cannot play safely is left out and its cue stays silent.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "../present/present.h"
#include "shell.h"

// Reads a whole regular file of modest size; false for anything else.
static bool read_small_file(const char *path, std::vector<unsigned char> &bytes)
{
    int fd = open(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (size_t)st.st_size <= largest_wav_bytes;
    if (ok) {
        bytes.resize((size_t)st.st_size);
        ok = read(fd, bytes.data(), bytes.size()) == (ssize_t)bytes.size();
    }
    close(fd);
    return ok;
}

// Loads one sample for a cue, or returns nullptr when the file is unusable.
SAMPLE *load_cue_sample(const char *path)
{
    std::vector<unsigned char> bytes;
    if (!read_small_file(path, bytes) || !wav_is_usable(bytes.data(), bytes.size()))
        return nullptr;
    SAMPLE *sample = load_sample(path);
    // The mixer crashes on absurd rates; keep that guard even for a checked file.
    if (sample && (sample->freq < lowest_wav_rate || sample->freq > highest_wav_rate)) {
        destroy_sample(sample);
        sample = nullptr;
    }
    return sample;
}

// Loads the four cue samples, each made to its cue's length; a file the
// game cannot play is left out.
void load_samples()
{
    spl_start = fit_to_cue(load_cue_sample("start.wav"), cue_start_ms);
    spl_laser = fit_to_cue(load_cue_sample("laser.wav"), cue_laser_ms);
    spl_candy = fit_to_cue(load_cue_sample("candy.wav"), cue_candy_ms);
    spl_hit = fit_to_cue(load_cue_sample("hit.wav"), cue_hit_ms);
}
