// The project's three pictures on tab 2.
#include "form5.h"

void Form5::connectPictureHandlers() {}
