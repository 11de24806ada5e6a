// Writes the sample data files qd.090 to qd.095 into the program folder.
//   sample_data_writer <folder>
#include <QCoreApplication>
#include <cstdio>
#include <exception>

#include "sample_data.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  QCoreApplication app(argc, argv);  // for the image writer's plugins
  try {
    sample_data::writeSampleData(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sample data: %s\n", error.what());
    return 1;
  }
  return 0;
}
