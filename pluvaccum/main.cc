#include "pluvaccum/pluvaccum.h"

int main() { return pluv::RunPluvaccum(pluv::SystemPlatform()); }
