#include <support/dout.h>

#include <cstdarg>
#include <cstdio>

void dout([[maybe_unused]] const char* format, ...)
{
#if KORV_DEBUG_OUTPUT
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
#endif
}
