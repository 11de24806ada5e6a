#include "project_list.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <thread>

#include "file_io.h"
#include "store_error.h"
#include "temp_folder.h"

using namespace store;
using testing_support::fromBytes;
using testing_support::hex;
using testing_support::TempFolder;
using testing_support::toBytes;
using testing_support::writeBytes;

TEST(ProjectList, EmptyListIsTwoZeroBytes) {
  EXPECT_EQ(fromBytes(encodeProjectList({})), hex("00 00"));
  EXPECT_TRUE(decodeProjectList(toBytes(hex("00 00"))).empty());
}

TEST(ProjectList, KeepsOrderAndPairsAndCodePageCharacters) {
  const std::vector<ProjectListEntry> entries = {
      {"Rock", "/home/me/Rock"}, {"Café", "/media/Ümlaut/Café"}, {"Jazz", "/srv/music/Jazz"}};
  TempFolder dir;
  writeProjectList(dir / "qdd.dat", entries);
  EXPECT_EQ(readProjectList(dir / "qdd.dat"), entries);
  const std::string bytes = testing_support::readBytes(dir / "qdd.dat");
  EXPECT_EQ(bytes.substr(0, 12), hex("03 00 04 00 B6 00 D3 00 C7 00 CF 00"));  // 3 entries, "Rock"
}

TEST(ProjectList, ShortOrCorruptFilesGiveTheWholeEntriesBeforeTheFault) {
  const std::string rock = hex("01 00 B6 00") + hex("01 00 93 00");  // "R", "/"
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t entries;
  };
  const Case cases[] = {
      {"empty file", "", 0},
      {"count only, entries missing", hex("02 00"), 0},
      {"second entry missing", hex("02 00") + rock, 1},
      {"second entry without its folder", hex("02 00") + rock + hex("01 00 B6 00"), 1},
      {"negative count", hex("FF FF") + rock, 0},
      {"count far beyond the file", hex("FF 7F") + rock, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(decodeProjectList(toBytes(c.bytes)).size(), c.entries) << c.name;
}

TEST(ProjectList, RefusesMoreThan32767EntriesAndMissingFiles) {
  std::vector<ProjectListEntry> many(32768, {"a", "/a"});
  EXPECT_THROW(encodeProjectList(many), StoreError);
  many.pop_back();
  EXPECT_NO_THROW(encodeProjectList(many));
  TempFolder dir;
  EXPECT_THROW(readProjectList(dir / "qdd.dat"), StoreError);
}

TEST(ProjectList, OnlyAListThatWritesBackWhollyIsChanged) {
  const std::string rock = hex("01 00 B6 00") + hex("01 00 93 00");  // "R", "/"
  const std::string jazz = hex("01 00 AE 00") + hex("01 00 93 00");  // "J", "/"
  struct Case {
    const char* name;
    std::string bytes;  // "*" for no file at all
    std::size_t entries;
    bool damaged;
  };
  const Case cases[] = {
      {"no file", "*", 0, false},
      {"empty file", "", 0, true},  // even an empty list has its count
      {"empty list", hex("00 00"), 0, false},
      {"two entries", hex("02 00") + rock + jazz, 2, false},
      {"count beyond the entries", hex("03 00") + rock + jazz, 0, true},
      {"bytes after the last entry", hex("01 00") + rock + jazz, 0, true},
      {"negative count", hex("FF FF") + rock, 0, true},
      {"a character outside the code page", hex("01 00 01 00 05 00") + hex("01 00 93 00"), 0, true},
  };
  const ProjectListEntry added{"Pop", "/music/Pop"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    const bool noFile = c.bytes == "*";
    if (!noFile) writeBytes(dir / "qdd.dat", c.bytes);
    bool changed = false;
    const auto append = [&](std::vector<ProjectListEntry>& entries) {
      changed = true;
      entries.push_back(added);
      return true;
    };
    if (c.damaged) {
      try {
        changeProjectList(dir / "qdd.dat", append);
        ADD_FAILURE() << "changed";
      } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "The project list qdd.dat is damaged; it was left as it is.");
      }
      EXPECT_FALSE(changed);
      EXPECT_EQ(testing_support::readBytes(dir / "qdd.dat"), c.bytes);
      continue;
    }
    EXPECT_EQ(readWholeProjectList(dir / "qdd.dat").size(), c.entries);
    const std::vector<ProjectListEntry> now = changeProjectList(dir / "qdd.dat", append);
    ASSERT_EQ(now.size(), c.entries + 1);
    EXPECT_EQ(now.back(), added);
    EXPECT_EQ(readProjectList(dir / "qdd.dat"), now);
  }

  TempFolder dir;
  std::filesystem::create_directory(dir / "qdd.dat");
  EXPECT_THROW(readWholeProjectList(dir / "qdd.dat"), StoreError);
}

