// The program's random numbers: two multiplicative congruential generators
// combined through a 32-slot shuffle table. Products use Schrage's method so
// that 32-bit arithmetic never overflows.
#include <cmath>
#include <ctime>

#include "state.h"

rng_state_t rng_state;

constexpr int32_t modulus1 = 2147483563;
constexpr int32_t modulus2 = 2147483399;
constexpr int32_t mult1 = 40014, quot1 = 53668, rem1 = 12211;
constexpr int32_t mult2 = 40692, quot2 = 52774, rem2 = 3791;
constexpr int32_t table_size = 32;
constexpr int32_t table_div = 1 + (modulus1 - 1) / table_size;  // 67108862
constexpr int32_t combined_wrap = modulus1 - 1;
constexpr double unit = 4.656613057391769e-10;  // nearest double to 1 / modulus1
constexpr double largest = 0.99999988;
constexpr int warm_up = 8;

// Advances one generator by one step: seed = mult * seed mod m, without overflow.
static int32_t advance(int32_t seed, int32_t mult, int32_t quot, int32_t rem, int32_t mod)
{
    int32_t k = seed / quot;
    seed = mult * (seed - k * quot) - k * rem;
    if (seed < 0)
        seed += mod;
    return seed;
}

// Starts both generators from the seed and fills the shuffle table.
static void start_generators()
{
    rng_state_t &r = rng_state;
    if (-r.rng_seed < 1)
        r.rng_seed = 1;
    else
        r.rng_seed = -r.rng_seed;
    r.rng_seed2 = r.rng_seed;
    for (int j = table_size + warm_up - 1; j >= 0; j--) {
        r.rng_seed = advance(r.rng_seed, mult1, quot1, rem1, modulus1);
        if (j < table_size)
            r.rng_table[j] = r.rng_seed;
    }
    r.rng_last = r.rng_table[0];
}

void seed_random()
{
    double t = (double)time(nullptr);
    int32_t s = (int32_t)fmod(t + 0.5, 2147483647.0);
    rng_state.rng_seed = -s - 1;  // always <= -1, so the first draw initialises
}

double next_random()
{
    rng_state_t &r = rng_state;
    if (r.rng_seed <= 0)
        start_generators();
    r.rng_seed = advance(r.rng_seed, mult1, quot1, rem1, modulus1);
    r.rng_seed2 = advance(r.rng_seed2, mult2, quot2, rem2, modulus2);
    int32_t j = r.rng_last / table_div;
    r.rng_last = r.rng_table[j] - r.rng_seed2;
    r.rng_table[j] = r.rng_seed;
    if (r.rng_last < 1)
        r.rng_last += combined_wrap;
    double result = r.rng_last * unit;
    return result > largest ? largest : result;
}
