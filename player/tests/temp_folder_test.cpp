// The player's folder of one run in the shared temporary folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "pack_file.h"
#include "address_space_bound.h"
#include "private_temp_folder.h"
#include "temp_folder.h"
#include "unpacked_pictures.h"

namespace player {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;
using testing_support::writeBytes;

mode_t modeOf(const fs::path& path) {
  struct stat st{};
  if (::lstat(path.c_str(), &st) != 0) return 0;
  return st.st_mode;
}

// Whether the file at `path` is held locked, as a running player holds its
// lock file.
bool isHeld(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

// Holds the file at `path` locked while it lives, as a running player does.
class HeldLock {
 public:
  explicit HeldLock(const fs::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ >= 0) ::flock(fd_, LOCK_EX);
  }
  ~HeldLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  int fd_;
};

// The folder a player that no longer runs has left: its lock file and some
// of what it had unpacked.
void writeEndedRunsFolder(const fs::path& folder) {
  fs::create_directories(folder / "cvrd");
  writeBytes(folder / kRunFolderLockName, "");
  writeBytes(folder / "title.png", "x");
  writeBytes(folder / "cvrd" / "01.jpg", "x");
}

TEST(RunFolder, IsANewFolderForThisUserOnlyEveryRun) {
  TempFolder tmp;
  // A folder an earlier run left, and a link someone planted.
  fs::create_directory(tmp / "Quendrel-old");
  TempFolder elsewhere;
  fs::create_directory_symlink(elsewhere.path(), tmp / ("Quendrel-" + std::to_string(::geteuid())));

  RunFolder first, second;
  const auto a = first.make(tmp.str());
  const auto b = second.make(tmp.str() + "/");
  ASSERT_TRUE(a && b);
  EXPECT_NE(*a, *b);
  for (const std::string& folder : {*a, *b}) {
    EXPECT_EQ(fs::path(folder).parent_path().parent_path(), tmp.path()) << folder;
    EXPECT_TRUE(fs::path(folder).parent_path().filename().string().starts_with("Quendrel-")) << folder;
    EXPECT_TRUE(S_ISDIR(modeOf(folder))) << "a real folder, not a link: " << folder;
    EXPECT_EQ(modeOf(folder) & 07777, 0700u) << folder;
  }
  EXPECT_EQ(first.make(tmp.str()), a) << "the run keeps its folder";
  EXPECT_EQ(first.path(), a);
  EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

TEST(RunFolder, GoesWithAllItHoldsButNothingItLinksTo) {
  TempFolder tmp, elsewhere;
  writeBytes(elsewhere / "mine.png", "x");
  std::string folder;
  {
    RunFolder run;
    const auto covers = run.makeSubfolder(tmp.str(), "cvrd");
    ASSERT_TRUE(covers);
    folder = *run.path();
    EXPECT_EQ(*covers, folder + "cvrd/");
    EXPECT_EQ(modeOf(*covers) & 07777, 0700u);
    EXPECT_EQ(run.makeSubfolder(tmp.str(), "cvrd"), covers) << "made once, found again";
    writeBytes(*covers + "01.jpg", "x");
    writeBytes(folder + "title.png", "x");
    fs::create_directory_symlink(elsewhere.path(), folder + "link");
    run.remove();
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(run.path());
    // A later need makes a new one, which goes when the run does.
    ASSERT_TRUE(run.make(tmp.str()));
    folder = *run.path();
  }
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_TRUE(fs::is_empty(tmp.path()));
  EXPECT_TRUE(fs::exists(elsewhere / "mine.png"));
}

TEST(RunFolder, IsNoneWhereItCannotBeMade) {
  TempFolder tmp;
  writeBytes(tmp / "file", "x");
  RunFolder run;
  EXPECT_FALSE(run.make(tmp.str() + "/none"));
  EXPECT_FALSE(run.make(""));
  EXPECT_FALSE(run.path());
  EXPECT_FALSE(run.makeSubfolder(tmp.str() + "/file", "cvrd"));
  ASSERT_TRUE(run.make(tmp.str()));
  writeBytes(*run.path() + "cvrd", "a file of that name");
  EXPECT_FALSE(run.makeSubfolder(tmp.str(), "cvrd"));
  EXPECT_FALSE(run.makeSubfolder(tmp.str(), "a/b"));
}

// Making a run's folder removes those of runs that have ended, and nothing
// else of the temporary folder: not a running player's, not a folder that
// merely looks like one, and nothing that a link points to.
TEST(RunFolder, MakingOneRemovesTheFoldersOfRunsThatHaveEnded) {
  TempFolder tmp, elsewhere;
  const fs::path linked = elsewhere / "linked";
  writeEndedRunsFolder(linked);
  RunFolder running;
  ASSERT_TRUE(running.make(tmp.str()));
  std::optional<HeldLock> held;
  struct Entry {
    const char* name;
    std::function<void(const fs::path&)> write;
    bool goes;
  };
  std::vector<Entry> entries = {
      {"Quendrel-ended", writeEndedRunsFolder, true},
      {"Quendrel-ended-with-a-link",
       [&](const fs::path& p) {
         writeEndedRunsFolder(p);
         fs::create_directory_symlink(linked, p / "cvrd" / "link");
       },
       true},
      {"Quendrel-held",
       [&](const fs::path& p) {
         writeEndedRunsFolder(p);
         held.emplace(p / kRunFolderLockName);
       },
       false},
      {"Quendrel-without-lock",
       [](const fs::path& p) {
         writeEndedRunsFolder(p);
         fs::remove(p / kRunFolderLockName);
       },
       false},
      {"Quendrel-lock-is-a-link",
       [&](const fs::path& p) {
         fs::create_directory(p);
         fs::create_symlink(linked / kRunFolderLockName, p / kRunFolderLockName);
       },
       false},
      {"Quendrel-lock-is-a-folder", [](const fs::path& p) { fs::create_directories(p / kRunFolderLockName); }, false},
      {"Quendrel-is-a-link", [&](const fs::path& p) { fs::create_directory_symlink(linked, p); }, false},
      {"Quendrel-is-a-file", [](const fs::path& p) { writeBytes(p, "x"); }, false},
      {"Other-ended", writeEndedRunsFolder, false},
      {"quendrel-ended", writeEndedRunsFolder, false},
  };
  // Only root can give a folder to another user.
  if (::geteuid() == 0)
    entries.push_back({"Quendrel-of-another-user",
                       [](const fs::path& p) {
                         writeEndedRunsFolder(p);
                         for (const fs::path& f : {p, p / kRunFolderLockName})
                           ASSERT_EQ(::lchown(f.c_str(), 65534, 65534), 0);
                       },
                       false});
  for (const Entry& e : entries) e.write(tmp / e.name);

  RunFolder next;
  ASSERT_TRUE(next.make(tmp.str()));
  for (const Entry& e : entries)
    EXPECT_EQ(fs::exists(fs::symlink_status(tmp / e.name)), !e.goes) << e.name;
  EXPECT_TRUE(isHeld(*running.path() + kRunFolderLockName)) << "a running player's folder";
  EXPECT_TRUE(isHeld(*next.path() + kRunFolderLockName));
  EXPECT_TRUE(fs::exists(linked / kRunFolderLockName) && fs::exists(linked / "cvrd" / "01.jpg"));
}

// A pack's member under the lock file's name is not unpacked: it would take
// the lock file's place, and a player killed then would leave its folder.
TEST(RunFolder, KeepsItsLockFileWhateverAPackHolds) {
  TempFolder tmp, staging;
  writeBytes(staging / kRunFolderLockName, "a member");
  writeBytes(staging / "title.png", "a picture");
  store::packFiles(staging / "dop.qd", {kRunFolderLockName, "title.png"}, staging.path());
  RunFolder run;
  ASSERT_TRUE(run.make(tmp.str()));
  UnpackedPictures pictures;
  pictures.unpack((staging / "dop.qd").string(), *run.path());
  EXPECT_EQ(pictures.names(), std::vector<std::string>{"title.png"});
  pictures.discardRest();
  const fs::path lock = *run.path() + kRunFolderLockName;
  EXPECT_TRUE(isHeld(lock));
  EXPECT_EQ(fs::file_size(lock), 0u);
}

// A pack too big to be held is one that cannot be read: nothing of it is
// unpacked, and the start goes on without its pictures.
TEST(UnpackedPictures, APackTooBigToHoldUnpacksNothing) {
  if (!testing_support::kAllocationsCanFail) GTEST_SKIP() << "allocations end the process in this build";
  TempFolder tmp, disc;
  testing_support::writeSparseFile(disc / "dop.qd", std::uintmax_t(1) << 40);
  RunFolder run;
  ASSERT_TRUE(run.make(tmp.str()));
  UnpackedPictures pictures;
  {
    const testing_support::AddressSpaceBound bound;
    ASSERT_TRUE(bound.held());
    EXPECT_NO_THROW(pictures.unpack((disc / "dop.qd").string(), *run.path()));
  }
  EXPECT_TRUE(pictures.names().empty());
}

}  // namespace
}  // namespace player
