#include "system/process_launcher.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QThread>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "system/recording_launcher.h"
#include "temp_folder.h"
#include "system/scoped_environment.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

// Waits, a bounded time, for a file to appear.
bool waitForFile(const fs::path& path, int limitMs = 10000) {
  QElapsedTimer waited;
  waited.start();
  while (!fs::exists(path)) {
    if (waited.elapsed() > limitMs) return false;
    QThread::msleep(10);
  }
  return true;
}

TEST(ProcessLauncher, TheRealLauncherIsInstalledByDefault) {
  EXPECT_NE(dynamic_cast<QtProcessLauncher*>(&processLauncher()), nullptr);
}

TEST(ProcessLauncher, StartsAProgramWithArgumentsFolderAndWindowStyle) {
  TempFolder dir;
  const fs::path script = dir / "report.sh";
  writeBytes(script,
             "#!/bin/sh\n"
             "out=\"$1\"; shift\n"
             "{ pwd; echo \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done;"
             " echo \"style=$QUENDREL_WINDOW_STYLE\"; } > \"$out.part\" && mv \"$out.part\" \"$out\"\n");
  ::chmod(script.c_str(), 0755);
  const fs::path work = dir / "work folder";
  fs::create_directories(work);
  const fs::path out = dir / "report.txt";

  ProcessStart start;
  start.program = QString::fromStdString(script.string());
  start.arguments = QStringList{QString::fromStdString(out.string()), "two words", "$(touch pwned); *", ""};
  start.workingDirectory = QString::fromStdString(work.string());
  start.style = WindowStyle::Minimized;
  QtProcessLauncher launcher;
  ASSERT_TRUE(launcher.start(start));
  ASSERT_TRUE(waitForFile(out)) << "the started program wrote nothing";
  EXPECT_EQ(readBytes(out), fs::canonical(work).string() + "\n3\n[two words]\n[$(touch pwned); *]\n[]\nstyle=2\n");
  EXPECT_FALSE(fs::exists(work / "pwned"));
}

TEST(ProcessLauncher, WithoutAFolderTheChildStartsInOurs) {
  TempFolder dir;
  const fs::path script = dir / "pwd.sh";
  writeBytes(script, "#!/bin/sh\npwd > \"$1.part\" && mv \"$1.part\" \"$1\"\n");
  ::chmod(script.c_str(), 0755);
  const fs::path out = dir / "pwd.txt";
  ProcessStart start;
  start.program = QString::fromStdString(script.string());
  start.arguments = QStringList{QString::fromStdString(out.string())};
  ASSERT_TRUE(QtProcessLauncher().start(start));
  ASSERT_TRUE(waitForFile(out));
  std::string shown = readBytes(out);
  ASSERT_FALSE(shown.empty());
  shown.pop_back();  // the line end
  EXPECT_EQ(fs::canonical(shown), fs::canonical(fs::current_path()));
}

TEST(ProcessLauncher, AProgramThatCannotBeStartedIsAFailure) {
  TempFolder dir;
  QtProcessLauncher launcher;
  ProcessStart missing;
  missing.program = QString::fromStdString((dir / "setup.exe").string());
  EXPECT_FALSE(launcher.start(missing));
  EXPECT_FALSE(launcher.start(ProcessStart{}));
  ProcessStart badFolder;
  badFolder.program = "true";
  badFolder.workingDirectory = QString::fromStdString((dir / "no such folder").string());
  EXPECT_FALSE(launcher.start(badFolder));
}

