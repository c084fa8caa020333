// pluvaccum: the precipitation of every hour of a period of days, added up
// cell by cell into one ASCII raster of sums.
#pragma once

#include "common/platform.h"

namespace pluv {

// Runs the whole dialogue of pluvaccum; returns the exit status.
int RunPluvaccum(Platform& platform);

}  // namespace pluv
