#include "file_io.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <new>

#include "address_space_bound.h"
#include "store_error.h"
#include "temp_folder.h"

using namespace store;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

TEST(FileIo, SplitsLinesAtEveryLineEnd) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"A", {"A"}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\nB", {"A", "B"}},
      {"A\rB\r", {"A", "B"}},
      {"\r\n\r\n", {"", ""}},
      {"A\n\rB", {"A", "", "B"}},
  };
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(splitLines(bytes), lines) << testing::PrintToString(bytes);
}

TEST(FileIo, TextLinesAreWindows1252WithCrLf) {
  TempFolder dir;
  writeTextLines(dir / "t.txt", {"Grüße", "", "€5"}, "lyrics");
  EXPECT_EQ(readBytes(dir / "t.txt"), "Gr\xFC\xDF" "e\r\n\r\n\x80" "5\r\n");
  EXPECT_EQ(readTextLines(dir / "t.txt"), (std::vector<std::string>{"Grüße", "", "€5"}));

  try {
    writeTextLines(dir / "t.txt", {"fine", "日本"}, "lyrics");
    FAIL();
  } catch (const StoreError& e) {
    EXPECT_NE(std::string(e.what()).find("lyrics"), std::string::npos);
  }
  EXPECT_EQ(readBytes(dir / "t.txt"), "Gr\xFC\xDF" "e\r\n\r\n\x80" "5\r\n") << "old file kept";
}

TEST(FileIo, AtomicWritesLeaveNoTemporaryFilesAndNormalPermissions) {
  TempFolder dir;
  writeFileAtomically(dir / "a", std::string_view("one"));
  writeFileAtomically(dir / "a", std::string_view("two"));
  EXPECT_EQ(readBytes(dir / "a"), "two");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  struct stat st{};
  ASSERT_EQ(::stat((dir / "a").c_str(), &st), 0);
  mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(FileIo, ScratchFilesNeverWriteThroughALink) {
  TempFolder dir;
  writeBytes(dir / "outside", "keep");
  std::filesystem::create_symlink(dir / "outside", dir / "member.jpg");
  const std::string bytes = "evil";
  EXPECT_THROW(writeScratchFile(dir / "member.jpg", {reinterpret_cast<const std::uint8_t*>(bytes.data()), 4}),
               StoreError);
  EXPECT_EQ(readBytes(dir / "outside"), "keep");
  writeBytes(dir / "plain", "a longer old text");
  writeScratchFile(dir / "plain", {reinterpret_cast<const std::uint8_t*>(bytes.data()), 4});
  EXPECT_EQ(readBytes(dir / "plain"), "evil");
}

// A disc too full for a member leaves no part of it behind.
TEST(FileIo, AScratchFileThatCannotBeWrittenWhollyIsRemoved) {
  TempFolder dir;
  struct rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::vector<std::uint8_t> bytes(5000, 7);
  EXPECT_THROW(writeScratchFile(dir / "member.jpg", bytes), StoreError);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldSignal);
  EXPECT_FALSE(std::filesystem::exists(dir / "member.jpg"));
}

TEST(FileIo, CopiesKeepTheLastWriteTimeAndPermissions) {
  TempFolder dir;
  writeBytes(dir / "source", "support file");
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  std::filesystem::last_write_time(dir / "source", old);
  writeBytes(dir / "target", "an older, longer installed file");
  copyFileAtomically(dir / "source", dir / "target");
  EXPECT_EQ(readBytes(dir / "target"), "support file");
  EXPECT_EQ(std::filesystem::last_write_time(dir / "target"), old);
  std::filesystem::permissions(dir / "source", std::filesystem::perms::owner_all | std::filesystem::perms::group_read);
  copyFileAtomically(dir / "source", dir / "runnable");
  EXPECT_EQ(std::filesystem::status(dir / "runnable").permissions(),
            std::filesystem::perms::owner_all | std::filesystem::perms::group_read);
  std::filesystem::remove(dir / "runnable");
  EXPECT_THROW(copyFileAtomically(dir / "missing", dir / "target"), StoreError);
  EXPECT_EQ(readBytes(dir / "target"), "support file");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

// A file too big to hold fails its read for want of memory, and leaves no
// descriptor open behind it.
TEST(FileIo, AReadThatRunsOutOfMemoryLeavesNoFileOpen) {
  if (!testing_support::kAllocationsCanFail) GTEST_SKIP() << "allocations end the process in this build";
  TempFolder dir;
  testing_support::writeSparseFile(dir / "huge", std::uintmax_t(1) << 40);
  const auto openFiles = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
  };
  const auto before = openFiles();
  bool outOfMemory = false;
  {
    const testing_support::AddressSpaceBound bound;
    ASSERT_TRUE(bound.held());
    try {
      readWholeFile(dir / "huge");
    } catch (const std::bad_alloc&) {
      outOfMemory = true;
    }
  }
  EXPECT_TRUE(outOfMemory);
  EXPECT_EQ(openFiles(), before);
}

