// Opening the game's own files on Windows.
#include <allegro.h>
#include <winalleg.h>
#include <fcntl.h>
#include <io.h>

#include "platform/platform.h"

FILE *open_regular_file(const char *path)
{
    // Only a file on a disk: not a directory, nor a device or a pipe, which
    // could hang the game or feed it endlessly.
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(handle);
        return nullptr;
    }
    int fd = _open_osfhandle((intptr_t)handle, _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE *file = _fdopen(fd, "rb");
    if (!file)
        _close(fd);
    return file;
}
