// pluvconv: converts single RW products of the working directory into ASCII
// rasters, asking for one product after the other until the input ends.
#pragma once

#include "common/platform.h"

namespace pluv {

// Runs the whole dialogue of pluvconv; returns the exit status.
int RunPluvconv(Platform& platform);

}  // namespace pluv
