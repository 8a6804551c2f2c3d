// The key buffer: a ring of 64 slots with one always left empty, as in the
// library, so 63 keys can wait.
#include "keys.h"

namespace web {

constexpr int key_slots = 64;

static int key_ring[key_slots];  // keys waiting, oldest at key_start
static int key_start = 0;        // slot of the oldest key
static int key_end = 0;          // slot the next key goes to

void simulate_keypress(int key)
{
    int next = (key_end + 1) % key_slots;
    if (next == key_start)
        return;
    key_ring[key_end] = key;
    key_end = next;
}

bool key_waiting()
{
    return key_start != key_end;
}

int take_key()
{
    if (!key_waiting())
        return 0;
    int key = key_ring[key_start];
    key_start = (key_start + 1) % key_slots;
    return key;
}

void clear_keybuf()
{
    key_start = key_end = 0;
}

}  // namespace web
