// The fixed screens and the cues, drawn on a real bitmap and read back.
#include "fixture.h"

#include <cmath>
#include <cstring>
#include <unistd.h>

#include "shell/shell.h"
#include "version.h"

namespace {

bool border_is(int color_index)
{
    return count_color(0, 0, 639, 0, color_index) == 640 &&
           count_color(0, 479, 639, 479, color_index) == 640 &&
           count_color(0, 0, 0, 479, color_index) == 480 &&
           count_color(639, 0, 639, 479, color_index) == 480;
}

typedef on_screen TitleScreen;

TEST_F(TitleScreen, ShowsBoxBorderAndThreeLinesThenChimes)
{
    show_title();
    EXPECT_TRUE(border_is(magenta));
    EXPECT_EQ(count_color(panel_left, title_top, panel_right, title_top, magenta), 210);
    EXPECT_EQ(count_color(panel_left, title_bottom, panel_right, title_bottom, magenta), 210);
    EXPECT_EQ(count_color(panel_left, title_top, panel_left, title_bottom, magenta), 70);
    EXPECT_EQ(count_color(panel_right, title_top, panel_right, title_bottom, magenta), 70);
    EXPECT_EQ(count_color(211, 180, 418, 189, magenta), 0);  // nothing of the panel above it
    EXPECT_EQ(screen_text(text_x, title_name_y, 19, red), std::string("Vorlix version ") + game_version);
    EXPECT_EQ(screen_text(text_x, title_steer_y, 18, red), "Steer with s and l");
    EXPECT_EQ(screen_text(text_x, title_laser_y, 16, red), "Laser with space");
    EXPECT_EQ(fake_machine.events, std::vector<event_t>({{"cue_start", cue_start_ms}}));
}

typedef on_screen GameFrame;

TEST_F(GameFrame, BorderSeparatorAndCountersOnAWhiteField)
{
    game_state.bg_color = 1;
    clear_playfield();
    EXPECT_EQ(count_color(0, 0, 639, 479, white), 640 * 480);
    draw_game_frame();
    EXPECT_TRUE(border_is(magenta));
    EXPECT_EQ(count_color(0, separator_y, border_right, separator_y, magenta), 640);
    EXPECT_EQ(screen_text(candy_text_x, status_text_y, 15, red), "Candy:       -1");
    EXPECT_EQ(screen_text(shots_text_x, status_text_y, 15, red), "Shots:        0");
    EXPECT_EQ(screen_text(distance_text_x, status_text_y, 18, red), "Distance:        0");
    EXPECT_EQ(count_color(1, 16, 638, 478, white), 638 * 463);  // the playfield stays bare
}

TEST_F(GameFrame, StatusBarRedrawKeepsTheBorderColumns)
{
    rectfill(screen, 0, 1, 639, 14, color(green));
    game_state.candy_count = 12345678;
    game_state.shots = -7;
    game_state.distance = 2147483647;
    draw_status_bar();
    EXPECT_EQ(count_color(0, 1, 0, 14, green), 14);
    EXPECT_EQ(count_color(639, 1, 639, 14, green), 14);
    EXPECT_EQ(count_color(1, status_top, border_right - 1, status_bottom, green), 0);
    EXPECT_EQ(screen_text(candy_text_x, status_text_y, 15, red), "Candy: 12345678");
    EXPECT_EQ(screen_text(shots_text_x, status_text_y, 15, red), "Shots:       -7");
    EXPECT_EQ(screen_text(distance_text_x, status_text_y, 20, red), "Distance: 2147483647");
}

typedef on_screen GameOverPanel;

// Shows the panel for these counters and returns its running-skill line.
std::string panel_skill(int32_t candies, int32_t distance, int32_t shots)
{
    game_state.candy_count = candies;
    game_state.distance = distance;
    game_state.shots = shots;
    show_game_over();
    return screen_text(text_x, panel_skill_y, 23, red);
}

TEST_F(GameOverPanel, RunningSkillCases)
{
    EXPECT_EQ(panel_skill(2, 10, 3), "Running skill:     4.00");
    EXPECT_DOUBLE_EQ(game_state.running_skill, 4.0);
    EXPECT_EQ(panel_skill(5, 100, 0), "Running skill:     0.00");
    EXPECT_EQ(panel_skill(5, 0, 9), "Running skill:     0.00");
    // Large counters are multiplied as doubles, never as overflowing integers.
    panel_skill(2000000, 1, 1);
    EXPECT_DOUBLE_EQ(game_state.running_skill, 15.0 * 8e18);
}

TEST_F(GameOverPanel, PaintsOverTheFieldInsideThePanelOnly)
{
    rectfill(screen, 100, 100, 500, 400, color(green));
    game_state.candy_count = 3;
    game_state.distance = 1234;
    game_state.shots = 4;
    show_game_over();
    EXPECT_EQ(count_color(panel_left, panel_top, panel_right, panel_top, magenta), 210);
    EXPECT_EQ(count_color(panel_left, panel_bottom, panel_right, panel_bottom, magenta), 210);
    EXPECT_EQ(count_color(panel_left, panel_top, panel_left, panel_bottom, magenta), 90);
    EXPECT_EQ(count_color(panel_right, panel_top, panel_right, panel_bottom, magenta), 90);
    EXPECT_EQ(count_color(panel_left, panel_top, panel_right, panel_bottom, green), 0);
    EXPECT_EQ(count_color(100, 100, 500, 400, green), 401 * 301 - 210 * 90);
    EXPECT_EQ(screen_text(text_x, panel_candy_y, 23, red), "Candy points:         3");
    EXPECT_EQ(screen_text(text_x, panel_distance_y, 23, red), "Distance points:   1234");
    EXPECT_EQ(screen_text(text_x, panel_skill_y, 23, red), "Running skill:     0.08");
    EXPECT_EQ(screen_text(candy_text_x, status_text_y, 15, red), "Candy:        3");  // status bar brought up to date
    EXPECT_EQ(fake_machine.events, std::vector<event_t>({{"cue_hit", cue_hit_ms}}));
}

typedef on_screen SoundCues;

TEST_F(SoundCues, EachWaitsItsDurationWithOrWithoutASample)
{
    SAMPLE *tone = create_sample(16, 0, 22050, 100);
    for (SAMPLE *sample : {tone, (SAMPLE *)nullptr}) {
        spl_start = spl_candy = spl_laser = spl_hit = sample;
        reset_fakes();
        cue_start();
        cue_candy();
        cue_laser();
        cue_hit();
        EXPECT_EQ(fake_machine.events, std::vector<event_t>({{"cue_start", cue_start_ms}, {"cue_candy", cue_candy_ms},
                                                             {"cue_laser", cue_laser_ms}, {"cue_hit", cue_hit_ms}}));
    }
    spl_start = spl_candy = spl_laser = spl_hit = nullptr;
    destroy_sample(tone);
}

// Loads the shipped sounds as the game does, and names each loaded sample
// after the file whose sound it opens with, so a mix-up of files shows.
void load_and_name_the_shipped_sounds()
{
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(VORLIX_ASSETS), 0);
    load_samples();
    for (const char *file : {"start.wav", "laser.wav", "candy.wav", "hit.wav"}) {
        SAMPLE *alone = load_cue_sample(file);
        ASSERT_NE(alone, nullptr);
        for (SAMPLE *loaded : {spl_start, spl_laser, spl_candy, spl_hit})
            if (loaded && memcmp(loaded->data, alone->data, 200) == 0)
                fake_machine.sample_names[loaded] = file;
        destroy_sample(alone);
    }
    ASSERT_EQ(chdir(here), 0);
    ASSERT_EQ(fake_machine.sample_names.size(), 4u);
}

