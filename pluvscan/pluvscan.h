// pluvscan: every cell and hour of a period in which a window of the grid
// reached a threshold, as a list of lines "x y stamp value".
#pragma once

#include "common/platform.h"

namespace pluv {

// Runs the whole dialogue of pluvscan; returns the exit status.
int RunPluvscan(Platform& platform);

}  // namespace pluv
