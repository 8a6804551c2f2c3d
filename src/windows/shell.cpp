// Why the Windows program could not start, shown in a message box: a
// windowed program has no console for what the shell printed.
#include <allegro.h>
#include <winalleg.h>

#include "platform/platform.h"

void show_start_failure(const char *message)
{
    MessageBoxA(nullptr, message, "Vorlix", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
