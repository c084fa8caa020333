// What the POSIX platform layer decides on its own, open to its tests.
#pragma once

#include "platform.h"

namespace pluv {

// The failure code of the system error `err` (errno). `creating` tells a
// missing directory of a new file (3, with the name in the message) from a
// missing file (2).
IoCode CodeOfErrno(int err, bool creating);

}  // namespace pluv
