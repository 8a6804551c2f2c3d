// The step loop: moving, turning, growing, the tail, relocation and death.
#include "play.h"

namespace {

typedef on_screen StepLoop;

// What the first step leaves behind, seen during its pause.
struct {
    int start_pixel, head_pixel, trail_pos, trail_size;
    std::string distance_shown;
} first;

void look_at_first_step(const std::string &what)
{
    if (what == "pause_after_step" && game_state.distance == 1) {
        first.start_pixel = getpixel(screen, 320, 240);
        first.head_pixel = getpixel(screen, 321, 240);
        first.trail_pos = game_state.trail_pos;
        first.trail_size = game_state.trail_size;
        first.distance_shown = screen_text(distance_text_x, status_text_y, 18, red);
    }
}

TEST_F(StepLoop, FirstStepPunchesTheStartPixelAndWrapsTheRing)
{
    set_up_bare_game();
    putpixel(screen, 320, 240, color(green));  // as if a block covered the start
    fake_machine.watcher = look_at_first_step;
    play_until_death();
    EXPECT_EQ(first.start_pixel, color(black));
    EXPECT_EQ(first.head_pixel, color(red));
    EXPECT_EQ(first.trail_pos, 1);
    EXPECT_EQ(first.trail_size, 3);
    EXPECT_EQ(first.distance_shown, "Distance:        0");
}

// Plays from the start with these keys and returns where the head died.
std::pair<int, int> death_point(std::map<int, const char *> keys)
{
    set_up_bare_game();
    keys_at_step = keys;
    play_until_death();
    return {game_state.head_x, game_state.head_y};
}

TEST_F(StepLoop, DiesOnEachBorderAndOnTheSeparator)
{
    EXPECT_EQ(death_point({}), std::make_pair(639, 240));
    EXPECT_EQ(game_state.distance, 318);
    EXPECT_EQ(death_point({{1, "s"}}), std::make_pair(320, 15));
    EXPECT_EQ(game_state.distance, 224);
    EXPECT_EQ(death_point({{1, "l"}}), std::make_pair(320, 479));
    EXPECT_EQ(game_state.distance, 238);
    EXPECT_EQ(death_point({{1, "s"}, {2, "s"}}), std::make_pair(0, 239));
    EXPECT_EQ(game_state.distance, 320);
    // The game-over panel is up, the crash played last, and the fatal pixel
    // was never drawn.
    EXPECT_EQ(count_color(panel_left, panel_top, panel_right, panel_top, magenta), 210);
    EXPECT_EQ(screen_text(text_x, panel_distance_y, 23, red), "Distance points:    320");
    EXPECT_EQ(event_names().back(), "cue_hit");
    EXPECT_EQ(getpixel(screen, 0, 239), color(magenta));
}

TEST_F(StepLoop, DiesOnABlockOrTheCandyLikeOnAWall)
{
    for (int obstacle : {green, blue}) {
        set_up_bare_game();
        putpixel(screen, 450, 240, color(obstacle));
        play_until_death();
        EXPECT_EQ(game_state.head_x, 450);
        EXPECT_EQ(game_state.distance, 129);
        EXPECT_EQ(getpixel(screen, 450, 240), color(obstacle));
    }
}

TEST_F(StepLoop, TwoTurnsTheSameWayRunBackBesideTheBody)
{
    // Long enough for a body beside which to run back.
    EXPECT_EQ(death_point({{100, "s"}, {101, "s"}}), std::make_pair(0, 239));
    EXPECT_EQ(game_state.distance, 518);
    EXPECT_EQ(death_point({{100, "l"}, {101, "l"}}), std::make_pair(0, 241));
}

TEST_F(StepLoop, KeysTypedTogetherAreTakenOnePerStep)
{
    EXPECT_EQ(death_point({{1, "sl"}}), std::make_pair(639, 239));
    EXPECT_EQ(game_state.distance, 319);
}

TEST_F(StepLoop, OtherKeysOnlyBecomeTheLastKey)
{
    set_up_bare_game();
    keys_at_step = {{5, "L"}, {6, "S"}, {7, "q"}};
    EXPECT_EQ(play_until_death(), 'q');
    EXPECT_EQ(game_state.head_x, 639);
    EXPECT_EQ(game_state.head_y, 240);
}

TEST_F(StepLoop, HeadMayTakeThePixelTheTailJustFreed)
{
    // A snake of four pixels curled in a 2 x 2 square, head about to move
    // onto its own oldest pixel.
    set_up_bare_game();
    const int xs[] = {100, 101, 101, 100}, ys[] = {100, 100, 101, 101};
    for (int i = 0; i < 4; i++) {
        game_state.trail_x[i + 1] = xs[i];
        game_state.trail_y[i + 1] = ys[i];
        putpixel(screen, xs[i], ys[i], color(red));
    }
    game_state.trail_pos = 1;
    game_state.trail_size = 5;
    game_state.head_x = 100;
    game_state.head_y = 101;
    game_state.dir_x = 0;
    game_state.dir_y = -1;
    play_until_death();
    EXPECT_EQ(game_state.head_y, 15);  // it went on up to the separator
    EXPECT_EQ(game_state.distance, 85);
}

// Each change of the ring's size and the steps at which a relocation was drawn.
std::vector<int> sizes_seen, draw_steps;
rng_state_t rng_before;

void watch_growth(const std::string &what)
{
    if (what != "pause_after_step")
        return;
    if (sizes_seen.empty() || sizes_seen.back() != game_state.trail_size)
        sizes_seen.push_back(game_state.trail_size);
    if (rng_state.rng_seed != rng_before.rng_seed)
        draw_steps.push_back(game_state.distance);
    rng_before = rng_state;
    // The snake never shows more pixels than the ring has slots in play.
    int body = count_color(1, 16, 638, 478, red);
    EXPECT_LE(body, game_state.trail_size - 1);
}

TEST_F(StepLoop, RingGrowsOnScheduleAndRelocationIsFirstDrawnAtStep54)
{
    set_up_bare_game();
    sizes_seen.clear();
    draw_steps.clear();
    rng_before = rng_state;
    fake_machine.watcher = watch_growth;
    // A lap round the field: right, down, left, up.
    keys_at_step = {{280, "l"}, {480, "l"}, {1000, "l"}};
    play_until_death();
    const std::vector<int> schedule = {3,  4,  5,  6,  7,  8,  9,  10, 12, 14, 16, 18,
                                       20, 23, 26, 29, 32, 36, 40, 45, 50, 56, 62, 69};
    ASSERT_GE(sizes_seen.size(), schedule.size());
    EXPECT_EQ(std::vector<int>(sizes_seen.begin(), sizes_seen.begin() + schedule.size()), schedule);
    ASSERT_FALSE(draw_steps.empty());
    EXPECT_EQ(draw_steps[0], 54);
}

// Sets the generator where its next draw is below the relocation chance and
// returns where that relocation will put the candy.
void prepare_a_relocation(int &new_x, int &new_y)
{
    for (int32_t seed = -1;; seed--) {
        rng_state = rng_state_t();
        rng_state.rng_seed = seed;
        rng_state_t saved = rng_state;
        if (next_random() < 0.002) {
            int x = game_state.candy_x, y = game_state.candy_y;
            pick_candy_position();
            new_x = game_state.candy_x;
            new_y = game_state.candy_y;
            game_state.candy_x = x;
            game_state.candy_y = y;
            rng_state = saved;
            return;
        }
    }
}

// The first step after this records into a tenth slot, where the draw is made.
void record_next_into_a_tenth_slot()
{
    game_state.trail_size = 100;
    game_state.trail_pos = 9;
}

struct {
    bool seen;
    int count, old_square_green, new_square_blue;
} jump;

TEST_F(StepLoop, ARandomJumpKeepsTheCountAndLeavesABlockBehind)
{
    set_up_bare_game();
    place_candy();
    static int old_x, old_y, new_x, new_y;
    old_x = game_state.candy_x;
    old_y = game_state.candy_y;
    prepare_a_relocation(new_x, new_y);
    record_next_into_a_tenth_slot();
    reset_fakes();
    jump.seen = false;
    // The jump's blip sounds once the new candy is drawn.
    fake_machine.watcher = [](const std::string &what) {
        if (what != "cue_candy" || jump.seen)
            return;
        jump = {true, game_state.candy_count, count_color(old_x, old_y, old_x + 24, old_y + 24, green),
                count_color(new_x, new_y, new_x + 24, new_y + 24, blue)};
    };
    play_until_death();
    ASSERT_TRUE(jump.seen);
    EXPECT_EQ(jump.count, 0);
    EXPECT_EQ(jump.new_square_blue, 625);
    int shared_w = 25 - std::abs(old_x - new_x), shared_h = 25 - std::abs(old_y - new_y);
    int shared = shared_w > 0 && shared_h > 0 ? shared_w * shared_h : 0;
    EXPECT_EQ(jump.old_square_green, 625 - shared);
    EXPECT_EQ(event_names().front(), "cue_candy");  // before the step's own pause
}

TEST_F(StepLoop, AJumpOntoTheHeadsNextPixelKillsOnThatStep)
{
    set_up_bare_game();
    int new_x, new_y;
    prepare_a_relocation(new_x, new_y);
    record_next_into_a_tenth_slot();
    game_state.head_x = new_x + 11;  // moving right into the middle of the new square
    game_state.head_y = new_y + 12;
    play_until_death();
    EXPECT_EQ(game_state.distance, 0);
    EXPECT_EQ(game_state.candy_count, -1);  // a jump scores nothing
    EXPECT_EQ(event_names(), names({"cue_candy", "cue_hit"}));
    EXPECT_EQ(getpixel(screen, new_x + 12, new_y + 12), color(blue));
}

}  // namespace
