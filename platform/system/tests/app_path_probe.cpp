// Says what App.Path is for the path it was started by. It leaves its start
// folder first, as Setup does, so a relative start path must have been taken
// from where it was started, not from where it stands when asked.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>

#include "system/app_paths.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (::chdir("/") != 0) return 2;
  std::puts(platform::appPath().toLocal8Bit().constData());
  return 0;
}
