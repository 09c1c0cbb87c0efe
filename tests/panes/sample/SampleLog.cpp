#include "SampleLog.h"

#include <Quickdraw.h>

#include <cstdio>

void LogLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void LogHook(const std::string& what)
{
    GrafPtr port;
    GetPort(&port);
    Rect bounds;
    GetPortBounds(port, &bounds);
    LogLine(what + " origin=(" + std::to_string(bounds.left) + "," + std::to_string(bounds.top) + ") window="
        + std::to_string(bounds.right - bounds.left) + "x" + std::to_string(bounds.bottom - bounds.top));
}

std::string Quoted(const unsigned char* pascal)
{
    return "\"" + std::string(reinterpret_cast<const char*>(pascal + 1), pascal[0]) + "\"";
}
