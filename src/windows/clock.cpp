// The Windows machine's clock under the game's pace: the performance
// counter, and a sleep to a deadline on it that wakes within a fraction of a
// millisecond.
#include <allegro.h>
#include <cstdlib>
#include <winalleg.h>

#include "library/library.h"

// A sleep wakes a little late; the last stretch before a deadline is
// yielded away instead, this much at the least and at the most.
constexpr double least_spin_ms = 0.1;
constexpr double most_spin_ms = 2.0;

// Windows' own sleep, in 100 ns units: what Sleep calls, without rounding
// to whole milliseconds. Wine wakes from it within 0.1 ms; Windows on the
// next tick of its timer, which the game sets to a millisecond.
typedef LONG(NTAPI *delay_execution_t)(BOOLEAN alertable, PLARGE_INTEGER interval);

static double counter_ms = 0;                     // milliseconds per tick of the performance counter
static delay_execution_t delay_execution = nullptr;  // the precise sleep, where there is one
static bool sleep_ready = false;                  // the timer's tick and the sleep are set up
static double spin_ms = most_spin_ms;             // how long before a deadline the sleep is left

double machine_now_ms()
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

// Lets the system's timer go back to its own tick as the program ends.
static void end_timer_period()
{
    timeEndPeriod(1);
}

// Sets the system's timer ticking every millisecond while the game runs
// and finds the precise sleep.
static void set_up_sleep()
{
    if (timeBeginPeriod(1) == TIMERR_NOERROR)
        atexit(end_timer_period);
    delay_execution = (delay_execution_t)(void *)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDelayExecution");
    sleep_ready = true;
}

// Sleeps about ms, and learns from how late it woke how long before a
// deadline to stop sleeping.
static void sleep_for(double ms)
{
    double start = machine_now_ms();
    if (delay_execution) {
        LARGE_INTEGER interval;
        interval.QuadPart = -(LONGLONG)(ms * 1e4);  // relative, in 100 ns units
        delay_execution(FALSE, &interval);
    } else {
        Sleep((DWORD)ms);
    }
    double late = machine_now_ms() - start - ms;
    // Quick to widen, slow to narrow: a late wake is made up at once.
    double wanted = late + least_spin_ms;
    spin_ms = wanted > spin_ms ? wanted : spin_ms * 0.9 + wanted * 0.1;
    if (spin_ms < least_spin_ms)
        spin_ms = least_spin_ms;
    if (spin_ms > most_spin_ms)
        spin_ms = most_spin_ms;
}

void sleep_until_machine_ms(double deadline)
{
    if (!sleep_ready)
        set_up_sleep();
    // A look for messages, though the game's thread has no window: wine
    // shows what was drawn into a window only when some thread of the
    // program waits for messages, and the library's window thread sleeps
    // until one comes.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, 0);
    for (;;) {
        double left = deadline - machine_now_ms();
        if (left <= 0)
            return;
        if (left > spin_ms)
            sleep_for(left - spin_ms);
        else
            SwitchToThread();
    }
}
