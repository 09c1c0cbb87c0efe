// Debugging output: printf-style lines on standard error when the support
// library is built with KORV_DEBUG_OUTPUT, nothing otherwise.
#pragma once

void dout(const char* format, ...) __attribute__((format(printf, 1, 2)));
