#pragma once
// Whole-file reads and writes. Every file the store writes is replaced
// atomically: the new bytes go to a temporary file in the same folder, which
// is flushed to disk and then renamed over the old file, so a failed write
// leaves the previous file whole.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "binary_io.h"

namespace store {

namespace fs = std::filesystem;

// The file's bytes; throws StoreError when it cannot be read.
Bytes readWholeFile(const fs::path& path);

// Replaces (or creates) `path` with exactly `bytes`, which reach the disk
// before the rename; throws StoreError.
void writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes);
void writeFileAtomically(const fs::path& path, std::string_view bytes);

// Copies `from` over `to` atomically, keeping the last-write time and the
// permission bits of `from` (a launcher copied stays runnable; a support file
// keeps the date that Setup's newer/older test reads); throws StoreError.
void copyFileAtomically(const fs::path& from, const fs::path& to);

// Writes a scratch file that is deleted again soon (an unpacked member): in
// place, without waiting for the disk, and never through a symbolic link.
void writeScratchFile(const fs::path& path, std::span<const std::uint8_t> bytes);

// A file being written under a temporary name beside its final path; commit()
// flushes it, renames it over the final path and syncs the folder, so that
// the new name, too, survives a crash. Destroyed uncommitted, it removes the
// temporary file and the old file stays as it was.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const fs::path& path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void write(std::span<const std::uint8_t> bytes);
  // Appends the whole file at `source`; `beforeContents` is told its size
  // first, so that a length field can precede the bytes.
  void appendFile(const fs::path& source, const std::function<void(std::uint64_t size)>& beforeContents);
  void commit();
  // Gives the file the last-write time and permission bits of `source`
  // (before commit()).
  void keepTimeAndModeOf(const fs::path& source);

 private:
  void flushBuffer();
  [[noreturn]] void fail(int error);

  fs::path path_;
  std::string tempPath_;
  int fd_ = -1;
  Bytes buffer_;
};

// An exclusive advisory lock (flock) on the file at `path`, held for the
// object's life; the constructor waits while another process holds it. The
// file is made empty when missing and is never replaced or removed, so
// that every process locks the same file (a lock on a file that a rename
// replaces would go with the old file). Throws StoreError when the file
// cannot be made or locked.
// Only read access to the file is needed: one that this user may not
// write (made by another user) is opened for reading, which an advisory lock
// needs no more than.
class FileLock {
 public:
  explicit FileLock(const fs::path& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};

// Removes the temporary files that writers of `path` killed before their
// commit left beside it (".qdd.dat.XXXXXX" for qdd.dat). Only for a caller
// that holds what every writer of `path` holds while it writes, a FileLock,
// so that no live writer's file is taken.
void removeAbandonedTemporaryFiles(const fs::path& path);

// The lines of a text file in the system code page, as UTF-8. A line ends at
// CR LF, at a lone CR or at a lone LF; a last line without an end counts.
// Throws StoreError when the file cannot be read.
std::vector<std::string> readTextLines(const fs::path& path);

// Splits bytes into lines by the rule above (no conversion).
std::vector<std::string> splitLines(std::string_view bytes);

// Writes UTF-8 lines as Windows-1252, each followed by CR LF, atomically.
// Throws StoreError (naming `what`) when a line holds a character the code
// page cannot represent; nothing is written then.
void writeTextLines(const fs::path& path, const std::vector<std::string>& lines,
                    std::string_view what);

// UTF-8 to Windows-1252, or StoreError naming `what`.
std::string toAnsiOrThrow(std::string_view utf8, std::string_view what);

}  // namespace store
