#include "pluvscan/pluvscan.h"

int main() { return pluv::RunPluvscan(pluv::SystemPlatform()); }
