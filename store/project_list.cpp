#include "project_list.h"

#include "file_io.h"
#include "shifted_string.h"
#include "store_error.h"

namespace store {

Bytes encodeProjectList(const std::vector<ProjectListEntry>& entries) {
  if (entries.size() > static_cast<std::size_t>(kProjectListMaxEntries))
    throw StoreError("The project list cannot hold more than 32767 projects.");
  ByteWriter out;
  out.writeInteger(static_cast<std::int16_t>(entries.size()));
  for (const auto& e : entries) {
    writeShiftedString(out, e.name, "project name");
    writeShiftedString(out, e.folder, "project folder");
  }
  return out.take();
}

std::vector<ProjectListEntry> decodeProjectList(std::span<const std::uint8_t> bytes) {
  std::vector<ProjectListEntry> entries;
  ByteReader in(bytes);
  std::int16_t count;
  if (!in.readInteger(count)) return entries;
  for (int i = 0; i < count; ++i) {
    auto name = readShiftedString(in);
    if (!name) break;
    auto folder = readShiftedString(in);
    if (!folder) break;
    entries.push_back({*std::move(name), *std::move(folder)});
  }
  return entries;
}

void writeProjectList(const std::filesystem::path& path, const std::vector<ProjectListEntry>& entries) {
  writeFileAtomically(path, encodeProjectList(entries));
}

std::vector<ProjectListEntry> readProjectList(const std::filesystem::path& path) {
  return decodeProjectList(readWholeFile(path));
}

std::vector<ProjectListEntry> readWholeProjectList(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::symlink_status(path, ec).type() == std::filesystem::file_type::not_found) return {};
  const Bytes bytes = readWholeFile(path);
  std::vector<ProjectListEntry> entries = decodeProjectList(bytes);
  // Only a list that writes back to the very same bytes loses nothing when
  // it is written again.
  if (encodeProjectList(entries) != bytes)
    throw StoreError("The project list " + path.filename().string() + " is damaged; it was left as it is.");
  return entries;
}

ProjectListLock::ProjectListLock(const std::filesystem::path& path) : path_(path), lock_(take(path)) {
  removeAbandonedTemporaryFiles(path_);
}

FileLock ProjectListLock::take(const std::filesystem::path& path) {
  const std::filesystem::path lockFile = path.string() + ".lock";
  try {
    return FileLock(lockFile);
  } catch (const StoreError& error) {
    throw StoreError("The lock file " + lockFile.filename().string() + " of the project list cannot be opened: " +
                     error.what() + "; nothing was changed.");
  }
}

std::vector<ProjectListEntry> ProjectListLock::read() const { return readWholeProjectList(path_); }

void ProjectListLock::write(const std::vector<ProjectListEntry>& entries) const { writeProjectList(path_, entries); }

std::vector<ProjectListEntry> changeProjectList(
    const std::filesystem::path& path, const std::function<bool(std::vector<ProjectListEntry>& entries)>& change) {
  const ProjectListLock lock(path);
  std::vector<ProjectListEntry> entries = lock.read();
  if (change(entries)) lock.write(entries);
  return entries;
}

}  // namespace store
