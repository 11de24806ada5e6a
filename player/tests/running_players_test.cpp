// Players as separate processes: several at once, and the ways a running
// player ends, with what each leaves in the temporary folder.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "player_fixture.h"

namespace player::testing_support {
namespace {

using namespace std::chrono_literals;

constexpr int kAlbums = 6;

// A collection whose title picture and covers all have colours of its own
// (`tint` in the blue byte), under the same member names as any other's.
void writeDisc(const fs::path& disc, int tint) {
  store::ProjectData data;
  data.titlePicFile = "title.png";
  data.bottomPicFile = "bottom.png";
  data.projectTitle = "Disc " + std::to_string(tint);
  store::writeProjectData(disc / "dat.qd", data);
  TempFolder staging;
  auto pack = [&](const std::string& packName, const std::vector<std::pair<std::string, QColor>>& members) {
    std::vector<std::string> names;
    for (const auto& [name, colour] : members) {
      // Large pictures: loading them takes a while, as real covers do.
      writeBytes(staging / name, pictureBytes(1200, 1200, colour));
      names.push_back(name);
    }
    store::packFiles(disc / packName, names, staging.path());
  };
  pack("dop.qd", {{"title.png", QColor(0, 0, tint)}, {"bottom.png", QColor(1, 1, tint)}});
  std::vector<std::pair<std::string, QColor>> covers;
  for (int i = 1; i <= kAlbums; ++i) {
    covers.emplace_back(runtime::twoDigits(i) + ".jpg", QColor(10 * i, 100, tint));
    fs::create_directory(disc / albumFolderName(i));
  }
  pack("cvrd.qd", covers);
}

// What a probe of the disc of `tint` prints when it shows its own pictures.
std::string ownPictures(int tint) {
  std::string lines = "title 0 0 " + std::to_string(tint) + "\n";
  for (int i = 1; i <= kAlbums; ++i)
    lines += "box " + std::to_string(i) + " " + std::to_string(10 * i) + " 100 " + std::to_string(tint) + "\n";
  return lines;
}

// The bytes of a picture in the tests' slow format: decoding it makes the
// file `marker` and then keeps the decoding thread busy for `busy`, as
// decoding a very big picture does.
std::string slowPictureBytes(const fs::path& marker, std::chrono::milliseconds busy) {
  return "QUENDREL-TEST-SLOW-PICTURE\n" + marker.string() + "\n" + std::to_string(busy.count()) + "\n";
}

// How long the title picture and the first cover of a disc take to decode,
// and whether the disc has an intro.
struct SlowPictures {
  bool intro = false;
  std::chrono::milliseconds title{0}, cover{0};
};

// A disc of three albums whose title picture and first cover are slow
// pictures that mark `marks` / "title" and `marks` / "cover".
void writeSlowDisc(const fs::path& disc, const fs::path& marks, const SlowPictures& slow) {
  store::ProjectData data;
  if (slow.intro) data.initPicFile = "intro.png";
  data.titlePicFile = "title.pic";
  data.bottomPicFile = "bottom.png";
  store::writeProjectData(disc / "dat.qd", data);
  TempFolder staging;
  writeBytes(staging / "intro.png", pictureBytes(320, 200));
  writeBytes(staging / "title.pic", slowPictureBytes(marks / "title", slow.title));
  writeBytes(staging / "bottom.png", pictureBytes(300, 80));
  store::packFiles(disc / "dop.qd", {slow.intro ? "intro.png" : "", "title.pic", "bottom.png"}, staging.path());
  writeBytes(staging / "01.jpg", slowPictureBytes(marks / "cover", slow.cover));
  for (int i = 2; i <= 3; ++i) writeBytes(staging / (runtime::twoDigits(i) + ".jpg"), pictureBytes(400, 400));
  store::packFiles(disc / "cvrd.qd", {"01.jpg", "02.jpg", "03.jpg"}, staging.path());
  for (int i = 1; i <= 3; ++i) fs::create_directory(disc / albumFolderName(i));
}

extern "C" char** environ;

// The real player, started from the disc it lies on as QD.exe; the
// termination signals reach it with their default actions, as from a shell,
// but for those in `ignored`, which it starts with ignored, as nohup starts
// a program.
class PlayerProcess {
 public:
  PlayerProcess(const fs::path& disc, const std::vector<std::string>& settings, const std::vector<int>& ignored = {}) {
    fs::create_symlink(PLAYER_PROGRAM, disc / "QD.exe");
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      const bool replaced = std::any_of(settings.begin(), settings.end(), [&](const std::string& s) {
        return entry.starts_with(s.substr(0, s.find('=') + 1));
      });
      if (!replaced && !entry.starts_with(std::string(platform::kInstallTriedVariable) + "=")) env.push_back(entry);
    }
    env.insert(env.end(), settings.begin(), settings.end());
    std::vector<char*> envp;
    for (auto& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    const std::string program = (disc / "QD.exe").string();
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&defaults, signal);
    // An ignored signal stays ignored across exec: ignored here while the
    // player is spawned, it starts ignored there.
    struct sigaction ignore{};
    std::vector<struct sigaction> kept(ignored.size());
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    for (std::size_t i = 0; i < ignored.size(); ++i) {
      sigdelset(&defaults, ignored[i]);
      ::sigaction(ignored[i], &ignore, &kept[i]);
    }
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    if (posix_spawn(&pid_, program.c_str(), nullptr, &attributes, argv, envp.data()) != 0) pid_ = -1;
    posix_spawnattr_destroy(&attributes);
    for (std::size_t i = 0; i < ignored.size(); ++i) ::sigaction(ignored[i], &kept[i], nullptr);
  }
  ~PlayerProcess() {
    if (pid_ <= 0 || status_) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  PlayerProcess(const PlayerProcess&) = delete;
  PlayerProcess& operator=(const PlayerProcess&) = delete;

  bool started() const { return pid_ > 0; }
  void send(int signal) const { ::kill(pid_, signal); }

  // Whether the running player ignores `signal`, and whether a handler of
  // its own takes it; empty when its state cannot be read.
  std::optional<bool> ignores(int signal) const { return inMask("SigIgn:", signal); }
  std::optional<bool> catches(int signal) const { return inMask("SigCgt:", signal); }

  // The wait status once the player has ended, within `within`; empty while it runs.
  std::optional<int> waitForEnd(std::chrono::milliseconds within) {
    const auto deadline = std::chrono::steady_clock::now() + within;
    while (!status_) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
      else if (std::chrono::steady_clock::now() > deadline) break;
      else std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
  }

 private:
  std::optional<bool> inMask(const std::string& field, int signal) const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(status, line);)
      if (line.starts_with(field)) return (std::stoull(line.substr(field.size()), nullptr, 16) >> (signal - 1)) & 1;
    return std::nullopt;
  }

