#include <macsim/Error.h>

#include <cstdio>

namespace macsim {

void reportOnce(const Error& error)
{
    static bool reported = false;
    if (reported || !error)
        return;
    reported = true;
    std::fprintf(stderr, "macsim: %s\n", error.message.c_str());
}

} // namespace macsim
