// A fresh game on a fresh black test screen, with a fixed random seed.
#ifndef VORLIX_TEST_FIXTURE_H
#define VORLIX_TEST_FIXTURE_H

#include <gtest/gtest.h>

#include "fakes.h"
#include "game/game.h"
#include "present/present.h"
#include "screen.h"

class on_screen : public ::testing::Test {
protected:
    void SetUp() override
    {
        start_test_screen();
        reset_fakes();
        rng_state = rng_state_t();
        rng_state.rng_seed = -2024;
        game_state.bg_color = black;
        reset_game();
        clear_trail();
        fill_screen(black);
    }
};

#endif
