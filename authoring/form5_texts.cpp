// The project's texts, the CD label and the interface colour of tab 2.
#include "form5.h"

void Form5::connectTextHandlers() {}