  pid_t pid_ = -1;
  std::optional<int> status_;
};

class RunningPlayers : public ::testing::Test {
 protected:
  RunningPlayers() { writeBytes(sysDir / kInstalledMarkerName, "installed"); }

  // What a player's environment sets: its temporary folder `tmpDir` and the
  // system folder, which holds the installed marker.
  std::vector<std::string> settings(const fs::path& tmpDir) const {
    return {"TMPDIR=" + tmpDir.string(), "QUENDREL_SYSTEM_DIR=" + sysDir.str() + "/"};
  }
  QProcessEnvironment probeEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(platform::kInstallTriedVariable);
    for (const std::string& setting : settings(tmp.path())) {
      const auto equals = setting.find('=');
      env.insert(QString::fromStdString(setting.substr(0, equals)), QString::fromStdString(setting.substr(equals + 1)));
    }
    return env;
  }

  // Waits, with a deadline, until `players` folders are in `tmpDir`, each
  // past its covers: made, loaded and deleted.
  bool waitForStartedPlayers(const fs::path& tmpDir, std::size_t players) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      const auto folders = runFoldersIn(tmpDir);
      std::error_code ec;
      if (folders.size() == players && std::all_of(folders.begin(), folders.end(), [&](const std::string& f) {
            return fs::is_directory(tmpDir / f / "cvrd", ec) && fs::is_empty(tmpDir / f / "cvrd", ec);
          }))
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  TempFolder tmp, sysDir;
};