TEST(ProjectList, AChangeWorksOnTheFileAsItStandsAndWritesOnlyWhatItChanged) {
  TempFolder dir;
  const auto list = dir / "qdd.dat";
  writeProjectList(list, {{"Rock", "/music/Rock"}});
  const auto append = [](ProjectListEntry entry) {
    return [entry](std::vector<ProjectListEntry>& entries) {
      entries.push_back(entry);
      return true;
    };
  };
  EXPECT_EQ(changeProjectList(list, append({"Pop", "/music/Pop"})),
            (std::vector<ProjectListEntry>{{"Rock", "/music/Rock"}, {"Pop", "/music/Pop"}}));
  // Another program's change in between is where the next change starts.
  writeProjectList(list, {{"Jazz", "/music/Jazz"}, {"Pop", "/music/Pop"}});
  EXPECT_EQ(changeProjectList(list, append({"Soul", "/music/Soul"})),
            (std::vector<ProjectListEntry>{{"Jazz", "/music/Jazz"}, {"Pop", "/music/Pop"}, {"Soul", "/music/Soul"}}));
  EXPECT_EQ(readProjectList(list).size(), 3u);

  const std::string before = testing_support::readBytes(list);
  EXPECT_THROW(changeProjectList(list,
                                 [](std::vector<ProjectListEntry>& entries) -> bool {
                                   entries.clear();
                                   throw StoreError("refused");
                                 }),
               StoreError);
  EXPECT_EQ(testing_support::readBytes(list), before);

  // A change that changes nothing makes no file.
  std::filesystem::remove(list);
  EXPECT_TRUE(changeProjectList(list, [](std::vector<ProjectListEntry>&) { return false; }).empty());
  EXPECT_FALSE(std::filesystem::exists(list));
}

TEST(ProjectList, ProcessesChangingTheListAtOnceLoseNoChange) {
  TempFolder dir;
  const auto list = dir / "qdd.dat";
  writeProjectList(list, {{"Demo", "/p/Demo"}});
  constexpr int kAdded = 20;
  // Each process adds its entries and takes every even one off again once
  // the next is listed.
  const auto work = [&](const std::string& who) {
    for (int i = 0; i < kAdded; ++i) {
      const std::string name = who + std::to_string(i);
      changeProjectList(list, [&](std::vector<ProjectListEntry>& entries) {
        entries.push_back({name, "/p/" + name});
        return true;
      });
      if (i % 2 == 0) continue;
      const std::string gone = who + std::to_string(i - 1);
      changeProjectList(list, [&](std::vector<ProjectListEntry>& entries) {
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.name == gone; });
        if (it == entries.end()) throw std::runtime_error(gone + " was lost");
        entries.erase(it);
        return true;
      });
    }
  };
  int go[2];
  ASSERT_EQ(::pipe(go), 0);
  std::vector<pid_t> children;
  for (const char* who : {"A", "B"}) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // Both start when the parent closes its end of the pipe.
      ::close(go[1]);
      char c;
      [[maybe_unused]] ssize_t n = ::read(go[0], &c, 1);
      int status = 0;
      try {
        work(who);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", who, e.what());
        status = 1;
      }
      ::_exit(status);
    }
    children.push_back(pid);
  }
  ::close(go[0]);
  ::close(go[1]);
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::vector<std::string> expected = {"Demo"};
  for (const char* who : {"A", "B"})
    for (int i = 1; i < kAdded; i += 2) expected.push_back(who + std::to_string(i));
  std::vector<std::string> listed;
  for (const ProjectListEntry& e : readProjectList(list)) listed.push_back(e.name);
  std::sort(expected.begin(), expected.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, expected);
}

// ---- The lock, killed writers and readers

