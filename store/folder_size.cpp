#include "folder_size.h"

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <system_error>

#include "path_helpers.h"
#include "runtime_rules.h"

namespace store {
namespace {

double folderSize(const std::filesystem::path& folder) {
  double total = 0;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec), end;
  if (ec) return 0;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code sec;
    auto status = it->symlink_status(sec);
    if (sec) continue;
    if (std::filesystem::is_directory(status)) {
      total += folderSize(it->path());
    } else {
      struct stat st{};
      if (::stat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode)) total += static_cast<double>(st.st_size);
    }
    runtime::letPendingEventsRun();
  }
  return total;
}

}  // namespace

double SizeOf(const std::string& fPath) {
  struct stat st{};
  if (fPath.empty() || ::stat(fPath.c_str(), &st) != 0) return 0;
  if (!S_ISDIR(st.st_mode)) return static_cast<double>(st.st_size);
  return folderSize(fPath);
}

std::string folderSizeText(double bytes) {
  std::string digits = std::to_string(static_cast<long long>(std::floor(bytes / 1000)));
  std::string grouped;
  while (digits.size() >= 3) {
    std::string last = digits.substr(digits.size() - 3);
    digits.erase(digits.size() - 3);
    grouped = grouped.empty() ? last : last + "," + grouped;
  }
  if (!digits.empty()) grouped = grouped.empty() ? digits : digits + "," + grouped;
  return grouped + " KB";
}

}  // namespace store
