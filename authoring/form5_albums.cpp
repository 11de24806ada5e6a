// Albums and their pictures on tab 1.
#include "form5.h"

void Form5::connectAlbumHandlers() {}
