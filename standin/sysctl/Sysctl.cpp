#include <sys/sysctl.h>

#include <cerrno>

// FIXME: placeholder until the node interface lands.
extern "C" int sysctlbyname(const char*, void*, size_t*, void*, size_t)
{
    errno = ENOENT;
    return -1;
}

extern "C" int sysctl(int*, u_int, void*, size_t*, void*, size_t)
{
    errno = ENOENT;
    return -1;
}
