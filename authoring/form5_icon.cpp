// The disc icon of tab 2.
#include "form5.h"

void Form5::connectIconHandlers() {}
