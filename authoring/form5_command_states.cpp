// Which commands can be used for the open project and the selections.
#include "form5.h"

void Form5::connectCommandStateHandlers() {}
