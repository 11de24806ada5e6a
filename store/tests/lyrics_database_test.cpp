#include "lyrics_database.h"

#include <gtest/gtest.h>

#include <functional>

#include "binary_io.h"
#include "shifted_string.h"
#include "store_error.h"
#include "temp_folder.h"

using namespace store;
using testing_support::hex;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::toBytes;
using testing_support::writeBytes;

namespace {

class LyricsDatabase : public ::testing::Test {
 protected:
  std::filesystem::path album(const std::string& name) {
    auto p = mirror.path() / name;
    std::filesystem::create_directories(p);
    return p;
  }
  std::vector<LyricsRecord> compile() {
    compileLyrics(mirror.path(), project / "ldat.qd");
    return decodeLyricsDatabase(toBytes(readBytes(project / "ldat.qd")));
  }
  TempFolder mirror, project;
};

}  // namespace

TEST_F(LyricsDatabase, ProjectWithoutLyricsGivesAnEmptyFile) {
  auto a = album("01 - Rock");
  writeBytes(a / "01 - Song.mp3", "mp3");
  writeBytes(a / "intro.jpg", "jpg");
  EXPECT_TRUE(compile().empty());
  EXPECT_EQ(readBytes(project / "ldat.qd"), "");
}

TEST_F(LyricsDatabase, EveryLineEndsInCrLfWhateverTheFileUsed) {
  auto a = album("01 - Rock");
  const char* variants[] = {"A\r\nB\r\n", "A\r\nB", "A\nB\n", "A\rB"};
  int song = 1;
  for (const char* v : variants) writeBytes(a / ("0" + std::to_string(song++) + " - S.dat"), v);
  for (const auto& r : compile()) EXPECT_EQ(r.text, "A\r\nB\r\n") << r.key;
  // The first record byte for byte: key, then the 6-character text.
  ByteWriter w;
  writeShiftedString(w, "[ALBUM01SONG01]", "key");
  writeShiftedString(w, "A\r\nB\r\n", "text");
  EXPECT_EQ(readBytes(project / "ldat.qd").substr(0, w.bytes().size()),
            std::string(w.bytes().begin(), w.bytes().end()));
}

TEST_F(LyricsDatabase, KeysComeFromFolderPlaceAndFileNamePrefix) {
  for (int i = 1; i <= 10; ++i) album((i < 10 ? "0" : "") + std::to_string(i) + " - Album");
  writeBytes(mirror / "10 - Album" / "03 - Third.dat", "ten");
  writeBytes(mirror / "02 - Album" / "12 - Twelfth.DAT", "two");
  writeBytes(mirror / "02 - Album" / "01 - First.dat", "");
  writeBytes(mirror / "02 - Album" / "01 - First.mp3", "not lyrics");
  writeBytes(mirror / "stray.dat", "not in an album");
  const std::vector<LyricsRecord> expected = {
      {"[ALBUM02SONG01]", ""}, {"[ALBUM02SONG12]", "two\r\n"}, {"[ALBUM10SONG03]", "ten\r\n"}};
  EXPECT_EQ(compile(), expected);
  // The empty lyrics file: the record's text field is the two bytes 00 00.
  EXPECT_EQ(readBytes(project / "ldat.qd").substr(32, 2), hex("00 00"));
}

TEST_F(LyricsDatabase, TooLongLyricsFailTheCompileAndKeepTheOldDatabase) {
  auto a = album("01 - Rock");
  writeBytes(a / "01 - Song.dat", "short");
  compile();
  const std::string before = readBytes(project / "ldat.qd");
  writeBytes(a / "02 - Long.dat", std::string(32766, 'x'));  // plus CR LF: 32768 characters
  EXPECT_THROW(compileLyrics(mirror.path(), project / "ldat.qd"), StoreError);
  EXPECT_EQ(readBytes(project / "ldat.qd"), before);
}

TEST_F(LyricsDatabase, LookUpTakesTheFirstMatchAndToleratesDamage) {
  ByteWriter w;
  for (auto [k, t] : {std::pair{"[ALBUM01SONG01]", "one\r\n"}, {"[ALBUM03SONG10]", "ten\r\n"},
                      {"[ALBUM03SONG10]", "duplicate\r\n"}})
    writeShiftedString(w, k, "key"), writeShiftedString(w, t, "text");
  const Bytes db = w.bytes();
  EXPECT_EQ(findLyrics(db, lyricsRecordKey("03", "10")), "ten\r\n");
  EXPECT_EQ(findLyrics(db, lyricsRecordKey("03", "01")), "");
  EXPECT_EQ(findLyrics({}, lyricsRecordKey("01", "01")), "");
  // Cut inside the second record: the first still reads, the scan ends there.
  const Bytes cut(db.begin(), db.begin() + 50);
  EXPECT_EQ(findLyrics(cut, "[ALBUM01SONG01]"), "one\r\n");
  EXPECT_EQ(decodeLyricsDatabase(cut).size(), 1u);

  TempFolder dir;
  EXPECT_EQ(getLyricsFromFile(dir / "ldat.qd", "01", "01"), "");
  writeBytes(dir / "ldat.qd", std::string(db.begin(), db.end()));
  EXPECT_EQ(getLyricsFromFile(dir / "ldat.qd", "01", "01"), "one\r\n");
}

TEST_F(LyricsDatabase, AlbumNumbersFollowTheAlbumsGivenNotTheMirror) {
  writeBytes(album("01 - Rock") / "01 - Stone.dat", "rock");
  writeBytes(album("02 - Pop") / "02 - Bubble.dat", "pop");
  writeBytes(album("00 - Left over") / "01 - Old.dat", "no album of the disc");
  const std::vector<LyricsRecord> expected = {{"[ALBUM01SONG01]", "rock\r\n"}, {"[ALBUM02SONG02]", "pop\r\n"}};
  EXPECT_EQ(decodeLyricsDatabase(buildLyricsDatabase(mirror.path(), {"01 - Rock", "02 - Pop"})), expected);
}

TEST_F(LyricsDatabase, AFolderThatCannotBeReadFailsTheCompileAndKeepsTheOldDatabase) {
  writeBytes(album("01 - Rock") / "01 - Stone.dat", "rock");
  compile();
  const std::string before = readBytes(project / "ldat.qd");
  writeBytes(mirror / "02 - Not a folder", "x");
  struct Case {
    const char* what;
    std::function<void()> compile;
  };
  const Case cases[] = {
      {"no mirror", [&] { compileLyrics(mirror / "gone", project / "ldat.qd"); }},
      {"an album without its folder", [&] { buildLyricsDatabase(mirror.path(), {"01 - Rock", "02 - Gone"}); }},
      {"an album whose folder is a file",
       [&] { buildLyricsDatabase(mirror.path(), {"01 - Rock", "02 - Not a folder"}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.compile();
      ADD_FAILURE() << "no error";
    } catch (const StoreError& e) {
      EXPECT_STREQ(e.what(), "Path not found");
    }
    EXPECT_EQ(readBytes(project / "ldat.qd"), before);
  }
}
