#pragma once
// The file and folder services the programs use: names found
// without regard to case, renames that never replace, the in-use test and
// the forced delete of a folder. Paths and names are UTF-8. Every failure is
// answered with the description a window shows as it stands ("File already
// exists", "File not found", ..., store::describeErrno).

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The name of the entry (file, folder, link) of `folder` called `name`
// without regard to case: `name` itself when it exists, else the first entry
// in name order (store::nameOrderLess) whose name equals it under the
// Windows-1252 case rules (runtime::ansiEqualNoCase). Empty when there is
// none, when `name` is empty or holds a "/", or when the folder cannot be read.
std::optional<std::string> findNoCase(const std::string& folder, const std::string& name);

// Renames the file or folder `from` to `to`, never replacing an existing
// `to` (renameat2 with RENAME_NOREPLACE; where the file system refuses that
// flag, a hard link for files and a checked rename otherwise). A rename that
// only changes the case of the name of an entry onto itself (as on a file
// system without case) is allowed. Empty on success, else the description:
// "File already exists" when `to` exists, "File not found" when `from` does
// not, "Path not found" when the folder of `to` does not exist.
std::optional<std::string> renameNoReplace(const std::string& from, const std::string& to);

// Copies the file `from` to `to`, never over an existing `to`: the copy is
// made whole under a hidden name beside `to` (keeping the time and the
// permission bits of `from`) and then given its name by renameNoReplace.
// Empty on success, else the description ("File already exists", ...);
// nothing is left behind on failure.
std::optional<std::string> copyNoReplace(const std::string& from, const std::string& to);

// The in-use test: renames the entry `path` to a free hidden name in its own
// folder and back. That changes nothing, but fails wherever the entry could
// not be renamed, moved or deleted: its folder cannot be changed (no write
// access, immutable, a read-only mount) or the entry itself is immutable.
// (Renaming the entry onto its own name would test nothing: Linux never
// refuses that.) Empty when it passes, else the description of the refusal
// ("Permission denied"; "File not found" for a path that does not exist).
std::optional<std::string> inUseTest(const std::string& path);
// The test for each path in order; the first refusal's description, or empty.
std::optional<std::string> inUseTest(const std::vector<std::string>& paths);
// The test for every entry below the folder `path` (not the folder itself),
// each folder's entries in name order, a subfolder's before the subfolder.
std::optional<std::string> inUseTestOfContents(const std::string& path);

// Deletes the folder `path` and everything in it, read-only entries too
// (links are removed, never followed). Empty on success; "Path not found"
// when there is no folder of that name, else the description of the first
// failure.
std::optional<std::string> forceDeleteFolder(const std::string& path);

namespace detail {
// The rename used where the file system refuses RENAME_NOREPLACE (for tests).
std::optional<std::string> renameNoReplaceWithoutFlag(const std::string& from, const std::string& to);
}  // namespace detail

}  // namespace platform
