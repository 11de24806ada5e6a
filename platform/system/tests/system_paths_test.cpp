#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include <cstdlib>
#include <optional>
#include <string>

#include "runtime_rules.h"
#include "system/app_paths.h"
#include "system/event_pump.h"

namespace platform {
namespace {

class ScopedTmpdir {
 public:
  explicit ScopedTmpdir(const char* value) {
    if (const char* old = std::getenv("TMPDIR")) old_ = old;
    if (value) ::setenv("TMPDIR", value, 1);
    else ::unsetenv("TMPDIR");
  }
  ~ScopedTmpdir() {
    if (old_) ::setenv("TMPDIR", old_->c_str(), 1);
    else ::unsetenv("TMPDIR");
  }

 private:
  std::optional<std::string> old_;
};

TEST(AppPath, IsTheFolderOfTheRunningProgram) {
  const QString path = appPath();
  EXPECT_EQ(path, QCoreApplication::applicationDirPath());
  EXPECT_FALSE(path.endsWith('/'));
  EXPECT_TRUE(QDir(path).exists());
}

TEST(AppPath, CanBeSetForTests) {
  const QString real = appPath();
  setAppPath("/media/cdrom/");
  EXPECT_EQ(appPath(), "/media/cdrom");
  setAppPath("/");
  EXPECT_EQ(appPath(), "/");
  setAppPath({});
  EXPECT_EQ(appPath(), real);
}

TEST(TemporaryFolder, IsTmpdirOrTmpEndingInASlash) {
  {
    ScopedTmpdir env("/var/tmp/mine");
    EXPECT_EQ(tempFolder(), "/var/tmp/mine/");
  }
  {
    ScopedTmpdir env("/var/tmp/mine/");
    EXPECT_EQ(tempFolder(), "/var/tmp/mine/");
  }
  {
    ScopedTmpdir env("");
    EXPECT_EQ(tempFolder(), "/tmp/");
  }
  ScopedTmpdir env(nullptr);
  EXPECT_EQ(tempFolder(), "/tmp/");
}

TEST(EventPump, LetPendingEventsRunProcessesQtEvents) {
  bool ran = false;
  QTimer::singleShot(0, QCoreApplication::instance(), [&] { ran = true; });
  runtime::letPendingEventsRun();  // nothing installed yet: does nothing
  EXPECT_FALSE(ran);
  installEventPump();
  runtime::letPendingEventsRun();
  EXPECT_TRUE(ran);
  runtime::setPendingEventsHandler({});
}

}  // namespace
}  // namespace platform
