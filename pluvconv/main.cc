#include "pluvconv/pluvconv.h"

int main() { return pluv::RunPluvconv(pluv::SystemPlatform()); }