TEST(ProcessLauncher, AWatchedProgramTellsHowItEnded) {
  TempFolder dir;
  struct Case {
    const char* what;
    const char* script;
    bool succeeded;
  };
  const Case cases[] = {
      {"exit status 0", "exit 0", true},
      {"exit status 3", "exit 3", false},
      {"killed", "kill -9 $$", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path script = dir / "end.sh";
    writeBytes(script, std::string("#!/bin/sh\n") + c.script + "\n");
    ::chmod(script.c_str(), 0755);
    std::vector<bool> ends;
    ProcessStart start;
    start.program = QString::fromStdString(script.string());
    start.ended = [&ends](bool succeeded) { ends.push_back(succeeded); };
    ASSERT_TRUE(QtProcessLauncher().start(start));
    QElapsedTimer waited;
    waited.start();
    while (ends.empty() && waited.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(ends, std::vector<bool>{c.succeeded});
  }
  // A program that does not start is answered by start() alone.
  bool called = false;
  ProcessStart missing;
  missing.program = QString::fromStdString((dir / "xdg-open").string());
  missing.ended = [&called](bool) { called = true; };
  EXPECT_FALSE(QtProcessLauncher().start(missing));
  QCoreApplication::processEvents();
  EXPECT_FALSE(called);
}

TEST(WindowStyleHint, ReadsTheStyleNumber) {
  {
    ScopedEnvironmentVariable env(kWindowStyleVariable, "3");
    EXPECT_EQ(windowStyleHint(), WindowStyle::Maximized);
  }
  {
    ScopedEnvironmentVariable env(kWindowStyleVariable, "0");
    EXPECT_EQ(windowStyleHint(), WindowStyle::Hidden);
  }
  {
    ScopedEnvironmentVariable env(kWindowStyleVariable, "4");
    EXPECT_EQ(windowStyleHint(), WindowStyle::NormalNoFocus);
  }
  for (const char* bad : {"5", "-1", "x", "", "1x"}) {
    ScopedEnvironmentVariable env(kWindowStyleVariable, bad);
    EXPECT_FALSE(windowStyleHint().has_value()) << bad;
  }
  ScopedEnvironmentVariable env(kWindowStyleVariable, nullptr);
  EXPECT_FALSE(windowStyleHint().has_value());
}

TEST(RecordingLauncher, RecordsEveryStartAndCanFail) {
  ScopedLauncher launcher;
  ProcessStart start;
  start.program = "qd.exe";
  start.style = WindowStyle::Normal;
  EXPECT_TRUE(processLauncher().start(start));
  launcher->setFailing(true);
  start.program = "setup.exe";
  EXPECT_FALSE(processLauncher().start(start));
  ASSERT_EQ(launcher->started().size(), 2u);
  EXPECT_EQ(launcher->started()[0].program, "qd.exe");
  EXPECT_EQ(launcher->started()[1].program, "setup.exe");
  launcher->clear();
  EXPECT_TRUE(launcher->started().empty());
}

TEST(OpenWithDesktop, StartsXdgOpenWithTheOneArgument) {
  ScopedLauncher launcher;
  EXPECT_TRUE(openWithDesktop("http://127.0.0.1:8080/utilities/quendrel/help.html", WindowStyle::Minimized));
  ASSERT_EQ(launcher->started().size(), 1u);
  const ProcessStart& start = launcher->started()[0];
  EXPECT_EQ(start.program, "xdg-open");
  EXPECT_EQ(start.arguments, QStringList{"http://127.0.0.1:8080/utilities/quendrel/help.html"});
  EXPECT_TRUE(start.workingDirectory.isEmpty());
  EXPECT_EQ(start.style, WindowStyle::Minimized);
  launcher->setFailing(true);
  EXPECT_FALSE(openWithDesktop("/home/user/My Project", WindowStyle::Normal));
  EXPECT_EQ(launcher->started()[1].arguments, QStringList{"/home/user/My Project"});
}

TEST(OpenWithDesktop, TheOpenerComesWithThePackagesTheSystemInstalls) {
  // A fresh machine lacks the opener unless packages.txt brings it.
  ScopedLauncher launcher;
  openWithDesktop("/home/user", WindowStyle::Normal);
  ASSERT_EQ(launcher->started().size(), 1u);
  const std::map<QString, QString> packageOf = {{"xdg-open", "xdg-utils"}};
  ASSERT_TRUE(packageOf.count(launcher->started()[0].program));
  QFile list(QStringLiteral(QUENDREL_PACKAGES_FILE));
  ASSERT_TRUE(list.open(QIODevice::ReadOnly | QIODevice::Text));
  QStringList packages;
  while (!list.atEnd()) packages << QString::fromUtf8(list.readLine()).trimmed();
  EXPECT_TRUE(packages.contains(packageOf.at(launcher->started()[0].program)));
}

}  // namespace
}  // namespace platform
