// The loop over games: the waits for keys, the prompt and its answers.
#include <algorithm>

#include "fixture.h"
#include "shell/shell.h"

namespace {

typedef on_screen MainLoop;

// Keys typed once the crash has sounded, for the prompt after each game.
std::vector<const char *> prompt_keys;
int games_over;

void type_at_prompt(const std::string &what)
{
    if (what != "cue_hit")
        return;
    if ((size_t)games_over < prompt_keys.size())
        script_keys(prompt_keys[games_over]);
    games_over++;
}

int titles_shown()
{
    names seen = event_names();
    return (int)std::count(seen.begin(), seen.end(), "cue_start");
}

void start_loop(const char *keys, std::vector<const char *> at_prompt)
{
    bgcol = 0;
    games_over = 0;
    prompt_keys = at_prompt;
    script_keys(keys);
    fake_machine.watcher = type_at_prompt;
}

TEST_F(MainLoop, NAtTheTitleOrTheStartDoesNotQuitButAnswersThePromptAtOnce)
{
    start_loop("nn", {});
    play_games();
    EXPECT_EQ(titles_shown(), 1);
    EXPECT_EQ(games_over, 1);
    EXPECT_GT(game_state.distance, 0);
    EXPECT_EQ(screen_text(text_x, prompt_y, 15, red), "New game (y/n)?");
}

TEST_F(MainLoop, EachWaitTellsThePlatformWhatItWaitsForAndThatItIsOver)
{
    start_loop("ab", {"xn"});  // x does not answer the prompt; n does
    play_games();
    EXPECT_EQ(fake_machine.awaited, std::vector<int>({awaited_start, awaited_nothing, awaited_go, awaited_nothing,
                                                      awaited_answer, awaited_nothing}));
}

TEST_F(MainLoop, YAsTheLastKeyOfAGameStartsTheNextAtOnce)
{
    // Title key, start key, then y during the first game; n and n in the second.
    start_loop("aby", {});
    // The second title is where the player quits.
    fake_machine.watcher = [](const std::string &what) {
        if (what == "cue_hit")
            games_over++;
        if (what == "cue_start" && games_over == 1)
            script_keys("nn");
    };
    play_games();
    EXPECT_EQ(titles_shown(), 2);
    EXPECT_EQ(games_over, 2);
}

TEST_F(MainLoop, OnlyLowerCaseYAndNAnswerThePrompt)
{
    start_loop("ab", {"YNx n"});
    play_games();
    EXPECT_EQ(titles_shown(), 1);
    EXPECT_TRUE(fake_machine.keys.empty());  // every key up to the n was read
}

TEST_F(MainLoop, EachGameStartsFreshWithTheConfiguredBackground)
{
    start_loop("ab", {"yab", "n"});
    bgcol = 1;
    play_games();
    EXPECT_EQ(titles_shown(), 2);
    EXPECT_EQ(game_state.bg_color, 1);
    EXPECT_GT(count_color(1, 16, 638, 478, 1), 638 * 463 * 9 / 10);
    EXPECT_EQ(count_color(1, 16, 638, 478, 0), 0);
    // The second game counted its own distance from zero.
    EXPECT_LE(game_state.distance, 318);
}

// Hands over a key at every fifth poll, so each key wait takes four empty polls.
int polls_to_key;
int slow_key()
{
    return ++polls_to_key % 5 == 0 ? 'a' : 0;
}

TEST_F(MainLoop, EachKeyWaitStartsThePaceAfresh)
{
    start_loop("", {});
    polls_to_key = 0;
    fake_machine.player = slow_key;
    fake_machine.poll_ms = 1;
    fake_machine.watcher = [](const std::string &what) {
        if (what == "cue_hit")
            script_keys("n");
    };
    play_games();
    // The chime, then the blip after the first key wait and the first step
    // after the second: both whole, although the waits took some time each.
    ASSERT_GE(fake_machine.events.size(), 3u);
    EXPECT_EQ(std::vector<event_t>(fake_machine.events.begin(), fake_machine.events.begin() + 3),
              std::vector<event_t>({{"cue_start", cue_start_ms}, {"cue_candy", cue_candy_ms},
                                    {"pause_after_step", (unsigned)game_state.step_delay}}));
}

TEST_F(MainLoop, KeyWaitsRestBetweenPollsButTheStepLoopNeverDoes)
{
    start_loop("", {});
    polls_to_key = 0;
    fake_machine.player = slow_key;
    fake_machine.watcher = [](const std::string &what) {
        if (what == "cue_start")
            EXPECT_EQ(fake_machine.rests, 0);
        if (what == "cue_candy")  // after the title's key wait: four empty polls
            EXPECT_EQ(fake_machine.rests, 4);
        if (what == "pause_after_step" && game_state.distance == 1)
            EXPECT_EQ(fake_machine.rests, 8);  // and four more before the start key
        if (what == "cue_hit") {
            EXPECT_EQ(fake_machine.rests, 8);  // not one in the whole game
            script_keys("n");
        }
    };
    play_games();
    EXPECT_EQ(fake_machine.rests, 8);  // the n was there at once
}

TEST_F(MainLoop, TheSecondGameGoesOnWithTheSameRandomSequence)
{
    static rng_state_t at_first_crash;
    static int first_x, first_y;
    start_loop("ab", {});
    fake_machine.watcher = [](const std::string &what) {
        if (what == "cue_hit" && games_over++ == 0) {
            at_first_crash = rng_state;
            script_keys("yab");
        } else if (what == "cue_hit") {
            script_keys("n");
        }
        if (what == "cue_start" && games_over == 1) {
            first_x = game_state.candy_x;
            first_y = game_state.candy_y;
        }
    };
    play_games();
    ASSERT_EQ(games_over, 2);
    rng_state = at_first_crash;
    pick_candy_position();
    EXPECT_EQ(first_x, game_state.candy_x);
    EXPECT_EQ(first_y, game_state.candy_y);
}

}  // namespace
