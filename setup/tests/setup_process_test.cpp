// Setup as the disc starts it: a real process beside the support files.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <filesystem>
#include <thread>

#include "support_file_table.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

namespace {

class SetupProcess : public ::testing::Test {
 protected:
  SetupProcess() {
    fs::copy_file(SETUP_PROGRAM, disc / "Alpha.exe");
    for (const auto& f : setup::supportFileTable)
      fs::copy_file(fs::path(SUPPORT_FILE_DIR) / std::string(f.source), disc / std::string(f.source),
                    fs::copy_options::overwrite_existing);
    // The player stands in as a script that says where and how it was started.
    writeBytes(disc / "QD.exe", "#!/bin/sh\necho \"$PWD $QUENDREL_WINDOW_STYLE\" >> \"$0.log\"\n");
    fs::permissions(disc / "QD.exe", fs::perms::owner_all);
  }

  int runSetup(const QStringList& arguments = {}) {
    QProcess setup;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUENDREL_SYSTEM_DIR", QString::fromStdString((sys / "system").string()));
    setup.setProcessEnvironment(env);
    setup.setWorkingDirectory("/");  // Setup must find its files from its own folder
    setup.start(QString::fromStdString((disc / "Alpha.exe").string()), arguments);
    if (!setup.waitForFinished(30000)) return -1;
    return setup.exitCode();
  }

  // The player runs detached: wait, with a deadline, for its log to reach `lines` lines.
  std::string playerLog(std::size_t lines) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string log;
    do {
      log = readBytes(disc / "QD.exe.log");
      if (static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n')) >= lines) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return log;
  }

  TempFolder disc, sys;
};

}  // namespace

TEST_F(SetupProcess, InstallsOnceThenOnlyStartsThePlayer) {
  ASSERT_EQ(runSetup(), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(sys / "system"), {}), 18);
  EXPECT_EQ(readBytes(sys / "system" / "RZ.LOG"), readBytes(disc / "qd.019"));
  EXPECT_EQ(playerLog(1), disc.str() + " 1\n") << "started in the disc's folder, shown normally";

  fs::remove(sys / "system" / "msdxm.ocx");
  ASSERT_EQ(runSetup(), 0);
  EXPECT_FALSE(fs::exists(sys / "system" / "msdxm.ocx"));
  EXPECT_EQ(playerLog(2), disc.str() + " 1\n" + disc.str() + " 1\n");
}
