#include "path_helpers.h"

#include <sys/stat.h>

#include <cstdlib>

namespace store {

std::string EndSlash(std::string_view path) {
  std::string s(path);
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

std::string setPath(std::string_view thePath, std::string_view fName) {
  return EndSlash(thePath) + std::string(fName);
}

void AddDirSep(std::string& strPathName) {
  while (!strPathName.empty() && strPathName.back() == ' ') strPathName.pop_back();
  if (strPathName.empty() || (strPathName.back() != '/' && strPathName.back() != '\\')) strPathName += '/';
}

std::string StringFromBuffer(std::string_view buffer) {
  return std::string(buffer.substr(0, buffer.find('\0')));
}

bool DirExists(const std::string& path) {
  struct stat st{};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st{};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

std::string GetWindowsSysDir() {
  std::string dir;
  if (const char* own = std::getenv("QUENDREL_SYSTEM_DIR"); own && *own) {
    dir = own;
  } else if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    dir = std::string(data) + "/quendrel/system";
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    dir = std::string(home) + "/.local/share/quendrel/system";
  } else {
    return {};
  }
  AddDirSep(dir);
  return dir;
}

}  // namespace store
