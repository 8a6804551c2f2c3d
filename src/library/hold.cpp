// Holding the game still and silent while its window has not the keyboard
// (another window was clicked, a notification answered), as the page does:
// it goes on from where it was once the window has the keyboard again.
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <atomic>

#include "library.h"

// How long the hold rests between two looks at the keyboard.
constexpr double hold_look_ms = 10;

static std::atomic<bool> focus_changed{false};  // the library said the window lost or got the keyboard
static std::atomic<bool> switched_in{true};     // what it said last: got it
static bool stopped[VIRTUAL_VOICES];            // the voices the hold stopped, to start again

// Note, on the library's thread, that the keyboard went or came.
static void note_switch_out()
{
    switched_in = false;
    focus_changed = true;
}
static void note_switch_in()
{
    switched_in = true;
    focus_changed = true;
}

void watch_keyboard()
{
    // The library goes on in the background; the game holds itself.
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, note_switch_out);
    set_display_switch_callback(SWITCH_IN, note_switch_in);
}

// Stops every sound that plays, or starts again those it stopped.
static void silence(bool quiet)
{
    for (int voice = 0; voice < VIRTUAL_VOICES; voice++) {
        if (quiet) {
            stopped[voice] = voice_check(voice) && voice_get_position(voice) >= 0;
            if (stopped[voice])
                voice_stop(voice);
        } else if (stopped[voice] && voice_check(voice)) {
            voice_start(voice);
        }
    }
}

double hold_while_away()
{
    if (!focus_changed.exchange(false) || window_has_keyboard(switched_in))
        return 0;
    double since = machine_now_ms();
    silence(true);
    do
        sleep_until_machine_ms(machine_now_ms() + hold_look_ms);
    while (!focus_changed.exchange(false) || !window_has_keyboard(switched_in));
    silence(false);
    return machine_now_ms() - since;
}
