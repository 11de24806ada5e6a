#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "runtime_rules.h"
#include "system/app_paths.h"
#include "system/event_pump.h"
#include "temp_folder.h"
#include "system/scoped_environment.h"

namespace platform {
namespace {

TEST(AppPath, IsTheFolderOfTheRunningProgram) {
  const QString path = appPath();
  EXPECT_EQ(path, QCoreApplication::applicationDirPath());
  EXPECT_FALSE(path.endsWith('/'));
  EXPECT_TRUE(QDir(path).exists());
}

namespace fs = std::filesystem;

// Runs `program` with `startPath` as the path it was started by (argv[0]),
// from the folder `startFolder`, as a shell or a file manager starts it; what
// it printed, without the line end.
std::string runStartedAs(const fs::path& program, const std::string& startPath, const fs::path& startFolder) {
  int out[2];
  if (::pipe(out) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    if (::chdir(startFolder.c_str()) != 0) ::_exit(3);
    char* const argv[] = {const_cast<char*>(startPath.c_str()), nullptr};
    ::execv(program.c_str(), argv);
    ::_exit(4);
  }
  ::close(out[1]);
  std::string printed;
  char buffer[512];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) printed.append(buffer, static_cast<std::size_t>(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "failed " + std::to_string(status);
  while (!printed.empty() && printed.back() == '\n') printed.pop_back();
  return printed;
}

// A link named like the player in a collection folder stands for that
// folder, however it was reached; a bare name found on PATH, or a start path
// that does not lead to the program, gives the program's own folder.
TEST(AppPath, IsTheFolderOfThePathTheProgramWasStartedBy) {
  testing_support::TempFolder temp;
  const fs::path top = fs::canonical(temp.path());
  const fs::path probe = fs::canonical(APP_PATH_PROBE);
  const fs::path collection = top / "coll";
  fs::create_directory(collection);
  fs::create_symlink(probe, collection / "QD.exe");
  const fs::path link = collection / "QD.exe";
  struct Case {
    const char* name;
    fs::path program;
    std::string startPath;
    fs::path startFolder;
    fs::path appPath;
  };
  const Case cases[] = {
      {"a link by its full path", link, link.string(), "/", collection},
      {"a link by a path from the start folder", link, "coll/QD.exe", top, collection},
      {"a link from its own folder", link, "./QD.exe", collection, collection},
      {"a link through a folder and back", link, "../coll/./QD.exe", collection, collection},
      {"a link found on PATH", link, "QD.exe", "/", probe.parent_path()},
      {"the program itself", probe, probe.string(), "/", probe.parent_path()},
      {"a start path that leads elsewhere", probe, (collection / "other.exe").string(), "/", probe.parent_path()},
  };
  for (const Case& c : cases)
    EXPECT_EQ(runStartedAs(c.program, c.startPath, c.startFolder), c.appPath.string()) << c.name;
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
    ScopedEnvironmentVariable env("TMPDIR", "/var/tmp/mine");
    EXPECT_EQ(tempFolder(), "/var/tmp/mine/");
  }
  {
    ScopedEnvironmentVariable env("TMPDIR", "/var/tmp/mine/");
    EXPECT_EQ(tempFolder(), "/var/tmp/mine/");
  }
  {
    ScopedEnvironmentVariable env("TMPDIR", "");
    EXPECT_EQ(tempFolder(), "/tmp/");
  }
  ScopedEnvironmentVariable env("TMPDIR", nullptr);
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
