// The library's sound samples for the browser: WAV files decoded into the
// library's own in-memory form, after the check the desktop makes.
#ifndef VORLIX_WEB_SAMPLE_H
#define VORLIX_WEB_SAMPLE_H

namespace web {

// Laid out as the library's: 8-bit samples unsigned, 16-bit ones unsigned
// with the sign bit flipped, stereo frames interleaved left then right.
struct SAMPLE {
    int bits;                  // 8 or 16
    int stereo;                // not 0 for two channels
    int freq;                  // sample frames per second
    int priority;              // 0..255
    unsigned long len;         // length in sample frames
    unsigned long loop_start;  // loop start, in frames
    unsigned long loop_end;    // loop end, in frames
    void *data;                // the sample frames
};

// Makes a sample of len frames, its data left to be filled; nullptr for a
// shape the library does not take.
SAMPLE *create_sample(int bits, int stereo, int freq, int len);
// Loads a WAV file, or returns nullptr when it is missing or unusable.
SAMPLE *load_sample(const char *filename);
// Frees a sample.
void destroy_sample(SAMPLE *spl);

}  // namespace web

#endif
