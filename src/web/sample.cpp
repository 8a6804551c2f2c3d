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

// Loads a WAV file, or returns nullptr when it is missing or unusable.
SAMPLE *load_sample(const char *filename)
{
    std::vector<unsigned char> bytes;
    wav_layout wav;
    if (!read_file(filename, bytes) || !wav_is_usable(bytes.data(), bytes.size(), &wav))
        return nullptr;
    const unsigned char *in = bytes.data() + wav.data_at;
    size_t values = wav.data_bytes / (wav.bits / 8);  // samples of every channel
    SAMPLE *spl = new SAMPLE;
    spl->bits = wav.bits;
    spl->stereo = wav.channels == 2 ? -1 : 0;  // the library's TRUE
    spl->freq = wav.rate;
    spl->priority = default_priority;
    spl->len = values / wav.channels;
    spl->loop_start = 0;
    spl->loop_end = spl->len;
    spl->param = (unsigned long)-1;
    if (wav.bits == 8) {
        unsigned char *out = new unsigned char[values];
        memcpy(out, in, values);
        spl->data = out;
    } else {
        unsigned short *out = new unsigned short[values];
        for (size_t i = 0; i < values; i++)
            out[i] = (unsigned short)((in[2 * i] | in[2 * i + 1] << 8) ^ 0x8000);
        spl->data = out;
    }
    return spl;
}

// Frees a sample.
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