namespace {

// Runs `body` in a process of its own as a user other than the one who made
// the test's files: as nobody when the tests run as root (root may open any
// file), as the test's own user otherwise (who may open no file that its
// mode forbids it). Returns what `body` returned, -1 when it could not run.
int asAnotherUser(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(100);
    ::_exit(body());
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace

// An advisory lock needs no write access: a lock file this user may only
// read (made by another user) still takes the lock, and keeps everyone else
// out. One it may not even read refuses the change, saying so, before the
// list is touched.
TEST(ProjectList, ALockFileMadeByAnotherUserLocksForAnyoneWhoMayReadIt) {
  const struct {
    const char* what;
    mode_t lockMode;
    int result;  // 0: changed while others were kept out, 1: refused as below
  } cases[] = {
      {"readable by all", 0444, 0},
      {"readable by none", 0000, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    // The list itself may be changed by everyone.
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    writeProjectList(dir / "qdd.dat", {{"Rock", "/music/Rock"}});
    ASSERT_EQ(::chmod((dir / "qdd.dat").c_str(), 0666), 0);
    writeBytes(dir / "qdd.dat.lock", "");
    ASSERT_EQ(::chmod((dir / "qdd.dat.lock").c_str(), c.lockMode), 0);
    const std::string before = testing_support::readBytes(dir / "qdd.dat");
    const int result = asAnotherUser([&] {
      try {
        changeProjectList(dir / "qdd.dat", [&](std::vector<ProjectListEntry>& entries) {
          entries.push_back({"Pop", "/music/Pop"});
          // Held: no other holder gets in.
          const int other = ::open((dir / "qdd.dat.lock").c_str(), O_RDONLY);
          if (other < 0 || ::flock(other, LOCK_EX | LOCK_NB) == 0) ::_exit(2);
          return true;
        });
        return 0;
      } catch (const StoreError& e) {
        return std::string(e.what()) ==
                       "The lock file qdd.dat.lock of the project list cannot be opened: Permission denied; "
                       "nothing was changed."
                   ? 1
                   : 3;
      }
    });
    EXPECT_EQ(result, c.result);
    if (c.result == 0) {
      EXPECT_EQ(readProjectList(dir / "qdd.dat"),
                (std::vector<ProjectListEntry>{{"Rock", "/music/Rock"}, {"Pop", "/music/Pop"}}));
    } else {
      EXPECT_EQ(testing_support::readBytes(dir / "qdd.dat"), before);
    }
  }
}

// A writer killed after it made its temporary file leaves it; the next one
// to hold the lock clears every such file, and no other.
TEST(ProjectList, TheNextWriterClearsTheTemporaryFilesOfKilledWriters) {
  TempFolder dir;
  const auto list = dir / "qdd.dat";
  writeProjectList(list, {{"Rock", "/music/Rock"}});
  for (int i = 0; i < 3; ++i) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const ProjectListLock lock(list);
      AtomicFileWriter file(list);
      file.write(encodeProjectList({{"Half", "/music/Half"}}));
      ::raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  }
  const auto names = [&] {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  };
  // Each killed writer cleared what the one before it left: the list, its
  // lock and the last one's file.
  ASSERT_EQ(names().size(), 3u);
  // Like them, but not theirs.
  for (const char* other : {".qdd.dat.notes", ".qdd.dat.abc12_", ".qdd.datX.abc123", "qdd.dat.abc123"})
    writeBytes(dir / other, "mine");
  changeProjectList(list, [](std::vector<ProjectListEntry>& entries) {
    entries.push_back({"Pop", "/music/Pop"});
    return true;
  });
  EXPECT_EQ(names(), (std::vector<std::string>{".qdd.dat.abc12_", ".qdd.dat.notes", ".qdd.datX.abc123", "qdd.dat",
                                               "qdd.dat.abc123", "qdd.dat.lock"}));
  EXPECT_EQ(readProjectList(list).size(), 2u);
}

// The list is replaced whole, never written in place: a reader that takes
// no lock sees, however often it reads while writers change it, a whole
// list every time.
TEST(ProjectList, AReaderNeverSeesAShortListWhileWritersChangeIt) {
  TempFolder dir;
  const auto list = dir / "qdd.dat";
  std::vector<ProjectListEntry> base;
  for (int i = 0; i < 40; ++i) base.push_back({"Project" + std::to_string(i), "/music/a/long/folder/Project" + std::to_string(i)});
  writeProjectList(list, base);
  std::atomic<int> writing{2};
  const auto writer = [&](const std::string& who) {
    for (int i = 0; i < 150; ++i) {
      changeProjectList(list, [&](std::vector<ProjectListEntry>& entries) {
        entries.push_back({who + std::to_string(i), "/music/" + who});
        return true;
      });
      changeProjectList(list, [&](std::vector<ProjectListEntry>& entries) {
        std::erase(entries, ProjectListEntry{who + std::to_string(i), "/music/" + who});
        return true;
      });
    }
    --writing;
  };
  std::thread a(writer, "A"), b(writer, "B");
  int reads = 0, short_ = 0;
  while (writing > 0) {
    ++reads;
    try {
      if (readWholeProjectList(list).size() < base.size()) ++short_;
    } catch (const StoreError&) {
      ++short_;
    }
  }
  a.join();
  b.join();
  EXPECT_GT(reads, 100);
  EXPECT_EQ(short_, 0) << "of " << reads << " reads";
  EXPECT_EQ(readProjectList(list), base);
}
