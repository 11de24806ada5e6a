#include "folder_listing.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "ansi_text.h"
#include "store_error.h"

namespace store {
namespace {

bool wildcardMatch(std::string_view name, std::string_view pattern) {
  // Iterative match with one backtrack point for the last `*`.
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string trimmed(std::string_view s) {
  auto b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  auto e = s.find_last_not_of(' ');
  return std::string(s.substr(b, e - b + 1));
}

// The entries `keep` takes, in name order; `ec` tells whether the folder
// could be read to its end.
template <typename Keep>
std::vector<std::string> listEntries(const std::filesystem::path& folder, Keep keep, std::error_code& ec) {
  std::vector<std::string> names;
  std::filesystem::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    if (keep(*it, name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), nameOrderLess);
  return names;
}

auto fileMatching(std::string_view patterns) {
  return [patterns](const std::filesystem::directory_entry& e, const std::string& name) {
    std::error_code ec;
    return e.is_regular_file(ec) && matchesPattern(name, patterns);
  };
}

bool isFolder(const std::filesystem::directory_entry& e, const std::string&) {
  std::error_code ec;
  return e.is_directory(ec);
}

std::vector<std::string> orThrow(std::vector<std::string> names, const std::error_code& ec) {
  // The folder itself is missing: the path, not a file, is not found.
  if (ec) throw StoreError(describeErrno(ec.value() == ENOENT ? ENOTDIR : ec.value()));
  return names;
}

}  // namespace

bool matchesPattern(std::string_view name, std::string_view patterns) {
  const std::string lowerName = runtime::ansiLower(name);
  std::size_t start = 0;
  while (start <= patterns.size()) {
    std::size_t end = patterns.find(';', start);
    if (end == std::string_view::npos) end = patterns.size();
    std::string pattern = runtime::ansiLower(trimmed(patterns.substr(start, end - start)));
    if (!pattern.empty()) {
      if (pattern == "*.*" || pattern == "*") return true;
      if (wildcardMatch(lowerName, pattern)) return true;
    }
    start = end + 1;
  }
  return false;
}

bool nameOrderLess(const std::string& a, const std::string& b) {
  int c = runtime::ansiCompareNoCase(a, b);
  return c != 0 ? c < 0 : a < b;
}

std::vector<std::string> listFiles(const std::filesystem::path& folder, std::string_view patterns) {
  std::error_code ignored;
  return listEntries(folder, fileMatching(patterns), ignored);
}

std::vector<std::string> listFolders(const std::filesystem::path& folder) {
  std::error_code ignored;
  return listEntries(folder, isFolder, ignored);
}

std::vector<std::string> readFolderFiles(const std::filesystem::path& folder, std::string_view patterns) {
  std::error_code ec;
  return orThrow(listEntries(folder, fileMatching(patterns), ec), ec);
}

std::vector<std::string> readSubfolders(const std::filesystem::path& folder) {
  std::error_code ec;
  return orThrow(listEntries(folder, isFolder, ec), ec);
}

}  // namespace store
