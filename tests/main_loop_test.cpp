// The loop over games: the waits for keys, the prompt and its answers.
#include "fixture.h"
#include "shell/shell.h"

namespace {

const int red = 2;

typedef on_screen MainLoop;

// Keys typed once the crash has sounded, for the prompt after each game.
std::vector<const char *> prompt_keys;
int games_over;

void type_at_prompt(unsigned ms)
{
    if (ms != 300)
        return;
    if ((size_t)games_over < prompt_keys.size())
        script_keys(prompt_keys[games_over]);
    games_over++;
}

int titles_shown()
{
    int n = 0;
    for (unsigned ms : fake_input.waits)
        n += ms == 225;
    return n;
}

void start_loop(const char *keys, std::vector<const char *> at_prompt)
{
    bgcol = 0;
    games_over = 0;
    prompt_keys = at_prompt;
    script_keys(keys);
    fake_input.watcher = type_at_prompt;
}

TEST_F(MainLoop, NAtTheTitleOrTheStartDoesNotQuitButAnswersThePromptAtOnce)
{
    start_loop("nn", {});
    play_games();
    EXPECT_EQ(titles_shown(), 1);
    EXPECT_EQ(games_over, 1);
    EXPECT_GT(game_state.distance, 0);
    EXPECT_EQ(screen_text(220, 250, 15, red), "New game (y/n)?");
}

TEST_F(MainLoop, YAsTheLastKeyOfAGameStartsTheNextAtOnce)
{
    // Title key, start key, then y during the first game; n and n in the second.
    start_loop("aby", {});
    // The second title is where the player quits.
    fake_input.watcher = [](unsigned ms) {
        if (ms == 300)
            games_over++;
        if (ms == 225 && games_over == 1)
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
    EXPECT_TRUE(fake_input.keys.empty());  // every key up to the n was read
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
    fake_input.player = slow_key;
    fake_input.poll_ms = 1;
    fake_input.watcher = [](unsigned ms) {
        if (ms >= 290)  // the crash, shortened by the poll of its step
            script_keys("n");
    };
    play_games();
    // The chime, then the blip after the first key wait and the first step
    // after the second: both whole, although the waits took 4 ms each.
    ASSERT_GE(fake_input.waits.size(), 3u);
    EXPECT_EQ(std::vector<unsigned>(fake_input.waits.begin(), fake_input.waits.begin() + 3),
              std::vector<unsigned>({225, 50, 8}));
}

TEST_F(MainLoop, TheSecondGameGoesOnWithTheSameRandomSequence)
{
    static rng_state_t at_first_crash;
    static int first_x, first_y;
    start_loop("ab", {});
    fake_input.watcher = [](unsigned ms) {
        if (ms == 300 && games_over++ == 0) {
            at_first_crash = rng_state;
            script_keys("yab");
        } else if (ms == 300) {
            script_keys("n");
        }
        if (ms == 225 && games_over == 1) {
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
