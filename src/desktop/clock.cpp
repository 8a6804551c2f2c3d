// The Linux machine's clock under the game's pace: the monotonic clock, and a
// sleep to an absolute time on it, which wakes within microseconds of the
// deadline.
#include <cerrno>
#include <sys/prctl.h>
#include <time.h>

#include "library/library.h"

double machine_now_ms()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void sleep_until_machine_ms(double deadline)
{
    // The kernel may otherwise let a sleep run 50 us long to batch wake-ups.
    static bool slack_set = false;
    if (!slack_set) {
        prctl(PR_SET_TIMERSLACK, 1UL);
        slack_set = true;
    }
    timespec t;
    t.tv_sec = (time_t)(deadline / 1e3);
    t.tv_nsec = (long)((deadline - t.tv_sec * 1e3) * 1e6);
    if (t.tv_nsec >= 1000000000L) {
        t.tv_sec++;
        t.tv_nsec -= 1000000000L;
    }
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}
