// Feeds arbitrary bytes to the configuration reader. Whatever the file holds,
// the reader must stop, and a value it accepts must be exactly the decimal
// number written at the start of the file.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/shell.h"

// The first value, read the plain way, or false when there is none that fits.
static bool reference_first(const std::string &text, long long &value)
{
    size_t i = text.compare(0, 3, "\xef\xbb\xbf") == 0 ? 3 : 0;
    while (i < text.size() && isspace((unsigned char)text[i]))
        i++;
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        i++;
    size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        i++;
    if (i == digits || i - digits > 18)
        return false;  // no number, or one too long to compare this way
    value = strtoll(text.substr(start, i - start).c_str(), nullptr, 10);
    return value >= INT32_MIN && value <= INT32_MAX;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *file = fmemopen((void *)data, size, "r");
    if (!file)
        return 0;
    int32_t first, second;
    read_config_values(file, first, second);
    fclose(file);
    long long expected;
    std::string text((const char *)data, size);
    if (reference_first(text, expected) && first != expected)
        abort();
    return 0;
}
