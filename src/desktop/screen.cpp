// The Linux game's screen on X11 (under X.Org, or XWayland on a Wayland
// desktop): the monitor it opens on, full screen at that monitor's own
// resolution, with no change of the display's mode, or a window centred on
// the monitor's work area; and whether the window has the keyboard.
#include <allegro.h>
#include <xalleg.h>
#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include "library/library.h"
#include "platform/platform.h"

// What a window manager's frame adds to a window at the most, each way, as
// far as the game leaves room for it: borders and a title bar.
constexpr int frame_w = 16, frame_h = 48;

static bool keyboard_held = false;  // full screen over one monitor of several holds the keyboard itself

// Reads a property of the root window of 32-bit items into items (at most
// count); returns how many there were.
static int read_root_property(Display *display, const char *name, Atom type, long *items, int count)
{
    Atom property = XInternAtom(display, name, True), actual;
    int format;
    unsigned long n = 0, after;
    unsigned char *data = nullptr;
    int got = 0;
    if (property == None)
        return 0;  // no one has ever set it
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, count, False, type, &actual, &format,
                           &n, &after, &data) == Success &&
        data && format == 32) {
        for (got = 0; got < (int)n && got < count; got++)
            items[got] = ((long *)data)[got];
    }
    if (data)
        XFree(data);
    return got;
}

// The part of a that b also covers; a itself where they do not meet.
static area_t overlap(area_t a, area_t b)
{
    int x0 = a.x > b.x ? a.x : b.x, y0 = a.y > b.y ? a.y : b.y;
    int x1 = a.x + a.w < b.x + b.w ? a.x + a.w : b.x + b.w;
    int y1 = a.y + a.h < b.y + b.h ? a.y + a.h : b.y + b.h;
    return x1 > x0 && y1 > y0 ? area_t{x0, y0, x1 - x0, y1 - y0} : a;
}

// The monitor the game opens on (the primary one where there are several,
// else the first), the work area on it that the desktop's panels leave, and
// whether a window manager will frame a window.
static void find_monitor(Display *display, area_t &monitor, area_t &work, bool &framed)
{
    int screen_number = DefaultScreen(display);
    monitor = {0, 0, DisplayWidth(display, screen_number), DisplayHeight(display, screen_number)};
    int event_base, error_base, count = 0;
    if (XRRQueryExtension(display, &event_base, &error_base)) {
        XRRMonitorInfo *monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
        int chosen = 0;
        for (int i = 0; i < count; i++)
            if (monitors[i].primary)
                chosen = i;
        if (count > 0)
            monitor = {monitors[chosen].x, monitors[chosen].y, monitors[chosen].width, monitors[chosen].height};
        if (monitors)
            XRRFreeMonitors(monitors);
    }
    long area[4], check;
    work = read_root_property(display, "_NET_WORKAREA", XA_CARDINAL, area, 4) == 4
               ? overlap(monitor, area_t{(int)area[0], (int)area[1], (int)area[2], (int)area[3]})
               : monitor;
    framed = read_root_property(display, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &check, 1) == 1;
}

// Moves the window to the middle of the work area, as its size asks.
static void centre_window(area_t work)
{
    XLOCK();
    XSizeHints *hints = XAllocSizeHints();
    long supplied;
    if (hints && XGetWMNormalHints(_xwin.display, _xwin.wm_window, hints, &supplied)) {
        hints->flags |= USPosition | PPosition;
        XSetWMNormalHints(_xwin.display, _xwin.wm_window, hints);
    }
    if (hints)
        XFree(hints);
    XMoveWindow(_xwin.display, _xwin.wm_window, work.x + (work.w - SCREEN_W) / 2, work.y + (work.h - SCREEN_H) / 2);
    XFlush(_xwin.display);
    XUNLOCK();
}

// Full screen over one monitor of several: the library's own full screen
// would cover every monitor (its window is as large as the whole X screen),
// so the game's window goes over the one monitor before it is shown, as
// large as it, with no frame, above every other window, and holds the
// keyboard once shown. Should it not be shown, it is left a window that a
// window manager frames again.
static void place_over_monitor(area_t monitor, bool over)
{
    XLOCK();
    XSetWindowAttributes attributes;
    attributes.override_redirect = over;
    XChangeWindowAttributes(_xwin.display, _xwin.wm_window, CWOverrideRedirect, &attributes);
    if (over)
        XMoveWindow(_xwin.display, _xwin.wm_window, monitor.x, monitor.y);
    XUNLOCK();
}
static void hold_keyboard()
{
    XLOCK();
    XRaiseWindow(_xwin.display, _xwin.wm_window);
    keyboard_held = XGrabKeyboard(_xwin.display, _xwin.window, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                    GrabSuccess;
    XFlush(_xwin.display);
    XUNLOCK();
}

bool open_screen(int card, int chosen)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    area_t monitor, work;
    bool framed;
    find_monitor(display, monitor, work, framed);
    // Full screen on one monitor asks the library for the monitor's own
    // size, which is the mode the display is in: it switches nothing.
    bool full = card != GFX_AUTODETECT_WINDOWED;
    bool one_of_several = monitor.w != DisplayWidth(display, DefaultScreen(display)) ||
                          monitor.h != DisplayHeight(display, DefaultScreen(display));
    XCloseDisplay(display);
    if (full && one_of_several) {
        place_over_monitor(monitor, true);
        card = GFX_AUTODETECT_WINDOWED;
    }
    if (!open_screen_on(card, full, chosen, monitor, work, framed ? frame_w : 0, framed ? frame_h : 0)) {
        if (full && one_of_several)
            place_over_monitor(monitor, false);
        return false;
    }
    if (full && one_of_several)
        hold_keyboard();
    else if (!full)
        centre_window(work);
    return true;
}

void send_to_display()
{
    XLOCK();
    XFlush(_xwin.display);
    XUNLOCK();
}

bool window_has_keyboard(bool)
{
    // The library's word counts for little here: a keyboard grabbed for a
    // moment (a window manager's, say) is told as the keyboard lost, and not
    // always as got back. Full screen holds the keyboard for itself; else
    // the X server says where the keyboard is.
    if (_xwin.keyboard_grabbed || keyboard_held)
        return true;
    XLOCK();
    Window focus;
    int revert;
    XGetInputFocus(_xwin.display, &focus, &revert);
    // The keyboard is the window's when the focus is on it, or follows the
    // pointer; or when a window manager gives the focus to the frame around it.
    bool ours = focus == PointerRoot || focus == _xwin.window || focus == _xwin.wm_window;
    for (Window w = _xwin.wm_window, root, parent, *children; !ours && focus != None && w != None; w = parent) {
        unsigned int count;
        if (!XQueryTree(_xwin.display, w, &root, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        ours = parent == focus;
        if (parent == root)
            break;
    }
    XUNLOCK();
    return ours;
}
