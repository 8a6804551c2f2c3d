// Reading a sound file, and the check every one passes before it is loaded,
// on every platform.
#ifndef VORLIX_WAV_H
#define VORLIX_WAV_H

#include <cstddef>
#include <cstdio>
#include <vector>

// No cue needs more than a few seconds of sound.
constexpr size_t largest_wav_bytes = 16 * 1024 * 1024;
// The rates a sound may have; the library's mixer crashes on absurd ones.
constexpr int lowest_wav_rate = 1;
constexpr int highest_wav_rate = 192000;

// Where a usable WAV file image keeps its sound.
struct wav_layout {
    int channels;       // 1 or 2, interleaved
    int rate;           // sample frames per second
    int bits;           // 8 (unsigned) or 16 (signed, little-endian)
    size_t data_at;     // offset of the first sample frame
    size_t data_bytes;  // bytes of whole sample frames
};

// Tells whether a WAV file image is one the library can load and play
// safely: a RIFF WAVE with one PCM format chunk, followed by exactly one data
// chunk of whole sample frames that lies wholly inside the file. If so and
// layout is given, says where its sound lies.
bool wav_is_usable(const unsigned char *data, size_t size, wav_layout *layout = nullptr);
// Reads a whole sound file, of at most largest_wav_bytes, from an open file
// into bytes; false when it cannot. The caller opens and closes the file.
bool read_sound_file(FILE *file, std::vector<unsigned char> &bytes);

#endif
