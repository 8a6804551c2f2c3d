// The Windows program's screen: the monitor it opens on, full screen as a
// window without a frame over the whole monitor at its own resolution (the
// display's mode never changes, and switching away leaves it as it was), or
// a window centred on the monitor's work area; and whether the window has
// the keyboard. The program sees the monitor's real pixels at every scaling
// of the desktop (its manifest says it scales itself, per monitor).
#include <allegro.h>
#include <winalleg.h>

#include "library/library.h"
#include "platform/platform.h"

// The library draws into a bitmap in memory, which its GDI driver copies to
// the window 70 times a second, as much as changed, from the library's
// timer. The only driver the game lets the library choose: its DirectX
// drivers change the display's mode for full screen, and their window hangs
// on exit (its window thread and the game wait on each other as the
// window's style is restored) and reads a pixel back slowly.
BEGIN_GFX_DRIVER_LIST
{GFX_GDI, &gfx_gdi, TRUE},
END_GFX_DRIVER_LIST

// The library's window, framed, and full screen.
constexpr DWORD framed_style = WS_SYSMENU | WS_CAPTION | WS_MINIMIZEBOX;
constexpr DWORD full_screen_style = WS_POPUP;
constexpr DWORD window_ex_style = WS_EX_APPWINDOW;

// A rectangle of the display as an area.
static area_t area_of(const RECT &r)
{
    return {(int)r.left, (int)r.top, (int)(r.right - r.left), (int)(r.bottom - r.top)};
}

// What the library's frame adds to a window, each way, at the window's
// scaling of the desktop.
static void frame_size(HWND window, int &w, int &h)
{
    typedef UINT(WINAPI * dpi_for_window_t)(HWND);
    typedef BOOL(WINAPI * adjust_for_dpi_t)(LPRECT, DWORD, BOOL, DWORD, UINT);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto dpi_for_window = (dpi_for_window_t)(void *)GetProcAddress(user, "GetDpiForWindow");
    auto adjust_for_dpi = (adjust_for_dpi_t)(void *)GetProcAddress(user, "AdjustWindowRectExForDpi");
    RECT r = {0, 0, 0, 0};
    if (dpi_for_window && adjust_for_dpi)
        adjust_for_dpi(&r, framed_style, FALSE, window_ex_style, dpi_for_window(window));
    else
        AdjustWindowRectEx(&r, framed_style, FALSE, window_ex_style);
    w = r.right - r.left;
    h = r.bottom - r.top;
}

bool open_screen(int card, int chosen)
{
    HWND window = win_get_window();
    MONITORINFO info;
    info.cbSize = sizeof info;
    POINT origin = {0, 0};
    if (!GetMonitorInfoA(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info))
        return false;
    area_t monitor = area_of(info.rcMonitor), work = area_of(info.rcWork);
    bool full = card != GFX_AUTODETECT_WINDOWED;
    int frame_w, frame_h;
    frame_size(window, frame_w, frame_h);
    // The library sizes its window by its style, and centres it on the work
    // area: full screen, with no frame, is then moved onto the monitor.
    LONG style = GetWindowLongA(window, GWL_STYLE) & ~(framed_style | full_screen_style);
    SetWindowLongA(window, GWL_STYLE, style | (full ? full_screen_style : framed_style));
    if (!open_screen_on(GFX_GDI, full, chosen, monitor, work, frame_w, frame_h))
        return false;
    if (full)
        SetWindowPos(window, HWND_TOP, monitor.x, monitor.y, monitor.w, monitor.h, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    return true;
}

void send_to_display()
{
}

bool window_has_keyboard(bool switched_in)
{
    // The library's word, from the window's activation, is the keyboard's.
    return switched_in;
}
