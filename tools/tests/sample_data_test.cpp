// The sample data files: the same bytes on every run, readable by the
// store's own readers, and pictures that sit well where the programs show
// them.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "file_io.h"
#include "pack_file.h"
#include "project_data.h"
#include "sample_data.h"
#include "sample_pictures.h"

namespace sample_data {
namespace {

namespace fs = std::filesystem;

const char* const kFiles[] = {"qd.090", "qd.091", "qd.092", "qd.093", "qd.094", "qd.095"};

QImage imageOf(std::span<const std::uint8_t> bytes) {
  QImage image;
  image.loadFromData(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  return image;
}

class SampleData : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    folder = dir.path().toStdString();
    writeSampleData(folder);
  }
  QTemporaryDir dir;
  fs::path folder;
};

TEST_F(SampleData, IsTheSameOnEveryRunAndIsWhatTheBuildInstalls) {
  QTemporaryDir again;
  ASSERT_TRUE(again.isValid());
  writeSampleData(again.path().toStdString());
  for (const char* name : kFiles) {
    SCOPED_TRACE(name);
    const store::Bytes bytes = store::readWholeFile(folder / name);
    EXPECT_EQ(store::readWholeFile(fs::path(again.path().toStdString()) / name), bytes);
    EXPECT_EQ(store::readWholeFile(fs::path(PROGRAM_FOLDER) / name), bytes);
    // Every file, and so every member of the pictures pack, has the short
    // length prefix of the pack format.
    EXPECT_LT(bytes.size(), 65535u);
  }
  // Nothing else is left behind in the folder.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 6);
}

TEST_F(SampleData, ThePicturesPackAndTheProjectDataReadBackAsOneProject) {
  struct Member {
    std::string name;
    std::int32_t count, number;
    QImage picture;
  };
  std::vector<Member> members;
  store::forEachPackRecord(store::readWholeFile(folder / "qd.090"), [&](const store::PackRecordView& r) {
    EXPECT_EQ(r.dataLength, static_cast<std::int32_t>(r.memberData.size()));
    members.push_back({r.memberName, r.memberCount, r.memberNumber, imageOf(r.memberData)});
  });
  ASSERT_EQ(members.size(), 3u);
  // Title, bottom and intro, in the slots' order, named as the picture
  // commands name them.
  const char* const prefixes[] = {"__TitlePicture__.", "__SubTitlePicture__.", "__Intro__."};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(members[i].name);
    EXPECT_TRUE(members[i].name.starts_with(prefixes[i]));
    EXPECT_EQ(members[i].name.size(), std::string(prefixes[i]).size() + 3);
    EXPECT_EQ(members[i].count, 3);
    EXPECT_EQ(members[i].number, static_cast<std::int32_t>(i + 1));
    EXPECT_FALSE(members[i].picture.isNull());
  }
  QTemporaryDir unpacked;
  EXPECT_EQ(store::unpackFiles(folder / "qd.090", unpacked.path().toStdString()),
            (std::vector<std::string>{members[0].name, members[1].name, members[2].name}));

  const store::ProjectData data = store::readProjectData(folder / "qd.091");
  EXPECT_EQ(store::encodeProjectData(data), store::readWholeFile(folder / "qd.091"));
  EXPECT_EQ(data.magic, store::PROJECT_DATA_MAGIC);
  EXPECT_EQ(data.passwordText, "");
  EXPECT_EQ(data.iconFile, "");
  EXPECT_EQ(data.titlePicFile, members[0].name);
  EXPECT_EQ(data.bottomPicFile, members[1].name);
  EXPECT_EQ(data.initPicFile, members[2].name);
  EXPECT_EQ(data.projectTitle, "Demo Collection");
  EXPECT_FALSE(data.projectSubTitle.empty());
  EXPECT_FALSE(data.infoText.empty());
  // The colour is stored as the writer of the authoring program stores it.
  EXPECT_EQ(data.colourRed, store::colourText(kBackdropRed));
  EXPECT_EQ(data.colourGreen, store::colourText(kBackdropGreen));
  EXPECT_EQ(data.colourBlue, store::colourText(kBackdropBlue));
}

TEST_F(SampleData, AlbumPicturesAreSquareGifsAndJpegs) {
  struct Case {
    const char* file;
    const char* signature;
  };
  for (const Case& c : {Case{"qd.092", "GIF89a"}, Case{"qd.093", "\xFF\xD8\xFF"}, Case{"qd.094", "GIF89a"},
                        Case{"qd.095", "\xFF\xD8\xFF"}}) {
    SCOPED_TRACE(c.file);
    const store::Bytes bytes = store::readWholeFile(folder / c.file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<long>(std::strlen(c.signature))), c.signature);
    const QImage picture = imageOf(bytes);
    EXPECT_EQ(picture.size(), QSize(200, 200));
  }
}

TEST(SamplePictures, TheTitleAndBottomPicturesFadeIntoTheBackdrop) {
  // Shown at their own size on the browser's backdrop: every edge pixel is
  // the backdrop's colour, so the pictures have no visible border; the
  // title's foot, which the bottom picture overlaps, is backdrop too.
  const QColor backdrop(kBackdropRed, kBackdropGreen, kBackdropBlue);
  for (const QImage& picture : {titlePicture(), bottomPicture()}) {
    SCOPED_TRACE(picture.width());
    int off = 0;
    for (int x = 0; x < picture.width(); ++x)
      for (int y : {0, picture.height() - 1}) off += QColor(picture.pixel(x, y)) != backdrop;
    for (int y = 0; y < picture.height(); ++y)
      for (int x : {0, picture.width() - 1}) off += QColor(picture.pixel(x, y)) != backdrop;
    EXPECT_EQ(off, 0);
  }
  const QImage title = titlePicture();
  int footOff = 0;
  for (int y = title.height() - 26; y < title.height(); ++y)
    for (int x = 0; x < title.width(); ++x) {
      const QColor c(title.pixel(x, y));
      footOff += std::abs(c.red() - backdrop.red()) + std::abs(c.green() - backdrop.green()) +
                     std::abs(c.blue() - backdrop.blue()) > 6;
    }
  EXPECT_EQ(footOff, 0);
}

}  // namespace
}  // namespace sample_data
