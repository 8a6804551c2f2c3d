// What the Windows program says as it starts (why it could not, or its
// help), shown in a message box: a windowed program has no console for what
// the shell printed.
#include <allegro.h>
#include <winalleg.h>

#include "platform/platform.h"

void show_start_message(const char *message, bool failure)
{
    MessageBoxA(nullptr, message, "Vorlix", MB_OK | MB_SETFOREGROUND | (failure ? MB_ICONERROR : MB_ICONINFORMATION));
}