TEST_F(SoundCues, EachPlaysItsOwnFileOnceAtFullVolumeLeftAndOnlyANewPlayStopsIt)
{
    install_sound(DIGI_NONE, MIDI_NONE, nullptr);
    load_and_name_the_shipped_sounds();
    clear_playfield();
    show_title();
    place_candy();
    clear_playfield();  // nothing in the laser's way
    fire_laser();
    show_game_over();
    cue_start();  // a second time: played afresh, not resumed
    const std::vector<std::string> expected = {
        "stop start.wav", "play start.wav 255 0 1000 0", "cue_start",
        "stop candy.wav", "play candy.wav 255 0 1000 0", "cue_candy",
        "pause_with_laser_dots", "stop laser.wav", "play laser.wav 255 0 1000 0", "cue_laser",
        "stop hit.wav", "play hit.wav 255 0 1000 0", "cue_hit",
        "stop start.wav", "play start.wav 255 0 1000 0", "cue_start"};
    EXPECT_EQ(fake_machine.sound_log, expected);
    // Each is made to its cue's length at the sound's own rate.
    auto frames_of = [](int ms) { return (unsigned long)std::lround(22050 * ms / 1000.0); };
    EXPECT_EQ(spl_start->len, frames_of(cue_start_ms));
    EXPECT_EQ(spl_candy->len, frames_of(cue_candy_ms));
    EXPECT_EQ(spl_laser->len, frames_of(cue_laser_ms));
    EXPECT_EQ(spl_hit->len, frames_of(cue_hit_ms));
    for (SAMPLE **s : {&spl_start, &spl_laser, &spl_candy, &spl_hit}) {
        destroy_sample(*s);
        *s = nullptr;
    }
    remove_sound();
}

