// Opening the game's own files where the platform is POSIX: the desktop, and
// the browser's file system, which Emscripten builds on the same calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/platform.h"

FILE *open_regular_file(const char *path)
{
    // Opened without blocking, so that a pipe of that name cannot hang the
    // game before it is found not to be a file.
    int fd = open(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    FILE *file = fdopen(fd, "rb");
    if (!file)
        close(fd);
    return file;
}
