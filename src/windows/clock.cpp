// The Windows clock under the game's pace: the performance counter, and a
// sleep to a deadline on it that wakes within a fraction of a millisecond.
#include <windows.h>

#include "present/clock.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x2
#endif

// A timer wakes a little late; the last stretch before a deadline is
// yielded away instead, this much at the least and at the most.
constexpr double least_spin_ms = 0.1;
constexpr double most_spin_ms = 2.0;

static double counter_ms = 0;        // milliseconds per tick of the performance counter
static HANDLE wait_timer = nullptr;  // the timer each sleep waits on
static double spin_ms = most_spin_ms;  // how long before a deadline the timer is left

extern "C" double now_ms()
{
    if (counter_ms == 0) {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        counter_ms = 1e3 / (double)frequency.QuadPart;
    }
    LARGE_INTEGER ticks;
    QueryPerformanceCounter(&ticks);
    return (double)ticks.QuadPart * counter_ms;
}

// Makes the timer the sleeps wait on: a high-resolution one where Windows
// has it (10, version 1803, and later), else a plain one with the system's
// timer ticking every millisecond.
static void make_wait_timer()
{
    wait_timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (!wait_timer) {
        timeBeginPeriod(1);
        wait_timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    }
}

// Waits on the timer for about ms, and learns from how late it woke how
// long before a deadline to stop waiting on it.
static void wait_on_timer(double ms)
{
    double start = now_ms();
    LARGE_INTEGER due;
    due.QuadPart = -(LONGLONG)(ms * 1e4);  // relative, in 100 ns units
    // A wait for messages, though the game's thread has no window: wine
    // shows what was drawn into a window only when some thread of the
    // program waits so, and the library's window thread sleeps until a
    // message comes.
    if (!SetWaitableTimer(wait_timer, &due, 0, nullptr, nullptr, FALSE) ||
        MsgWaitForMultipleObjects(1, &wait_timer, FALSE, INFINITE, 0) != WAIT_OBJECT_0) {
        Sleep((DWORD)ms);
        return;
    }
    double late = now_ms() - start - ms;
    // Quick to widen, slow to narrow: a late wake is made up at once.
    double wanted = late + least_spin_ms;
    spin_ms = wanted > spin_ms ? wanted : spin_ms * 0.9 + wanted * 0.1;
    if (spin_ms < least_spin_ms)
        spin_ms = least_spin_ms;
    if (spin_ms > most_spin_ms)
        spin_ms = most_spin_ms;
}

extern "C" void sleep_until_ms(double deadline)
{
    if (!wait_timer)
        make_wait_timer();
    for (;;) {
        double left = deadline - now_ms();
        if (left <= 0)
            return;
        if (left > spin_ms)
            wait_on_timer(left - spin_ms);
        else
            SwitchToThread();
    }
}