// A 16-bit sample whose values count up from silence, one a frame.
SAMPLE *counting_sample(int frames, int stereo)
{
    SAMPLE *s = create_sample(16, stereo, 10000, frames);
    for (int i = 0; i < frames * (stereo ? 2 : 1); i++)
        ((uint16_t *)s->data)[i] = (uint16_t)(0x8000 + 1000 + i);
    return s;
}

TEST_F(SoundCues, ACueSoundIsLoopedOrCutToItsLengthAndFadesOutOverItsLast2Ms)
{
    // 10 ms of sound made into 25 ms: looped two and a half times.
    SAMPLE *cue = fit_to_cue(counting_sample(100, 0), 25);
    ASSERT_EQ(cue->len, 250u);
    const uint16_t *v = (const uint16_t *)cue->data;
    EXPECT_EQ(v[0], 0x8000 + 1000);
    EXPECT_EQ(v[100], 0x8000 + 1000);  // the loop starts over
    EXPECT_EQ(v[229], 0x8000 + 1029);  // whole until the fade
    EXPECT_LT(v[240], 0x8000 + 1049);
    EXPECT_EQ(v[249], 0x8000);         // silence at the very end
    for (int i = 231; i < 250; i++)
        EXPECT_LE(v[i], v[i - 1]) << i;  // falling all the way
    destroy_sample(cue);
    // A longer stereo sound is cut, both channels alike.
    cue = fit_to_cue(counting_sample(1000, 1), 32);
    ASSERT_EQ(cue->len, 320u);
    v = (const uint16_t *)cue->data;
    EXPECT_EQ(v[2 * 299], 0x8000 + 1598);  // the last frame before the fade
    EXPECT_EQ(v[2 * 299 + 1], 0x8000 + 1599);
    EXPECT_EQ(v[2 * 319], 0x8000);
    EXPECT_EQ(v[2 * 319 + 1], 0x8000);
    destroy_sample(cue);
    EXPECT_EQ(fit_to_cue(nullptr, 50), nullptr);  // a sound that did not load stays silent
}

TEST_F(TitleScreen, ClearPlayfieldPaintsEveryPixelBlack)
{
    fill_screen(green);
    clear_playfield();
    EXPECT_EQ(count_color(0, 0, 639, 479, black), 640 * 480);
}

}  // namespace
