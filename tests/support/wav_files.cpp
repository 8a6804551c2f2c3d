// WAV file images made to measure.
#include "wav_files.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

void put16(bytes &b, uint32_t v)
{
    b.push_back(v & 0xff);
    b.push_back((v >> 8) & 0xff);
}

void put32(bytes &b, uint32_t v)
{
    put16(b, v & 0xffff);
    put16(b, v >> 16);
}

void put_tag(bytes &b, const char *tag)
{
    b.insert(b.end(), tag, tag + 4);
}

bytes make_wav(int format, int channels, uint32_t rate, int bits, uint32_t data_bytes,
               uint32_t declared_data_bytes)
{
    bytes b;
    put_tag(b, "RIFF");
    put32(b, 36 + data_bytes);
    put_tag(b, "WAVE");
    put_tag(b, "fmt ");
    put32(b, 16);
    put16(b, format);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * channels * bits / 8);
    put16(b, channels * bits / 8);
    put16(b, bits);
    put_tag(b, "data");
    put32(b, declared_data_bytes);
    for (uint32_t i = 0; i < data_bytes; i++)
        b.push_back((unsigned char)(i * 37));
    return b;
}

bytes good_wav()
{
    return make_wav(1, 1, 22050, 16, 400, 400);
}

std::string write_temp(const bytes &b)
{
    char name[] = "/tmp/vorlix-sample-XXXXXX.wav";
    int fd = mkstemps(name, 4);
    if (write(fd, b.data(), b.size()) != (ssize_t)b.size())
        ADD_FAILURE() << "could not write " << name;
    close(fd);
    return name;
}
