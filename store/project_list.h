#pragma once
// qdd.dat, the authoring program's list of known projects: a 16-bit count and
// then, for each project, its name and its folder as counted shifted texts.

#include <filesystem>
#include <string>
#include <vector>

#include "binary_io.h"

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

}  // namespace store
