// The game's pace as the player sees it: watches one row of the game's
// window, on the X server, as the snake's head runs along it, notes when
// each pixel of the row first changes, and fits a line through those times:
// milliseconds per step, against the step's pause the game intends. It says "ready"
// once it holds the row as it was, and the caller sets the snake going. ROW,
// FROM and TO are the game's pixels; the window shows each as SCALE x SCALE.
//   frame_pace WINDOW ROW FROM TO [SCALE]   exits 2 when something lies on the row
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "record/state.h"

namespace {

constexpr double step_ms = step_delay_ms;
constexpr double look_every_ms = 0.5;
constexpr double gone_quiet_ms = 1000;  // no step for this long: the snake has died
constexpr double most_ms = 60000;

double now_ms()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The row's pixels from..to as the server shows them now, one for each game
// pixel of a window that shows them at scale.
std::vector<unsigned long> read_row(Display *display, Window window, int row, int from, int to, int scale)
{
    XImage *image = XGetImage(display, window, from * scale, row * scale, (to - from + 1) * scale, 1, AllPlanes,
                              ZPixmap);
    std::vector<unsigned long> pixels;
    if (!image)
        return pixels;
    for (int x = 0; x <= to - from; x++)
        pixels.push_back(XGetPixel(image, x * scale, 0));
    XDestroyImage(image);
    return pixels;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 5 && argc != 6) {
        fprintf(stderr, "usage: frame_pace WINDOW ROW FROM TO [SCALE]\n");
        return 1;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        fprintf(stderr, "frame_pace: no X display\n");
        return 1;
    }
    Window window = strtoul(argv[1], nullptr, 0);
    int row = atoi(argv[2]), from = atoi(argv[3]), to = atoi(argv[4]), scale = argc > 5 ? atoi(argv[5]) : 1;
    std::vector<unsigned long> before = read_row(display, window, row, from, to, scale);
    if (before.empty())
        return 1;
    for (unsigned long pixel : before)
        if (pixel != before[0]) {
            printf("something lies on the row\n");
            return 2;
        }
    printf("ready\n");
    fflush(stdout);

    // When each pixel of the row first changed, ms; 0 while it has not.
    std::vector<double> changed(before.size(), 0);
    double start = now_ms(), last_change = 0;
    size_t seen = 0;
    while (seen < before.size()) {
        double now = now_ms();
        if (now - start > most_ms || (last_change > 0 && now - last_change > gone_quiet_ms))
            break;
        std::vector<unsigned long> pixels = read_row(display, window, row, from, to, scale);
        double at = now_ms();
        for (size_t x = 0; x < pixels.size(); x++)
            if (changed[x] == 0 && pixels[x] != before[x]) {
                changed[x] = last_change = at;
                seen++;
            }
        timespec pause = {0, (long)(look_every_ms * 1e6)};
        nanosleep(&pause, nullptr);
    }
    XCloseDisplay(display);

    // A least-squares line through (x, time) of every pixel that changed.
    double n = 0, sx = 0, st = 0, sxx = 0, sxt = 0;
    for (size_t x = 0; x < changed.size(); x++)
        if (changed[x] > 0) {
            n++, sx += x, st += changed[x], sxx += (double)x * x, sxt += x * changed[x];
        }
    if (n < 2) {
        printf("the snake did not run along the row\n");
        return 1;
    }
    double ms_per_step = (n * sxt - sx * st) / (n * sxx - sx * sx);
    printf("%.0f steps seen: %.4f ms a step, %.4f of %.0f ms\n", n, ms_per_step, ms_per_step / step_ms, step_ms);
    return 0;
}
