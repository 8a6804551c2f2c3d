// The cue samples: the shipped sounds load, and a file the library could not
// play safely is refused before the library sees it.
#include "fixture.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "shell/shell.h"
#include "wav_files.h"

namespace {

typedef on_screen CueSamples;

TEST_F(CueSamples, ShippedSoundsLoadAsShortMonoSamples)
{
    std::string dir = VORLIX_ASSETS;
    for (const char *name : {"start.wav", "laser.wav", "candy.wav", "hit.wav"}) {
        SAMPLE *s = load_cue_sample((dir + "/" + name).c_str());
        ASSERT_NE(s, nullptr) << name;
        EXPECT_EQ(s->bits, 16);
        EXPECT_EQ(s->stereo, 0);
        EXPECT_EQ(s->freq, 22050);
        destroy_sample(s);
    }
}

TEST_F(CueSamples, PlainPcmIsAcceptedInEachSupportedShape)
{
    for (auto wav : {good_wav(), make_wav(1, 2, 44100, 16, 400, 400), make_wav(1, 1, 8000, 8, 401, 401),
                     make_wav(1, 1, 192000, 16, 40, 40), make_wav(1, 1, 1, 8, 4, 4)}) {
        EXPECT_TRUE(wav_is_usable(wav.data(), wav.size()));
        std::string path = write_temp(wav);
        SAMPLE *s = load_cue_sample(path.c_str());
        EXPECT_NE(s, nullptr);
        destroy_sample(s);
        unlink(path.c_str());
    }
}

TEST_F(CueSamples, HeadersTheMixerCannotTrustAreRefused)
{
    bytes two_data = good_wav();
    put_tag(two_data, "data");
    put32(two_data, 2);
    put16(two_data, 0);
    bytes no_format = good_wav();
    no_format.erase(no_format.begin() + 12, no_format.begin() + 36);
    bytes truncated = good_wav();
    truncated.resize(truncated.size() - 1);
    bytes cut_off_chunk = good_wav();
    put_tag(cut_off_chunk, "data");
    put16(cut_off_chunk, 0x83);
    // A pad byte after an odd chunk would hide a "data" chunk that the
    // library, which does not skip pad bytes, goes on to load.
    bytes hidden_data = make_wav(1, 1, 8000, 8, 123, 123);
    put_tag(hidden_data, "data");
    put32(hidden_data, 4);
    put32(hidden_data, 0);
    bytes not_riff = good_wav();
    not_riff[0] = 'X';
    const bytes refused[] = {
        make_wav(1, 1, 0, 16, 400, 400),           // no rate
        make_wav(1, 1, 0x80000000u, 16, 400, 400), // negative as a signed rate
        make_wav(1, 1, 524288, 16, 400, 400),      // 2^19 Hz
        make_wav(1, 1, 22050, 24, 402, 402),       // 24-bit
        make_wav(3, 1, 22050, 32, 400, 400),       // float
        make_wav(1, 3, 22050, 16, 400, 400),       // three channels
        make_wav(1, 1, 22050, 16, 400, 0xfffffff0u), // huge declared length
        make_wav(1, 1, 22050, 16, 0, 0),           // no sound at all
        make_wav(1, 2, 8000, 8, 123, 123),         // half a stereo frame at the end
        two_data, cut_off_chunk, hidden_data, no_format, truncated, not_riff, bytes(), bytes(11, 'R'),
    };
    for (size_t i = 0; i < sizeof refused / sizeof refused[0]; i++) {
        EXPECT_FALSE(wav_is_usable(refused[i].data(), refused[i].size())) << "case " << i;
        std::string path = write_temp(refused[i]);
        EXPECT_EQ(load_cue_sample(path.c_str()), nullptr) << "case " << i;
        unlink(path.c_str());
    }
}

TEST_F(CueSamples, MissingFilesAndDirectoriesAreSilent)
{
    EXPECT_EQ(load_cue_sample("/nonexistent/start.wav"), nullptr);
    char dir[] = "/tmp/vorlix-dir-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    EXPECT_EQ(load_cue_sample(dir), nullptr);
    rmdir(dir);
}

}  // namespace
