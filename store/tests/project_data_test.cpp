#include "project_data.h"

#include <gtest/gtest.h>

#include "store_error.h"
#include "temp_folder.h"

using namespace store;
using testing_support::fromBytes;
using testing_support::hex;
using testing_support::TempFolder;
using testing_support::toBytes;

namespace {

ProjectData blackProject() {
  ProjectData d;
  d.colourRed = colourText(0);
  d.colourGreen = colourText(0);
  d.colourBlue = colourText(0);
  return d;
}

}  // namespace

TEST(ProjectData, EmptyBlackProjectIsThe38ByteFile) {
  const std::string expected = hex("63 84 09 00") + hex("00 00") + hex("02 00 84 00 94 00") +
                               hex("02 00 84 00 94 00") + hex("02 00 84 00 94 00") +
                               hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  ASSERT_EQ(expected.size(), 38u);
  EXPECT_EQ(fromBytes(encodeProjectData(blackProject())), expected);
}

TEST(ProjectData, ColourTextsKeepTheSignPosition) {
  EXPECT_EQ(colourText(128), " 128");
  EXPECT_EQ(colourText(0), " 0");
  EXPECT_EQ(colourText(-1), "-1");
  EXPECT_EQ(colourValue(" 128"), 128);
  EXPECT_EQ(colourValue("  255 "), 255);
  EXPECT_EQ(colourValue(""), 0);
}

TEST(ProjectData, RoundTripsEveryField) {
  ProjectData d;
  d.passwordText = "Secret";
  d.colourRed = colourText(255);
  d.colourGreen = colourText(192);
  d.colourBlue = colourText(7);
  d.iconFile = "disc.ico";
  d.initPicFile = "__Intro__.jpg";
  d.titlePicFile = "__TitlePicture__.gif";
  d.bottomPicFile = "__SubTitlePicture__.bmp";
  d.projectTitle = "Grüße";
  d.projectSubTitle = "Live – 1999";
  d.infoText = "Line one\r\nLine two";
  TempFolder dir;
  writeProjectData(dir / "dat.qd", d);
  Bytes bytes = toBytes(testing_support::readBytes(dir / "dat.qd"));
  std::size_t expectedSize = 4;
  for (const auto* f : {&d.passwordText, &d.colourRed, &d.colourGreen, &d.colourBlue, &d.iconFile, &d.initPicFile,
                        &d.titlePicFile, &d.bottomPicFile})
    expectedSize += 2 + 2 * f->size();
  expectedSize += 2 + 2 * 5 + 2 + 2 * 11 + 2 + 2 * d.infoText.size();  // ü and – are one byte each
  EXPECT_EQ(bytes.size(), expectedSize);
  EXPECT_EQ(readProjectData(dir / "dat.qd"), d);
}

TEST(ProjectData, ShortFilesReadTheMissingFieldsAsEmpty) {
  // The 26-byte file: the magic and eleven empty fields.
  const std::string minimal = hex("63 84 09 00") + std::string(22, '\0');
  ProjectData d = decodeProjectData(toBytes(minimal));
  EXPECT_EQ(d.magic, PROJECT_DATA_MAGIC);
  EXPECT_EQ(d, ProjectData{});

  struct Case {
    const char* name;
    std::string bytes;
    std::int32_t magic;
    std::string password;
    std::string red;
  };
  const Case cases[] = {
      {"empty file", "", 0, "", ""},
      {"magic cut short", hex("63 84"), 0, "", ""},
      {"only the magic", hex("63 84 09 00"), PROJECT_DATA_MAGIC, "", ""},
      {"password cut", hex("63 84 09 00 02 00 C5 00"), PROJECT_DATA_MAGIC, "", ""},
      {"ends after red", hex("63 84 09 00 01 00 C5 00 02 00 84 00 94 00"), PROJECT_DATA_MAGIC, "a", " 0"},
      {"negative count", hex("63 84 09 00 00 80 C5 00"), PROJECT_DATA_MAGIC, "", ""},
      {"wrong magic is kept", hex("01 00 00 00 01 00 C5 00"), 1, "a", ""},
  };
  for (const auto& c : cases) {
    ProjectData r = decodeProjectData(toBytes(c.bytes));
    EXPECT_EQ(r.magic, c.magic) << c.name;
    EXPECT_EQ(r.passwordText, c.password) << c.name;
    EXPECT_EQ(r.colourRed, c.red) << c.name;
    EXPECT_EQ(r.infoText, "") << c.name;
  }
}

TEST(ProjectData, AFailedWriteLeavesTheOldFileWhole) {
  TempFolder dir;
  ProjectData good = blackProject();
  good.projectTitle = "Old";
  writeProjectData(dir / "dat.qd", good);
  const std::string before = testing_support::readBytes(dir / "dat.qd");

  ProjectData bad = good;
  bad.projectTitle = "Новый";  // Cyrillic: not in Windows-1252
  try {
    writeProjectData(dir / "dat.qd", bad);
    FAIL();
  } catch (const StoreError& e) {
    EXPECT_NE(std::string(e.what()).find("title"), std::string::npos);
  }
  bad = good;
  bad.infoText = std::string(40000, 'x');
  EXPECT_THROW(writeProjectData(dir / "dat.qd", bad), StoreError);

  EXPECT_EQ(testing_support::readBytes(dir / "dat.qd"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left";
}

TEST(ProjectData, MissingFileOrFolderIsAnError) {
  TempFolder dir;
  EXPECT_THROW(readProjectData(dir / "dat.qd"), StoreError);
  EXPECT_THROW(writeProjectData(dir / "gone" / "dat.qd", ProjectData{}), StoreError);
}
