// The clock under the game's pace where the game stands on the real library:
// the machine's own clock, standing still while the game is held, so that
// the game goes on at its pace from where it was, with no burst of steps to
// make up the time held. Each wait first shows what the game drew.
#include "library.h"
#include "platform/platform.h"

static double held_ms = 0;  // how long the game has been held, all told

extern "C" double now_ms()
{
    return machine_now_ms() - held_ms;
}

extern "C" void sleep_until_ms(double deadline)
{
    if (show_field())
        send_to_display();
    held_ms += hold_while_away();
    sleep_until_machine_ms(deadline + held_ms);
}
