// A process ended by SIGTERM, SIGINT or SIGHUP while its window thread is
// anywhere but in its event loop, and the run folders it takes with it. Each
// case runs in a process of its own (a death test) that the signal ends.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

#include "player_fixture.h"
#include "termination_signals.h"
#include "unpacked_pictures.h"

namespace player::testing_support {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Keeps the calling thread computing for `duration`, as a decoder does: no
// event loop is passed meanwhile.
void keepBusyFor(std::chrono::milliseconds duration) {
  const auto until = Clock::now() + duration;
  volatile unsigned long work = 0;
  while (Clock::now() < until)
    for (int i = 0; i < 10000; ++i) work = work + i;
}

// Each death test's child runs the test anew in a program of its own, as
// the threads of the test program want: it finds the folders of the test
// through the environment, and leaves them to the test.
class EndBySignal : public ::testing::Test {
 protected:
  static constexpr const char* kFoldersVariable = "QUENDREL_TEST_SIGNAL_FOLDERS";

  EndBySignal() {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (const char* shared = std::getenv(kFoldersVariable)) {
      root = shared;
      return;
    }
    own_.emplace();
    root = own_->path();
    ::setenv(kFoldersVariable, root.c_str(), 1);
    for (const fs::path& folder : {tmp(), staging(), elsewhere()}) fs::create_directory(folder);
    std::vector<std::string> names;
    for (int i = 1; i <= 5; ++i) {
      names.push_back(runtime::twoDigits(i) + ".jpg");
      writeBytes(staging() / names.back(), std::string(20000, char('a' + i)));
    }
    store::packFiles(pack(), names, staging());
  }
  ~EndBySignal() override {
    if (own_) ::unsetenv(kFoldersVariable);
  }

  fs::path tmp() const { return root / "tmp"; }
  fs::path staging() const { return root / "staging"; }
  fs::path elsewhere() const { return root / "elsewhere"; }
  fs::path pack() const { return staging() / "cvrd.qd"; }

  // Unpacks the covers' pack into a new folder of `run`, as a start does.
  void unpackInto(RunFolder& run) const {
    UnpackedPictures covers;
    covers.unpack(pack().string(), run.makeSubfolder(tmp().string(), "cvrd").value_or(""));
  }

  fs::path root;

 private:
  std::optional<TempFolder> own_;
};

TEST_F(EndBySignal, EndsWithinASecondWhileTheWindowThreadComputes) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    EXPECT_EXIT(
        {
          TerminationSignals ending(removeRunFoldersForGood);
          RunFolder run;
          unpackInto(run);
          ::kill(::getpid(), signal);
          keepBusyFor(1000ms);
          std::_Exit(0);
        },
        testing::KilledBySignal(signal), "");
    EXPECT_TRUE(runFoldersIn(tmp()).empty()) << runFoldersIn(tmp()).front();
  }
}

// A member being written when the signal comes is written whole, and goes
// with the folder; the end waits for it.
TEST_F(EndBySignal, WaitsForAMemberBeingWrittenAndTakesItAlong) {
  EXPECT_EXIT(
      {
        TerminationSignals ending(removeRunFoldersForGood);
        RunFolder run;
        unpackInto(run);
        {
          const auto writing = holdRunFolders();
          ::kill(::getpid(), SIGTERM);
          std::this_thread::sleep_for(300ms);
          writeBytes(*run.path() + "cvrd/06.jpg", "written as the signal came");
          writeBytes(elsewhere() / "alive", "still running after the signal");
        }
        keepBusyFor(1000ms);
        std::_Exit(0);
      },
      testing::KilledBySignal(SIGTERM), "");
  EXPECT_TRUE(fs::exists(elsewhere() / "alive")) << "ended before the member was written";
  EXPECT_TRUE(runFoldersIn(tmp()).empty()) << runFoldersIn(tmp()).front();
}

// Once the end has begun, no folder is made any more: a window thread that
// goes on with its start meanwhile leaves none behind.
TEST_F(EndBySignal, OnceTheEndHasBegunNoFolderIsMade) {
  EXPECT_EXIT(
      {
        RunFolder first;
        unpackInto(first);
        // The end as the watcher of the signals begins it, shortly before
        // the process goes.
        std::thread([] {
          removeRunFoldersForGood();
          std::this_thread::sleep_for(10s);
        }).detach();
        std::this_thread::sleep_for(100ms);
        std::thread([this] { unpackInto(*new RunFolder); }).detach();
        std::this_thread::sleep_for(300ms);
        std::_Exit(0);
      },
      testing::ExitedWithCode(0), "");
  EXPECT_TRUE(runFoldersIn(tmp()).empty()) << runFoldersIn(tmp()).front();
}

// A second signal ends the process at once, even while the end waits for a
// member being written.
TEST_F(EndBySignal, ASecondSignalEndsAtOnce) {
  EXPECT_EXIT(
      {
        TerminationSignals ending(removeRunFoldersForGood);
        RunFolder run;
        unpackInto(run);
        const auto writing = holdRunFolders();
        ::kill(::getpid(), SIGINT);
        std::this_thread::sleep_for(100ms);
        ::kill(::getpid(), SIGINT);
        std::this_thread::sleep_for(1000ms);
        std::_Exit(0);
      },
      testing::KilledBySignal(SIGINT), "");
}

}  // namespace
}  // namespace player::testing_support
