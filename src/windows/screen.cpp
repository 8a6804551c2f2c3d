// How the game's screen reaches its window on Windows.
#include <allegro.h>


// The graphics drivers the game may use, in the order the library tries
// them. Full screen is DirectX's. In a window the library would pick its
// DirectX window first, which hangs on exit (its window thread and the game
// wait on each other as the window's style is restored) and reads a pixel
// back slowly; the GDI window keeps the screen in memory, where the game's
// reads are as quick as on Linux, and copies what changed to the window 70
// times a second from the library's timer.
BEGIN_GFX_DRIVER_LIST
{GFX_DIRECTX_ACCEL, &gfx_directx_accel, TRUE},
{GFX_DIRECTX_SOFT, &gfx_directx_soft, TRUE},
{GFX_DIRECTX_SAFE, &gfx_directx_safe, TRUE},
{GFX_GDI, &gfx_gdi, TRUE},
END_GFX_DRIVER_LIST

