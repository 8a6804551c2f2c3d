// WAV file images made to measure, and temporary files to hold them.
#ifndef VORLIX_TEST_WAV_FILES_H
#define VORLIX_TEST_WAV_FILES_H

#include <cstdint>
#include <string>
#include <vector>

typedef std::vector<unsigned char> bytes;

// Appends a little-endian field or a four-letter chunk tag.
void put16(bytes &b, uint32_t v);
void put32(bytes &b, uint32_t v);
void put_tag(bytes &b, const char *tag);

// A WAV image with one format chunk and a data chunk of data_bytes bytes
// that claims declared_data_bytes.
bytes make_wav(int format, int channels, uint32_t rate, int bits, uint32_t data_bytes,
               uint32_t declared_data_bytes);
// A short 16-bit mono WAV image that every loader takes.
bytes good_wav();
// Writes the image to a new temporary .wav file and returns its name.
std::string write_temp(const bytes &b);

#endif