// Started at the same moment, each player unpacks, loads and deletes its
// pictures while the other does the same with pictures of the same names.
TEST_F(RunningPlayers, TwoAtOnceEachShowItsOwnPicturesAndLeaveNoFolder) {
  TempFolder discA, discB;
  writeDisc(discA.path(), 60);
  writeDisc(discB.path(), 200);
  for (int attempt = 0; attempt < 3; ++attempt) {
    SCOPED_TRACE(attempt);
    TempFolder barrier;
    QProcess a, b;
    for (auto [probe, disc] : {std::pair{&a, &discA}, std::pair{&b, &discB}}) {
      probe->setProcessEnvironment(probeEnvironment());
      probe->start(PLAYER_PROBE, {QString::fromStdString(disc->str()), QString::fromStdString(barrier.str())});
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::distance(fs::directory_iterator(barrier.path()), {}) < 2 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    writeBytes(barrier / "go", "");
    ASSERT_TRUE(a.waitForFinished(60000));
    ASSERT_TRUE(b.waitForFinished(60000));
    EXPECT_EQ(a.readAllStandardOutput().toStdString(), ownPictures(60));
    EXPECT_EQ(b.readAllStandardOutput().toStdString(), ownPictures(200));
    EXPECT_TRUE(runFoldersIn(tmp.path()).empty()) << runFoldersIn(tmp.path()).front();
  }
}

// Two real players of two discs keep a folder each while they run; ended by
// the system (SIGTERM), by Ctrl+C (SIGINT) or by their terminal going
// (SIGHUP), each takes its folder with it and ends by that signal.
TEST_F(RunningPlayers, EachKeepsAFolderOfItsOwnTillASignalEndsIt) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    TempFolder discA, discB, tmpDir;
    writeDisc(discA.path(), 60);
    writeDisc(discB.path(), 200);
    PlayerProcess a(discA.path(), settings(tmpDir.path())), b(discB.path(), settings(tmpDir.path()));
    ASSERT_TRUE(a.started() && b.started());
    ASSERT_TRUE(waitForStartedPlayers(tmpDir.path(), 2)) << runFoldersIn(tmpDir.path()).size() << " folders";
    a.send(signal);
    b.send(signal);
    for (PlayerProcess* player : {&a, &b}) {
      const auto status = player->waitForEnd(30s);
      ASSERT_TRUE(status);
      EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == signal) << *status;
    }
    EXPECT_TRUE(runFoldersIn(tmpDir.path()).empty()) << runFoldersIn(tmpDir.path()).front();
  }
}

// Started with its terminal's going ignored, as nohup starts it, a player
// keeps it ignored and plays on; the other signals still end it.
TEST_F(RunningPlayers, StartedUnderNohupOutlivesItsTerminal) {
  TempFolder disc, tmpDir;
  writeDisc(disc.path(), 60);
  PlayerProcess player(disc.path(), settings(tmpDir.path()), {SIGHUP});
  ASSERT_TRUE(player.started());
  ASSERT_TRUE(waitForStartedPlayers(tmpDir.path(), 1));
  EXPECT_EQ(player.ignores(SIGHUP), true);
  EXPECT_EQ(player.catches(SIGHUP), false);
  EXPECT_EQ(player.catches(SIGTERM), true);
  player.send(SIGHUP);
  EXPECT_FALSE(player.waitForEnd(1s)) << "ended by SIGHUP";
  EXPECT_EQ(runFoldersIn(tmpDir.path()).size(), 1u);
  player.send(SIGTERM);
  const auto status = player.waitForEnd(30s);
  ASSERT_TRUE(status);
  EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGTERM) << *status;
  EXPECT_TRUE(runFoldersIn(tmpDir.path()).empty());
}

TEST_F(RunningPlayers, EndingAtOnceDuringItsStartLeavesNoFolder) {
  TempFolder disc;
  writeDisc(disc.path(), 60);
  for (int i = 1; i <= kAlbums; ++i) fs::remove(disc / albumFolderName(i));
  PlayerProcess player(disc.path(), settings(tmp.path()));
  ASSERT_TRUE(player.started());
  const auto status = player.waitForEnd(30s);
  ASSERT_TRUE(status);
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
  EXPECT_TRUE(runFoldersIn(tmp.path()).empty()) << runFoldersIn(tmp.path()).front();
}

