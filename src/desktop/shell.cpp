// What the Linux game says as it starts: the terminal, where the shell
// printed it, says it already.
#include "platform/platform.h"

void show_start_message(const char *, bool)
{
}
