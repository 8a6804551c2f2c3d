// The configuration file: two integers, the window type and the background.
#include <cctype>
#include <cstdlib>

#include "runtime_files.h"
#include "shell.h"

FILE *config_file = nullptr;
int wintype = 0;
int bgcol = 0;

// A value that was missing or unreadable takes this, which fails its range test.
constexpr int32_t unreadable_value = -1;

// Skips a UTF-8 byte order mark that some editors put at the start of a file.
static void skip_byte_order_mark(FILE *file)
{
    static const int mark[3] = {0xef, 0xbb, 0xbf};
    int c = fgetc(file);
    if (c != mark[0]) {
        if (c != EOF)
            ungetc(c, file);
        return;
    }
    if (fgetc(file) != mark[1] || fgetc(file) != mark[2])
        rewind(file);  // not a mark after all: the value reader rejects the byte
}

bool read_config_value(FILE *file, int32_t &value)
{
    int c;
    do
        c = fgetc(file);
    while (c != EOF && isspace(c));
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = (c == '-');
        c = fgetc(file);
    }
    if (c == EOF || !isdigit(c))
        return false;
    int64_t magnitude = 0;
    bool fits = true;
    for (; c != EOF && isdigit(c); c = fgetc(file)) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > (int64_t)INT32_MAX + 1) {
            fits = false;
            magnitude = (int64_t)INT32_MAX + 1;  // keep consuming the digits
        }
    }
    if (c != EOF)
        ungetc(c, file);
    int64_t v = negative ? -magnitude : magnitude;
    if (!fits || v > INT32_MAX)
        return false;
    value = (int32_t)v;
    return true;
}

void read_config_values(FILE *file, int32_t &first, int32_t &second)
{
    first = second = unreadable_value;
    skip_byte_order_mark(file);
    read_config_value(file, first);
    read_config_value(file, second);
}

void read_config()
{
    config_file = open_regular_file(config_name);
    if (!config_file) {
        char message[64];
        snprintf(message, sizeof message, "File %s not found.\n", config_name);
        fail_start(message);
    }
    int32_t first, second;
    read_config_values(config_file, first, second);
    wintype = first;
    bgcol = second;
    if (wintype < 0 || wintype > 1)
        fail_start("wintype must be 0 or 1.\n");
    if (bgcol < 0 || bgcol > 1)
        fail_start("bgcol must be 0 or 1.\n");
}
