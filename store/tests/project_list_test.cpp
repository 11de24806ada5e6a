#include "project_list.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

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
      {"empty file", "", 0, false},
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
