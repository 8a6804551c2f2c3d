// Decoding WAV files into samples.
#include "sample.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/wav.h"

namespace web {

constexpr int default_priority = 128;

// Reads a whole file; false when it cannot, or it is too big for a cue.
static bool read_file(const char *filename, std::vector<unsigned char> &bytes)
{
    FILE *f = fopen(filename, "rb");
    if (!f)
        return false;
    bool ok = fseek(f, 0, SEEK_END) == 0;
    long size = ok ? ftell(f) : -1;
    ok = size >= 0 && (size_t)size <= largest_wav_bytes && fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize((size_t)size);
        ok = fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    }
    fclose(f);
    return ok;
}

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
    std::vector<unsigned char> bytes;
    wav_layout wav;
    if (!read_file(filename, bytes) || !wav_is_usable(bytes.data(), bytes.size(), &wav))
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
