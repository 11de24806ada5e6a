// The sample collection made at the first start.
#include "form5.h"

void Form5::connectSampleHandlers() {}

// Not built yet: until it is, the first start only makes the Handle folder.
void Form5::buildSampleProject(const QString&) {}
