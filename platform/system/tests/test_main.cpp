// The services' tests run inside a QCoreApplication (timers, network and
// processes need one); no display is needed.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
