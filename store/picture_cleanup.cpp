#include "picture_cleanup.h"

#include <cerrno>
#include <cstdio>

#include "ansi_text.h"
#include "folder_listing.h"
#include "path_helpers.h"
#include "store_error.h"

namespace store {
namespace {

bool endsWith(const std::string& s, const char* tail) {
  std::string t(tail);
  return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

void deleteFile(const std::string& path) {
  if (std::remove(path.c_str()) != 0) throw StoreError(describeErrno(errno));
}

}  // namespace

void deleteAllPics(const std::string& DirPath, std::string ext) {
  if (ext.empty()) ext = kPicturePatterns;
  const bool pictures = ext == kPicturePatterns;
  const bool icons = ext == "*.ico";
  if (!pictures && !icons) return;
  for (const auto& name : listFiles(DirPath, ext)) {
    std::string lower = runtime::ansiLower(name);
    bool match = pictures ? (endsWith(lower, ".jpg") || endsWith(lower, ".bmp") || endsWith(lower, ".gif") ||
                             endsWith(lower, ".jpeg"))
                          : endsWith(lower, ".ico");
    if (match) deleteFile(setPath(DirPath, name));
  }
}

}  // namespace store
