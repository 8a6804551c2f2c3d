// The browser's stand-in for the library, held against the real library on
// the same input: pixels, lines and text on a memory bitmap, the key buffer,
// and WAV files decoded sample for sample. Runs under an X server, in the
// game's own 32-bit window, whose colour packing the stand-in must share.
#include <gtest/gtest.h>

#include <allegro.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "bitmap.h"
#include "keys.h"
#include "sample.h"
#include "text.h"
#include "wav_files.h"

namespace {

class WebLayer : public ::testing::Test {
protected:
    BITMAP *real = nullptr;
    web::BITMAP *stand_in = nullptr;

    static void SetUpTestSuite()
    {
        ASSERT_EQ(allegro_init(), 0) << "the real library needs an X display";
        ASSERT_EQ(install_keyboard(), 0);
        set_color_depth(32);
        ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0), 0);
    }
    static void TearDownTestSuite() { allegro_exit(); }
    void SetUp() override
    {
        real = create_bitmap(640, 480);
        clear_to_color(real, 0);
        stand_in = web::create_bitmap(640, 480);
    }
    void TearDown() override
    {
        destroy_bitmap(real);
        web::destroy_bitmap(stand_in);
    }

    // Counts the pixels where the two bitmaps differ, and reports the first.
    int differences()
    {
        int n = 0;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                if (getpixel(real, x, y) != web::getpixel(stand_in, x, y) && n++ == 0)
                    ADD_FAILURE() << "first difference at (" << x << ", " << y << ")";
        return n;
    }
};

TEST_F(WebLayer, ColoursAndPixelsReadBackAsTheLibrarysDo)
{
    for (int r : {0, 1, 128, 255})
        for (int g : {0, 77, 255})
            for (int b : {0, 160, 255})
                EXPECT_EQ(web::makecol(r, g, b), makecol(r, g, b));
    const int spots[][2] = {{0, 0}, {639, 479}, {320, 15}, {-1, 5}, {5, -1}, {640, 5}, {5, 480}};
    for (auto &p : spots) {
        int c = makecol(p[0] & 255, 200, 3);
        putpixel(real, p[0], p[1], c);
        web::putpixel(stand_in, p[0], p[1], c);
        EXPECT_EQ(web::getpixel(stand_in, p[0], p[1]), getpixel(real, p[0], p[1]));
    }
    EXPECT_EQ(differences(), 0);
}

TEST_F(WebLayer, LinesInEveryDirectionMatchPixelForPixel)
{
    // Every direction round a centre, lengths 0 to 40, then long lines that
    // run off the bitmap on any side.
    int colour = 1;
    for (int dx = -40; dx <= 40; dx += 3)
        for (int dy = -40; dy <= 40; dy += 5) {
            int x1 = 100 + (dx + 40) * 5, y1 = 100 + (dy + 40) * 3;
            line(real, x1, y1, x1 + dx, y1 + dy, colour);
            web::line(stand_in, x1, y1, x1 + dx, y1 + dy, colour);
            colour = colour * 7 % 0xffffff + 1;
        }
    srand(20261208);
    for (int i = 0; i < 2000; i++) {
        int x1 = rand() % 900 - 130, y1 = rand() % 700 - 110, x2 = rand() % 900 - 130, y2 = rand() % 700 - 110;
        line(real, x1, y1, x2, y2, i * 8191);
        web::line(stand_in, x1, y1, x2, y2, i * 8191);
    }
    EXPECT_EQ(differences(), 0);
}

TEST_F(WebLayer, TextInTheBuiltInFontMatchesAtAnyPlaceOverOrOnABackground)
{
    std::string every;
    for (int c = 32; c < 127; c++)
        every += (char)c;
    const char *latin = "caf\xc3\xa9 \xc3\x9f\xc3\xbf \x01";  // UTF-8, and a control character
    int red = makecol(255, 0, 0), blue = makecol(0, 0, 255);
    line(real, 0, 203, 639, 203, blue);  // a line for the transparent text to leave alone
    web::line(stand_in, 0, 203, 639, 203, blue);
    const int spots[][2] = {{0, 0}, {220, 200}, {3, 29}, {600, 474}, {-5, -3}, {630, 100}};
    for (auto &p : spots) {
        textprintf_ex(real, font, p[0], p[1], red, -1, "%s", every.c_str());
        web::textprintf_ex(stand_in, web::font, p[0], p[1], red, -1, "%s", every.c_str());
    }
    textprintf_ex(real, font, 20, 300, red, blue, "Candy: %8ld %s", 123456L, latin);
    web::textprintf_ex(stand_in, web::font, 20, 300, red, blue, "Candy: %8ld %s", 123456L, latin);
    EXPECT_EQ(differences(), 0);
}

TEST_F(WebLayer, KeyBufferKeepsTheSameKeysInTheSameOrderAndDropsTheRest)
{
    clear_keybuf();
    web::clear_keybuf();
    // More than the buffer holds, in upper and lower case, with scan codes.
    for (int i = 0; i < 100; i++) {
        int key = (i % 2 ? 'A' : 'a') + i % 26 | (KEY_A + i % 26) << 8;
        simulate_keypress(key);
        web::simulate_keypress(key);
    }
    std::vector<int> from_real, from_stand_in;
    while (keypressed())
        from_real.push_back(readkey());
    while (web::key_waiting())
        from_stand_in.push_back(web::take_key());
    EXPECT_GT(from_real.size(), 60u);
    EXPECT_EQ(from_stand_in, from_real);
    // Emptied, it takes keys again.
    simulate_keypress('s');
    web::simulate_keypress('s');
    EXPECT_EQ(web::take_key(), readkey());
    EXPECT_FALSE(web::key_waiting());
}

TEST_F(WebLayer, WavFilesDecodeSampleForSampleAsTheLibraryLoadsThem)
{
    std::vector<std::string> files;
    for (const char *name : {"start.wav", "laser.wav", "candy.wav", "hit.wav"})
        files.push_back(std::string(VORLIX_ASSETS) + "/" + name);
    for (const bytes &wav : {make_wav(1, 2, 44100, 16, 400, 400), make_wav(1, 1, 8000, 8, 401, 401),
                             make_wav(1, 2, 11025, 8, 300, 300)})
        files.push_back(write_temp(wav));
    for (const std::string &file : files) {
        SAMPLE *expected = load_sample(file.c_str());
        web::SAMPLE *got = web::load_sample(file.c_str());
        ASSERT_TRUE(expected && got) << file;
        EXPECT_EQ(got->bits, expected->bits);
        EXPECT_EQ(got->stereo, expected->stereo);
        EXPECT_EQ(got->freq, expected->freq);
        EXPECT_EQ(got->priority, expected->priority);
        EXPECT_EQ(got->len, expected->len);
        EXPECT_EQ(got->loop_start, expected->loop_start);
        EXPECT_EQ(got->loop_end, expected->loop_end);
        size_t data_bytes = expected->len * (expected->stereo ? 2 : 1) * (expected->bits / 8);
        EXPECT_EQ(memcmp(got->data, expected->data, data_bytes), 0) << file;
        destroy_sample(expected);
        web::destroy_sample(got);
    }
    for (size_t i = 4; i < files.size(); i++)
        unlink(files[i].c_str());
    // A file the desktop refuses is refused here too, and so is a missing one.
    std::string half_frame = write_temp(make_wav(1, 2, 8000, 8, 123, 123));
    EXPECT_EQ(web::load_sample(half_frame.c_str()), nullptr);
    unlink(half_frame.c_str());
    EXPECT_EQ(web::load_sample("/nonexistent/start.wav"), nullptr);
}

}  // namespace
