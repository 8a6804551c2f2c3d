// Reading a sound file, and the check of a WAV file image: its chunks walked
// the way the library's loader walks them.
#include "wav.h"

#include <cstdint>
#include <cstring>

constexpr size_t riff_header = 12;
constexpr size_t chunk_header = 8;
constexpr size_t fmt_min_bytes = 16;

// Reads a little-endian 16-bit or 32-bit field.
static uint32_t le16(const unsigned char *p) { return p[0] | (p[1] << 8); }
static uint32_t le32(const unsigned char *p) { return le16(p) | (le16(p + 2) << 16); }

// Tells whether a "fmt " chunk describes plain 8- or 16-bit PCM at a sane rate.
static bool pcm_format_usable(const unsigned char *fmt, size_t length)
{
    if (length < fmt_min_bytes)
        return false;
    uint32_t format = le16(fmt), channels = le16(fmt + 2), rate = le32(fmt + 4);
    uint32_t bits = le16(fmt + 14);
    return format == 1 && (channels == 1 || channels == 2) && rate >= (uint32_t)lowest_wav_rate &&
           rate <= (uint32_t)highest_wav_rate && (bits == 8 || bits == 16);
}

bool wav_is_usable(const unsigned char *data, size_t size, wav_layout *layout)
{
    // The chunks are walked the way the library's loader walks them, with no
    // pad bytes after odd sizes, so that both see the same chunks.
    if (size < riff_header || memcmp(data, "RIFF", 4) != 0 || memcmp(data + 8, "WAVE", 4) != 0)
        return false;
    wav_layout found = {};
    size_t frame_bytes = 0;  // bytes per sample frame, known once the format is
    int data_chunks = 0;
    size_t pos = riff_header;
    while (size - pos >= chunk_header) {
        const unsigned char *chunk = data + pos;
        size_t length = le32(chunk + 4);
        size_t body = pos + chunk_header;
        if (length > size - body)
            return false;  // a chunk that claims more than the file holds
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (frame_bytes != 0 || data_chunks > 0 || !pcm_format_usable(data + body, length))
                return false;
            found.channels = (int)le16(data + body + 2);
            found.rate = (int)le32(data + body + 4);
            found.bits = (int)le16(data + body + 14);
            frame_bytes = (size_t)found.channels * (found.bits / 8);
        } else if (memcmp(chunk, "data", 4) == 0) {
            // The loader would read a part frame past the end of its buffer.
            if (frame_bytes == 0 || length == 0 || length % frame_bytes != 0 || ++data_chunks > 1)
                return false;
            found.data_at = body;
            found.data_bytes = length;
        }
        pos = body + length;
    }
    // The loader reads a chunk from any four bytes left over, and a second
    // sample made from a cut-off "data" header leaks the first.
    if (size - pos >= 4 || data_chunks != 1)
        return false;
    if (layout)
        *layout = found;
    return true;
}

bool read_sound_file(FILE *file, std::vector<unsigned char> &bytes)
{
    bool ok = fseek(file, 0, SEEK_END) == 0;
    long size = ok ? ftell(file) : -1;
    ok = size >= 0 && (size_t)size <= largest_wav_bytes && fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize((size_t)size);
        ok = fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    return ok;
}
