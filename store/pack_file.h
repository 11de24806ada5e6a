#pragma once
// dop.qd and cvrd.qd: a header Long 4096 and one record per member file
// (member count, member number, name, length, bytes). The length prefix of a
// member's bytes is a 16-bit count below 65535; from 65535 bytes on it is the
// two bytes FF FF followed by the count as a Long.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "binary_io.h"

namespace store {

class AtomicFileWriter;

inline constexpr std::int32_t PACK_FILE_HEADER = 4096;
inline constexpr const char* kPicturesPackFileName = "dop.qd";
inline constexpr const char* kCoversPackFileName = "cvrd.qd";

struct PackRecordView {
  std::int32_t memberCount;
  std::int32_t memberNumber;
  std::string memberName;  // UTF-8
  std::int32_t dataLength;
  std::span<const std::uint8_t> memberData;
};

// A name that can only ever name a file inside the folder it is joined to.
bool isPlainFileName(std::string_view name);

// The records of a pack file in file order, under the readers' stop rules:
// after the record whose number equals its count, at the end of the bytes, or
// at a record that does not fit in them. Never fails.
void forEachPackRecord(std::span<const std::uint8_t> bytes,
                       const std::function<void(const PackRecordView&)>& visit);

// Writes the pack file at `packPath` from `names` (empty entries skipped,
// every record carrying names.size() as its count), each member read from
// `memberFolder`. Throws StoreError when a member cannot be read or named;
// the old pack file then stays whole.
void packFiles(const std::filesystem::path& packPath, const std::vector<std::string>& names,
               const std::filesystem::path& memberFolder);
// The same into `out`, which the caller commits: so that a pack file is
// replaced only together with another file.
void packFilesInto(AtomicFileWriter& out, const std::vector<std::string>& names,
                   const std::filesystem::path& memberFolder);

// Writes every member whose name is a plain file name into `targetFolder`
// (replacing a file of that name) and returns those names in file order.
// Records with other names are skipped. Throws StoreError when the pack file
// cannot be read or a member cannot be written.
std::vector<std::string> unpackFiles(const std::filesystem::path& packPath,
                                     const std::filesystem::path& targetFolder);

}  // namespace store
