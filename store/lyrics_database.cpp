#include "lyrics_database.h"

#include "file_io.h"
#include "folder_listing.h"
#include "runtime_rules.h"
#include "shifted_string.h"
#include "store_error.h"

namespace store {

std::string lyricsRecordKey(std::string_view album, std::string_view song) {
  return "[ALBUM" + std::string(album) + "SONG" + std::string(song) + "]";
}

void forEachLyricsRecord(std::span<const std::uint8_t> bytes,
                         const std::function<bool(const LyricsRecord&)>& visit) {
  ByteReader in(bytes);
  while (!in.atEnd()) {
    auto key = readShiftedString(in);
    if (!key) return;
    auto text = readShiftedString(in);
    if (!text) return;
    if (!visit({*std::move(key), *std::move(text)})) return;
  }
}

std::vector<LyricsRecord> decodeLyricsDatabase(std::span<const std::uint8_t> bytes) {
  std::vector<LyricsRecord> records;
  forEachLyricsRecord(bytes, [&](const LyricsRecord& r) {
    records.push_back(r);
    return true;
  });
  return records;
}

std::string findLyrics(std::span<const std::uint8_t> bytes, std::string_view key) {
  std::string found;
  forEachLyricsRecord(bytes, [&](const LyricsRecord& r) {
    if (r.key != key) return true;
    found = r.text;
    return false;
  });
  return found;
}

std::string getLyricsFromFile(const std::filesystem::path& database, std::string_view album,
                              std::string_view song) {
  runtime::letPendingEventsRun();
  try {
    return findLyrics(readWholeFile(database), lyricsRecordKey(album, song));
  } catch (const StoreError&) {
    return {};
  }
}

Bytes buildLyricsDatabase(const std::filesystem::path& mirrorFolder, const std::vector<std::string>& albums) {
  ByteWriter out;
  for (std::size_t i = 0; i < albums.size(); ++i) {
    const auto albumFolder = mirrorFolder / albums[i];
    const std::string aa = runtime::twoDigits(static_cast<int>(i + 1));
    for (const auto& file : readFolderFiles(albumFolder, "*.dat")) {
      Bytes raw = readWholeFile(albumFolder / file);
      std::string text;
      text.reserve(raw.size() + raw.size() / 16 + 2);
      for (const auto& line : splitLines(std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()))) {
        text += line;
        text += "\r\n";
      }
      // The file name is UTF-8 on disk; its first two characters are the song number.
      std::string ss;
      std::size_t chars = 0, pos = 0;
      while (pos < file.size() && chars < 2) {
        auto c = static_cast<unsigned char>(file[pos]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        ss += file.substr(pos, len);
        pos += len;
        ++chars;
      }
      writeShiftedString(out, lyricsRecordKey(aa, ss), "lyrics key of " + file);
      writeShiftedAnsi(out, text, "lyrics of " + file);
    }
  }
  return out.take();
}

void compileLyrics(const std::filesystem::path& mirrorFolder, const std::filesystem::path& databasePath) {
  writeFileAtomically(databasePath, buildLyricsDatabase(mirrorFolder, readSubfolders(mirrorFolder)));
}

}  // namespace store
