// Why the Linux game could not start: the terminal's standard output, where
// the shell printed it, says it already.
#include "platform/platform.h"

void show_start_failure(const char *)
{
}
