// The desktop's side of the shell: loading a cue's sample, and what the
// game waits for, which the window's screen says alone. The library's WAV
// loader and mixer trust the file's header, so each file is checked
// (wav.cpp) before it is handed over: a sample the game cannot play safely
// is left out and its cue stays silent.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "shell/shell.h"

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

SAMPLE *load_cue_sample(const char *path)
{
    // The check walks the chunks as the loader does, so the loader reads the
    // very format (rate and all) that the check let through.
    std::vector<unsigned char> bytes;
    if (!read_small_file(path, bytes) || !wav_is_usable(bytes.data(), bytes.size()))
        return nullptr;
    return load_sample(path);
}

extern "C" void tell_awaited(int)
{
}
