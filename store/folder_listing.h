#pragma once
// Listing a folder the way the program's file and folder list boxes do:
// names in name order without regard to case, files filtered by a pattern
// list such as "*.gif;*.jpg" matched without regard to case, hidden (dot)
// entries left out.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// True when `name` matches one of the ";"-separated wildcard patterns
// (`*` any run of characters, `?` one character). "*.*" and "*" match every
// name. Case is ignored.
bool matchesPattern(std::string_view name, std::string_view patterns);

// Name order of the list boxes: case-insensitive, then by bytes.
bool nameOrderLess(const std::string& a, const std::string& b);

// The names of the regular files (or links to them) in `folder` that match
// `patterns`, in name order; empty when the folder cannot be read.
std::vector<std::string> listFiles(const std::filesystem::path& folder, std::string_view patterns = "*.*");

// The names of the subfolders of `folder`, in name order; empty when it
// cannot be read.
std::vector<std::string> listFolders(const std::filesystem::path& folder);

// The same two lists for a file built from what a folder holds, where a
// folder that cannot be read must not pass for an empty one: they throw
// StoreError instead ("Path not found" for a folder that is not there).
std::vector<std::string> readFolderFiles(const std::filesystem::path& folder, std::string_view patterns = "*.*");
std::vector<std::string> readSubfolders(const std::filesystem::path& folder);

}  // namespace store
