// Start-up and shutdown on the real library in a real X display: which
// graphics attempt comes first, the fall-back to the other, and the order in
// which the game lets go of what it holds. The library's calls go through as
// they are and are only noted on the way; under Xvfb neither graphics attempt
// ever fails, so a missing driver is played by answering one attempt here.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unistd.h>
#include <vector>

#include "present/present.h"
#include "shell/shell.h"

namespace {

std::vector<int> cards_tried;         // every graphics attempt, in order
std::vector<int> cards_missing;       // attempts answered as if their driver were not there
std::vector<std::string> released;    // what the game let go of, in order
bool noting_releases = false;

void note_release(const std::string &what)
{
    if (noting_releases)
        released.push_back(what);
}

}  // namespace

extern "C" int __real_set_gfx_mode(int card, int w, int h, int v_w, int v_h);
extern "C" int __wrap_set_gfx_mode(int card, int w, int h, int v_w, int v_h)
{
    cards_tried.push_back(card);
    if (std::count(cards_missing.begin(), cards_missing.end(), card))
        return -1;
    return __real_set_gfx_mode(card, w, h, v_w, v_h);
}

extern "C" void __real_destroy_sample(SAMPLE *spl);
extern "C" void __wrap_destroy_sample(SAMPLE *spl)
{
    note_release(spl == spl_start   ? "start.wav"
                 : spl == spl_laser ? "laser.wav"
                 : spl == spl_candy ? "candy.wav"
                 : spl == spl_hit   ? "hit.wav"
                                    : "another sample");
    __real_destroy_sample(spl);
}

extern "C" void __real_remove_sound();
extern "C" void __wrap_remove_sound()
{
    note_release("sound");
    __real_remove_sound();
}

extern "C" void __real_allegro_exit();
extern "C" void __wrap_allegro_exit()
{
    note_release("library");
    if (cards_missing.size() == 2)
        fputs("library shut down\n", stderr);
    __real_allegro_exit();
}

extern "C" int __real_fclose(FILE *file);
extern "C" int __wrap_fclose(FILE *file)
{
    if (file == config_file)
        note_release("configuration");
    return __real_fclose(file);
}

namespace {

// Starts the game's library with the given window type and missing drivers.
void start_with(int type, std::vector<int> missing)
{
    wintype = type;
    cards_missing = missing;
    cards_tried.clear();
    start_library();
}

TEST(Graphics, AWindowFirstForTypeOneAndTheAutomaticChoiceFirstForTypeZero)
{
    start_with(1, {});
    EXPECT_EQ(cards_tried, std::vector<int>({GFX_AUTODETECT_WINDOWED}));
    EXPECT_TRUE(is_windowed_mode());
    allegro_exit();
    start_with(0, {});
    EXPECT_EQ(cards_tried, std::vector<int>({GFX_AUTODETECT}));
    EXPECT_FALSE(is_windowed_mode());  // the automatic choice is full screen here
    allegro_exit();
}

TEST(Graphics, AFailedFirstAttemptFallsBackToTheOther)
{
    start_with(0, {GFX_AUTODETECT});
    EXPECT_EQ(cards_tried, std::vector<int>({GFX_AUTODETECT, GFX_AUTODETECT_WINDOWED}));
    EXPECT_TRUE(is_windowed_mode());
    allegro_exit();
    start_with(1, {GFX_AUTODETECT_WINDOWED});
    EXPECT_EQ(cards_tried, std::vector<int>({GFX_AUTODETECT_WINDOWED, GFX_AUTODETECT}));
    EXPECT_FALSE(is_windowed_mode());
    allegro_exit();
}

TEST(Graphics, WithNeitherTheGameShutsTheLibraryDownThenSaysSo)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // the library may have left threads
    EXPECT_EXIT(
        {
            fflush(stdout);
            dup2(2, 1);  // the message goes to standard output; look at both in order
            start_with(1, {GFX_AUTODETECT_WINDOWED, GFX_AUTODETECT});
        },
        ::testing::ExitedWithCode(0), "library shut down\nGraphics error or wrong resolution.\n");
}

TEST(Shutdown, SamplesThenSoundThenLibraryThenConfiguration)
{
    start_with(1, {});
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(VORLIX_ASSETS), 0);
    load_samples();
    config_file = fopen("vorlix.cfg", "r");
    ASSERT_EQ(chdir(here), 0);
    ASSERT_TRUE(spl_start && spl_laser && spl_candy && spl_hit && config_file);
    noting_releases = true;
    shut_down();
    noting_releases = false;
    EXPECT_EQ(released, std::vector<std::string>({"start.wav", "laser.wav", "candy.wav", "hit.wav",
                                                  "sound", "library", "configuration"}));
}

}  // namespace
