// Compile, run and browse on the build panel.
#include "form5.h"

void Form5::connectCompileHandlers() {}
