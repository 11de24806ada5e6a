// Songs and their lyrics on tab 1.
#include "form5.h"

void Form5::connectSongHandlers() {}
