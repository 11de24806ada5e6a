#pragma once
// ldat.qd, the lyrics database on the disc: a plain run of pairs of counted
// shifted texts, a key "[ALBUM" AA "SONG" SS "]" and the song's lyrics with
// CR LF after every line.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "binary_io.h"

namespace store {

inline constexpr const char* kLyricsDatabaseFileName = "ldat.qd";

struct LyricsRecord {
  std::string key;   // UTF-8
  std::string text;  // UTF-8, CR LF after every line
  bool operator==(const LyricsRecord&) const = default;
};

// "[ALBUM" & AA & "SONG" & SS & "]" from the two-character number texts.
std::string lyricsRecordKey(std::string_view album, std::string_view song);

// The records in file order; a record that does not fit in the bytes ends the
// scan. `visit` returns false to stop early.
void forEachLyricsRecord(std::span<const std::uint8_t> bytes,
                         const std::function<bool(const LyricsRecord&)>& visit);
std::vector<LyricsRecord> decodeLyricsDatabase(std::span<const std::uint8_t> bytes);

// The text of the first record whose key matches; empty when there is none.
std::string findLyrics(std::span<const std::uint8_t> bytes, std::string_view key);
// The same over the file; the empty text when it cannot be read.
std::string getLyricsFromFile(const std::filesystem::path& database, std::string_view album,
                              std::string_view song);

// The database of the albums `albums` (folder names, in the order the disc
// numbers them: the album number is the place in this list), from the
// lyrics files ("*.dat") of each album's folder of the same name in
// `mirrorFolder`; the song number is the first two characters of the file
// name. Throws StoreError when an album's folder or a lyrics file cannot be
// read, or a text cannot be stored: lyrics that cannot be read never pass
// for no lyrics.
Bytes buildLyricsDatabase(const std::filesystem::path& mirrorFolder, const std::vector<std::string>& albums);

// Writes the database of the album folders of `mirrorFolder`, in name
// order, at `databasePath`. Throws StoreError (the old database stays) when
// the mirror folder cannot be read or buildLyricsDatabase() fails.
void compileLyrics(const std::filesystem::path& mirrorFolder, const std::filesystem::path& databasePath);

}  // namespace store
