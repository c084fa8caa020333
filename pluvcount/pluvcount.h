// pluvcount: for five thresholds, in how many hours of a period each cell
// reached each threshold; five ASCII rasters of counts.
#pragma once

#include "common/platform.h"

namespace pluv {

// Runs the whole dialogue of pluvcount; returns the exit status.
int RunPluvcount(Platform& platform);

}  // namespace pluv
