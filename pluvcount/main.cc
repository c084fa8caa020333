#include "pluvcount/pluvcount.h"

int main() { return pluv::RunPluvcount(pluv::SystemPlatform()); }
