// How host failures read as File Manager result codes (the table is in Files.h).
#pragma once

#include <Files.h>

namespace toolbox {

OSErr osErrFromErrno(int error);

} // namespace toolbox