// Whenever a signal comes during the start, a picture that takes long to
// decode included, the player ends by it within a second, its folder gone.
TEST_F(RunningPlayers, ASignalAtAnyMomentOfTheStartEndsItWithinASecond) {
  using Reached = std::function<bool(const fs::path& marks, const fs::path& tmpDir)>;
  const Reached atOnce = [](const fs::path&, const fs::path&) { return true; };
  const auto marked = [](const char* name) {
    return Reached([name](const fs::path& marks, const fs::path&) { return fs::exists(marks / name); });
  };
  const struct {
    const char* moment;
    int signal;
    SlowPictures slow;
    Reached reached;
    std::chrono::milliseconds after;
  } moments[] = {
      {"as it is started", SIGTERM, {}, atOnce, 0ms},
      {"as it sets itself up", SIGINT, {}, atOnce, 40ms},
      {"once its folder is made", SIGHUP, {.title = 30s},
       [](const fs::path&, const fs::path& tmpDir) { return !runFoldersIn(tmpDir).empty(); }, 0ms},
      {"while its title picture decodes", SIGTERM, {.title = 30s}, marked("title"), 100ms},
      {"during its intro", SIGINT, {.intro = true}, marked("title"), 1000ms},
      {"while a cover decodes", SIGHUP, {.cover = 30s}, marked("cover"), 100ms},
      {"once its browser is shown", SIGTERM, {},
       [](const fs::path& marks, const fs::path& tmpDir) {
         const auto folders = runFoldersIn(tmpDir);
         std::error_code ec;
         return fs::exists(marks / "cover") && folders.size() == 1 && fs::is_empty(tmpDir / folders[0] / "cvrd", ec);
       },
       300ms},
  };
  for (const auto& m : moments) {
    SCOPED_TRACE(m.moment);
    TempFolder disc, marks, tmpDir;
    writeSlowDisc(disc.path(), marks.path(), m.slow);
    auto environment = settings(tmpDir.path());
    environment.push_back(std::string("QT_PLUGIN_PATH=") + TEST_PLUGINS);
    PlayerProcess player(disc.path(), environment);
    ASSERT_TRUE(player.started());
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!m.reached(marks.path(), tmpDir.path()) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(m.reached(marks.path(), tmpDir.path()));
    std::this_thread::sleep_for(m.after);
    ASSERT_FALSE(player.waitForEnd(0ms)) << "ended before the signal";
    player.send(m.signal);
    const auto status = player.waitForEnd(1s);
    ASSERT_TRUE(status) << "still running a second after the signal";
    EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == m.signal) << *status;
    EXPECT_TRUE(runFoldersIn(tmpDir.path()).empty()) << runFoldersIn(tmpDir.path()).front();
  }
}

// A player killed outright leaves its folder; the next player's start
// removes it, and leaves the folder of a player still running.
TEST_F(RunningPlayers, AKilledPlayersFolderGoesWithTheNextStart) {
  TempFolder discA, discB, discC, tmpDir;
  for (const TempFolder* disc : {&discA, &discB, &discC}) writeDisc(disc->path(), 60);
  PlayerProcess running(discA.path(), settings(tmpDir.path()));
  ASSERT_TRUE(running.started());
  ASSERT_TRUE(waitForStartedPlayers(tmpDir.path(), 1));
  const std::string runningFolder = runFoldersIn(tmpDir.path()).front();
  std::string killedFolder;
  {
    PlayerProcess killed(discB.path(), settings(tmpDir.path()));
    ASSERT_TRUE(killed.started());
    ASSERT_TRUE(waitForStartedPlayers(tmpDir.path(), 2));
    killed.send(SIGKILL);
    ASSERT_TRUE(killed.waitForEnd(30s));
    for (const std::string& folder : runFoldersIn(tmpDir.path()))
      if (folder != runningFolder) killedFolder = folder;
  }
  ASSERT_FALSE(killedFolder.empty()) << "a killed player leaves its folder";

  PlayerProcess next(discC.path(), settings(tmpDir.path()));
  ASSERT_TRUE(next.started());
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (fs::exists(tmpDir / killedFolder) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(1ms);
  ASSERT_FALSE(fs::exists(tmpDir / killedFolder));
  ASSERT_TRUE(waitForStartedPlayers(tmpDir.path(), 2));
  EXPECT_TRUE(fs::exists(tmpDir / runningFolder / kRunFolderLockName));
  for (PlayerProcess* player : {&running, &next}) {
    player->send(SIGTERM);
    EXPECT_TRUE(player->waitForEnd(30s));
  }
  EXPECT_TRUE(runFoldersIn(tmpDir.path()).empty()) << runFoldersIn(tmpDir.path()).front();
}

}  // namespace
}  // namespace player::testing_support
