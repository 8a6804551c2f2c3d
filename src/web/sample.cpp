// Decoding WAV files into samples.
#include "sample.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/wav.h"

namespace web {

constexpr int default_priority = 128;

SAMPLE *create_sample(int bits, int stereo, int freq, int len)
{
    if ((bits != 8 && bits != 16) || freq <= 0 || len <= 0)
        return nullptr;
    size_t values = (size_t)len * (stereo ? 2 : 1);
    SAMPLE *spl = new SAMPLE;
    spl->bits = bits;
    spl->stereo = stereo ? -1 : 0;  // the library's TRUE
    spl->freq = freq;
    spl->priority = default_priority;
    spl->len = (unsigned long)len;
    spl->loop_start = 0;
    spl->loop_end = spl->len;
    if (bits == 8)
        spl->data = new unsigned char[values]();
    else
        spl->data = new unsigned short[values]();
    return spl;
}

SAMPLE *load_sample(const char *filename)
{
    // Opened as the library's loader opens a file, whatever it is.
    FILE *file = fopen(filename, "rb");
    if (!file)
        return nullptr;
    std::vector<unsigned char> bytes;
    wav_layout wav;
    bool usable = read_sound_file(file, bytes) && wav_is_usable(bytes.data(), bytes.size(), &wav);
    fclose(file);
    if (!usable)
        return nullptr;
    const unsigned char *in = bytes.data() + wav.data_at;
    size_t values = wav.data_bytes / (wav.bits / 8);  // samples of every channel
    SAMPLE *spl = create_sample(wav.bits, wav.channels == 2, wav.rate, (int)(values / wav.channels));
    if (wav.bits == 8) {
        memcpy(spl->data, in, values);
    } else {
        unsigned short *out = (unsigned short *)spl->data;
        for (size_t i = 0; i < values; i++)
            out[i] = (unsigned short)((in[2 * i] | in[2 * i + 1] << 8) ^ 0x8000);
    }
    return spl;
}

void destroy_sample(SAMPLE *spl)
{
    if (!spl)
        return;
    if (spl->bits == 8)
        delete[] (unsigned char *)spl->data;
    else
        delete[] (unsigned short *)spl->data;
    delete spl;
}

}  // namespace web
