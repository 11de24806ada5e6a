#include "pack_file.h"

#include <limits>

#include "ansi_text.h"
#include "file_io.h"
#include "runtime_rules.h"
#include "store_error.h"

namespace store {
namespace {

constexpr std::int16_t kTextTypeTag = 8;
constexpr std::uint16_t kLongLengthMark = 0xFFFF;

}  // namespace

bool isPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

void forEachPackRecord(std::span<const std::uint8_t> bytes,
                       const std::function<void(const PackRecordView&)>& visit) {
  ByteReader in(bytes);
  std::int32_t header;
  if (!in.readLong(header)) return;
  for (;;) {
    PackRecordView r;
    std::int16_t tag, nameLength;
    std::span<const std::uint8_t> name;
    if (!in.readLong(r.memberCount) || !in.readLong(r.memberNumber)) return;
    if (!in.readInteger(tag) || tag != kTextTypeTag) return;
    if (!in.readInteger(nameLength) || nameLength < 0) return;
    if (!in.readBytes(static_cast<std::size_t>(nameLength), name)) return;
    if (!in.readLong(r.dataLength)) return;
    std::uint16_t prefix;
    if (!in.readWord(prefix)) return;
    std::size_t length = prefix;
    if (prefix == kLongLengthMark) {
      std::int32_t longLength;
      if (!in.readLong(longLength) || longLength < 0) return;
      length = static_cast<std::size_t>(longLength);
    }
    if (!in.readBytes(length, r.memberData)) return;
    r.memberName = runtime::fromAnsi(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
    visit(r);
    if (in.atEnd() || r.memberNumber == r.memberCount) return;
  }
}

void packFiles(const std::filesystem::path& packPath, const std::vector<std::string>& names,
               const std::filesystem::path& memberFolder) {
  AtomicFileWriter out(packPath);
  packFilesInto(out, names, memberFolder);
  out.commit();
}

void packFilesInto(AtomicFileWriter& out, const std::vector<std::string>& names,
                   const std::filesystem::path& memberFolder) {
  if (names.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw StoreError("Too many pack members.");
  runtime::letPendingEventsRun();
  ByteWriter header;
  header.writeLong(PACK_FILE_HEADER);
  out.write(header.bytes());
  const auto count = static_cast<std::int32_t>(names.size());
  std::int32_t number = 0;
  for (const auto& name : names) {
    runtime::letPendingEventsRun();
    if (name.empty()) continue;
    if (!isPlainFileName(name)) throw StoreError("Bad file name or number");
    const std::string ansiName = toAnsiOrThrow(name, "picture name");
    if (ansiName.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
      throw StoreError("Bad file name or number");
    ++number;
    out.appendFile(memberFolder / name, [&](std::uint64_t size) {
      if (size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        throw StoreError("The picture " + name + " is too large to be packed.");
      const auto length = static_cast<std::int32_t>(size);
      ByteWriter record;
      record.writeLong(count);
      record.writeLong(number);
      record.writeInteger(kTextTypeTag);
      record.writeInteger(static_cast<std::int16_t>(ansiName.size()));
      record.writeBytes(ansiName);
      record.writeLong(length);
      if (size < kLongLengthMark) {
        record.writeWord(static_cast<std::uint16_t>(size));
      } else {
        record.writeWord(kLongLengthMark);
        record.writeLong(length);
      }
      out.write(record.bytes());
    });
  }
}

std::vector<std::string> unpackFiles(const std::filesystem::path& packPath,
                                     const std::filesystem::path& targetFolder) {
  Bytes bytes = readWholeFile(packPath);
  std::vector<std::string> names;
  forEachPackRecord(bytes, [&](const PackRecordView& r) {
    if (!isPlainFileName(r.memberName)) return;
    writeScratchFile(targetFolder / r.memberName, r.memberData);
    names.push_back(r.memberName);
  });
  return names;
}

}  // namespace store