TEST(FileIo, DevicesAndPipesAreRefusedWithoutWaiting) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zero");
  for (const char* name : {"pipe", "zero"}) {
    EXPECT_THROW(readWholeFile(dir / name), StoreError) << name;
    EXPECT_THROW(copyFileAtomically(dir / name, dir / "copy"), StoreError) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "copy"));
}

TEST(FileIo, AFileLockKeepsEveryOtherHolderOutUntilItGoes) {
  TempFolder dir;
  // Another open file stands for another process: flock tells them apart alike.
  const auto othersMayLock = [&] {
    const int fd = ::open((dir / "list.lock").c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return locked;
  };
  {
    const FileLock lock(dir / "list.lock");
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "list.lock"));
    EXPECT_FALSE(othersMayLock());
  }
  EXPECT_TRUE(othersMayLock());
  // The file stays, so that the next holder locks the same one.
  EXPECT_TRUE(std::filesystem::exists(dir / "list.lock"));
  EXPECT_THROW(FileLock(dir / "no" / "list.lock"), StoreError);
}

TEST(FileIo, ErrorsCarryTheFamiliarDescriptions) {
  TempFolder dir;
  auto message = [](auto&& f) {
    try {
      f();
    } catch (const StoreError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { readWholeFile(dir / "missing"); }), "File not found");
  EXPECT_EQ(message([&] { readWholeFile(dir.path()); }), "Path/File access error");
  EXPECT_EQ(message([&] { writeFileAtomically(dir / "no" / "x", std::string_view("x")); }), "Path not found");
  writeBytes(dir / "file", "x");
  EXPECT_EQ(message([&] { writeFileAtomically(dir / "file" / "x", std::string_view("x")); }), "Path not found");
}

// ---- Durability of a replace

namespace {

// The folders fsync() was called on while a test watches, each with what
// its file "watched" held at that moment.
std::vector<std::pair<std::string, std::string>>* foldersSynced = nullptr;

}  // namespace

// Stands in for the C library's fsync() in this test program: every call is
// passed on, and a test can see which folders were synced and when.
extern "C" int fsync(int fd) {
  struct stat st{};
  if (foldersSynced && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    char path[4096];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1);
    if (n > 0) {
      const std::string folder(path, static_cast<std::size_t>(n));
      foldersSynced->emplace_back(folder, readBytes(std::filesystem::path(folder) / "watched"));
    }
  }
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

// A rename reaches the disk only with its folder: the folder is synced once
// the new file has its name.
TEST(FileIo, AnAtomicReplaceSyncsItsFolderOnceTheNewFileHasItsName) {
  TempFolder dir;
  writeBytes(dir / "watched", "old");
  std::vector<std::pair<std::string, std::string>> synced;
  foldersSynced = &synced;
  writeFileAtomically(dir / "watched", std::string_view("new"));
  copyFileAtomically(dir / "watched", dir / "copy");
  foldersSynced = nullptr;
  const std::string folder = std::filesystem::canonical(dir.path()).string();
  EXPECT_EQ(synced, (std::vector<std::pair<std::string, std::string>>{{folder, "new"}, {folder, "new"}}));
}
