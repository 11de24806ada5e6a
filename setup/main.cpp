// Setup: the disc's launcher. Installs the support files the first time a
// disc runs on a machine, then starts the player. Any command-line argument
// asks before reinstalling.

#include <unistd.h>

#include <QApplication>
#include <filesystem>

#include "dialogs/dialog_service.h"
#include "system/app_paths.h"
#include "path_helpers.h"
#include "support_file_installer.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::setProgramTitle("Setup");

  // There is no autorun to start us in the disc's root: make our own folder
  // the current folder, where the support files and the player lie.
  const std::filesystem::path disc = platform::appPath().toStdString();
  if (::chdir(disc.c_str()) != 0) return 1;

  std::string systemDir = store::GetWindowsSysDir();
  if (systemDir.empty()) return 1;
  std::error_code ec;
  std::filesystem::create_directories(systemDir, ec);

  setup::SupportFileInstaller installer(systemDir, disc);
  installer.InstallSupportFiles(argc > 1);
  return 0;
}
