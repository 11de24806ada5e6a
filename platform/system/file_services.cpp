#include "system/file_services.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "ansi_text.h"
#include "file_io.h"
#include "folder_listing.h"
#include "store_error.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

std::optional<std::string> describe(int error) {
  if (error == 0) return std::nullopt;
  return store::describeErrno(error);
}

bool lstatOf(const std::string& path, struct stat& st) { return ::lstat(path.c_str(), &st) == 0; }

std::string folderOf(const std::string& path) {
  std::string parent = fs::path(path).parent_path().string();
  return parent.empty() ? std::string(".") : parent;
}

// True when `from` and `to` name the same entry of the same folder with
// names that differ at most in case (a rename that only changes the case,
// or a rename onto the entry's own name).
bool sameEntryOtherCase(const std::string& from, const std::string& to) {
  struct stat a, b, pa, pb;
  if (!lstatOf(from, a) || !lstatOf(to, b)) return false;
  if (a.st_dev != b.st_dev || a.st_ino != b.st_ino) return false;
  if (::stat(folderOf(from).c_str(), &pa) != 0 || ::stat(folderOf(to).c_str(), &pb) != 0) return false;
  if (pa.st_dev != pb.st_dev || pa.st_ino != pb.st_ino) return false;
  return runtime::ansiEqualNoCase(fs::path(from).filename().string(), fs::path(to).filename().string());
}

int plainRename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Where the file system refuses RENAME_NOREPLACE.
int fallbackRename(const std::string& from, const std::string& to) {
  struct stat src, dst;
  if (!lstatOf(from, src)) return errno;
  if (lstatOf(to, dst)) return EEXIST;
  if (!S_ISDIR(src.st_mode)) {
    // A hard link never replaces its target; then the old name goes.
    if (::link(from.c_str(), to.c_str()) == 0) {
      if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        return error;
      }
      return 0;
    }
    const int error = errno;
    if (error != EPERM && error != EOPNOTSUPP && error != ENOTSUP && error != EMLINK && error != ENOSYS)
      return error;
  }
  // No hard links here (or a folder): a rename checked just before.
  if (lstatOf(to, dst)) return EEXIST;
  return plainRename(from, to);
}

int renameNoReplaceErrno(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  int error = errno;
  if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP) {
    struct stat st;
    if (lstatOf(to, st)) {
      error = EEXIST;
    } else {
      error = fallbackRename(from, to);
      if (error == 0) return 0;
    }
  }
  if (error == EEXIST && sameEntryOtherCase(from, to)) return plainRename(from, to);
  if (error == ENOENT) {
    struct stat st;
    // The source is there: it is the target's folder that is missing.
    if (lstatOf(from, st)) return ENOTDIR;
  }
  return error;
}

}  // namespace

std::optional<std::string> findNoCase(const std::string& folder, const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return std::nullopt;
  const fs::path dir(folder.empty() ? std::string(".") : folder);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(dir / name, ec))) return name;
  std::optional<std::string> best;
  fs::directory_iterator it(dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (!runtime::ansiEqualNoCase(entry, name)) continue;
    if (!best || store::nameOrderLess(entry, *best)) best = std::move(entry);
  }
  return best;
}

std::optional<std::string> renameNoReplace(const std::string& from, const std::string& to) {
  return describe(renameNoReplaceErrno(from, to));
}

std::optional<std::string> copyNoReplace(const std::string& from, const std::string& to) {
  struct stat existing;
  if (lstatOf(to, existing)) return describe(EEXIST);
  const fs::path target(to);
  const fs::path scratch = target.parent_path() / ("." + target.filename().string() + ".copying");
  std::optional<std::string> refused;
  try {
    store::copyFileAtomically(from, scratch);
    refused = renameNoReplace(scratch.string(), to);
  } catch (const store::StoreError& e) {
    refused = e.what();
  }
  if (refused) {
    std::error_code ignored;
    fs::remove(scratch, ignored);
  }
  return refused;
}

namespace detail {
std::optional<std::string> renameNoReplaceWithoutFlag(const std::string& from, const std::string& to) {
  int error = fallbackRename(from, to);
  if (error == EEXIST && sameEntryOtherCase(from, to)) error = plainRename(from, to);
  return describe(error);
}
}  // namespace detail

std::optional<std::string> inUseTest(const std::string& path) {
  fs::path entry(path);
  if (!entry.has_filename()) entry = entry.parent_path();
  struct stat st;
  if (!lstatOf(entry.string(), st)) return describe(errno);
  const std::string probeStem = ".qd-in-use-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string probe = (entry.parent_path() / (probeStem + std::to_string(attempt))).string();
    const int away = renameNoReplaceErrno(entry.string(), probe);
    if (away == EEXIST) continue;  // a name someone else holds: the next one
    if (away != 0) return describe(away);
    // The folder has just taken one rename; the way back is the same one.
    int back = renameNoReplaceErrno(probe, entry.string());
    if (back != 0) back = renameNoReplaceErrno(probe, entry.string());
    return describe(back);
  }
  return describe(EEXIST);
}

std::optional<std::string> inUseTest(const std::vector<std::string>& paths) {
  for (const auto& path : paths)
    if (auto error = inUseTest(path)) return error;
  return std::nullopt;
}

std::optional<std::string> inUseTestOfContents(const std::string& path) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  if (ec) return store::describeError(ec);
  std::sort(names.begin(), names.end(), store::nameOrderLess);
  for (const std::string& name : names) {
    const std::string entry = (fs::path(path) / name).string();
    struct stat st;
    if (lstatOf(entry, st) && S_ISDIR(st.st_mode))
      if (auto refused = inUseTestOfContents(entry)) return refused;
    if (auto refused = inUseTest(entry)) return refused;
  }
  return std::nullopt;
}

std::optional<std::string> forceDeleteFolder(const std::string& path) {
  struct stat st;
  if (!lstatOf(path, st)) return describe(errno == ENOENT ? ENOTDIR : errno);
  if (S_ISLNK(st.st_mode)) {
    // A link to a folder: the link goes, what it points to stays.
    struct stat target;
    if (::stat(path.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) return describe(ENOTDIR);
    return describe(::unlink(path.c_str()) == 0 ? 0 : errno);
  }
  if (!S_ISDIR(st.st_mode)) return describe(ENOTDIR);

  // Forced: every folder inside is made writable and searchable by its owner
  // first, so that read-only folders give up their entries.
  std::error_code ec;
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code statEc;
    if (it->symlink_status(statEc).type() == fs::file_type::directory)
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, statEc);
  }
  ec.clear();
  fs::remove_all(path, ec);
  if (ec) return store::describeError(ec);
  return std::nullopt;
}

}  // namespace platform
