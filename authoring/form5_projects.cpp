// Projects: the picker of tab 0, create, open, delete and the password.
#include "form5.h"

void Form5::connectProjectHandlers() {}
