#include "setup_launch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "ansi_text.h"
#include "autorun_file.h"
#include "file_io.h"
#include "pack_file.h"
#include "store_error.h"
#include "system/file_services.h"

namespace player {
namespace {

// Opens the file for reading and closes it again at once; errno of the open
// when it fails, else 0.
int openError(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The value of the "open =" line of an autorun file; empty when it has none.
std::string autorunOpenValue(const std::string& path) {
  std::vector<std::string> lines;
  try {
    lines = store::readTextLines(path);
  } catch (const store::StoreError&) {
    return {};
  }
  for (const std::string& line : lines) {
    const std::string text = trimmed(line);
    if (text.size() < 4 || !runtime::ansiEqualNoCase(text.substr(0, 4), "open")) continue;
    const std::string rest = trimmed(text.substr(4));
    if (rest.empty() || rest.front() != '=') continue;
    return trimmed(rest.substr(1));
  }
  return {};
}

std::optional<std::string> fileOfRoot(const std::string& root, const std::string& name) {
  if (!store::isPlainFileName(name)) return std::nullopt;
  const auto found = platform::findNoCase(root, name);
  if (!found) return std::nullopt;
  return root + *found;
}

}  // namespace

bool installedMarkerMissing(const std::string& systemFolder) {
  const int error = openError(systemFolder + kInstalledMarkerName);
  if (error != ENOENT) return false;
  const auto found = platform::findNoCase(systemFolder, kInstalledMarkerName);
  return !found;
}

std::optional<std::string> setupProgramPath(const std::string& collectionRoot) {
  if (auto setup = fileOfRoot(collectionRoot, "setup.exe")) return setup;
  const auto autorun = fileOfRoot(collectionRoot, store::kAutorunFileName);
  if (!autorun) return std::nullopt;
  return fileOfRoot(collectionRoot, autorunOpenValue(*autorun));
}

}  // namespace player
