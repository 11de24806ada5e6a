#pragma once
// qdd.dat, the authoring program's list of known projects: a 16-bit count and
// then, for each project, its name and its folder as counted shifted texts.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "binary_io.h"
#include "file_io.h"

namespace store {

inline constexpr const char* kProjectListFileName = "qdd.dat";
inline constexpr int kProjectListMaxEntries = 32767;

struct ProjectListEntry {
  std::string name;
  std::string folder;
  bool operator==(const ProjectListEntry&) const = default;
};

// Throws StoreError for more than 32767 entries or a text that cannot be stored.
Bytes encodeProjectList(const std::vector<ProjectListEntry>& entries);
// The whole entries the bytes hold; a count beyond them, or a negative one,
// ends the list at the last whole entry.
std::vector<ProjectListEntry> decodeProjectList(std::span<const std::uint8_t> bytes);

void writeProjectList(const std::filesystem::path& path, const std::vector<ProjectListEntry>& entries);
// Throws StoreError when the file cannot be read.
std::vector<ProjectListEntry> readProjectList(const std::filesystem::path& path);

// The entries of the file as a list that may be written back without losing
// anything: none when there is no file; throws StoreError when the file
// cannot be read or its bytes are not exactly the list its entries make (a
// count beyond them, bytes after them, a character outside the code page, no
// bytes at all: even an empty list has its count).
std::vector<ProjectListEntry> readWholeProjectList(const std::filesystem::path& path);

// The lock that every program takes to change the list file at `path`: an
// exclusive lock on the file `path` + ".lock" beside it, held for the
// object's life. Taking it clears the temporary files that writers killed
// while they held it left beside the list. Throws StoreError, saying that
// nothing was changed, when the lock cannot be taken.
class ProjectListLock {
 public:
  explicit ProjectListLock(const std::filesystem::path& path);

  // readWholeProjectList() and writeProjectList() of the locked file.
  std::vector<ProjectListEntry> read() const;
  void write(const std::vector<ProjectListEntry>& entries) const;

 private:
  static FileLock take(const std::filesystem::path& path);

  std::filesystem::path path_;
  FileLock lock_;
};

// Changes the list file at `path` as it stands, with no other program's
// change in between: the whole read, change and write runs under an
// exclusive lock, a ProjectListLock. `change` edits the entries read by
// readWholeProjectList() and answers whether it changed them; only then is
// the file replaced, atomically. Returns the entries the file holds
// afterwards. Throws StoreError (the file stays as it was) when the list
// cannot be read whole or written, or passes on what `change` throws.
std::vector<ProjectListEntry> changeProjectList(
    const std::filesystem::path& path, const std::function<bool(std::vector<ProjectListEntry>& entries)>& change);

}  // namespace store
