// The one error value of the simulated machine: an errno-style code for the
// sysctl boundary plus a sentence for the user. The library never throws.
#pragma once

#include <string>

namespace macsim {

struct Error {
    int code = 0; // 0: success; otherwise an errno value (ENOENT, EIO, EPERM, ...)
    std::string message; // one line, without the program name

    explicit operator bool() const { return code != 0; }
};

inline Error fail(int code, std::string message)
{
    return Error {code, std::move(message)};
}

// Prints "macsim: <message>" on stderr, once per process however often it is
// called: a program that reads six nodes of a broken machine says so once.
void reportOnce(const Error& error);

} // namespace macsim
