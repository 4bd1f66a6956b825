// WStr's formatting; the rest of the class is inline.
#include "strclass.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

int WStr::printf(const wchar_t* format, ...) {
    if (!format) {
        text.clear();
        return 0;
    }
    // vswprintf reports truncation only as failure, so grow the buffer until the text fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        std::va_list args;
        va_start(args, format);
        const int n = std::vswprintf(buffer.data(), buffer.size(), format, args);
        va_end(args);
        if (n >= 0) {
            text.assign(buffer.data(), static_cast<std::size_t>(n));
            return n;
        }
        if (buffer.size() >= (1u << 20)) {
            text.clear();
            return -1;
        }
        buffer.resize(buffer.size() * 2);
    }
}
