// Reading dat.qd, dop.qd and cvrd.qd: every field into its control, the
// skipped failures, and the temporary folders the members pass through.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "artwork.h"
#include "interface_colour.h"
#include "picture_files.h"
#include "player_fixture.h"

namespace player::testing_support {
namespace {

struct ColourCase {
  const char* red;
  const char* green;
  const char* blue;
  std::optional<std::uint32_t> colour;
};

TEST(InterfaceColour, ComesFromTheThreeTexts) {
  const ColourCase cases[] = {
      {"255", "0", "0", 0xFFu},        {" 0", " 128", " 255", 0xFF8000u}, {"", "", "", 0u},
      {"abc", "12", "x", 0x0C00u},     {"300", "0", "0", 0xFFu},          {"99999", "1", "1", 0x010100u},
      {"127.5", "0.5", "1.5", 0x20080u}, {"-1", "0", "0", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(interfaceColour(c.red, c.green, c.blue), c.colour) << c.red << "/" << c.green << "/" << c.blue;
}

TEST(InterfaceColour, TheTitleLinkColourStaysWithinTwentyFourBits) {
  EXPECT_EQ(titleLinkColour(0), 48000u);
  EXPECT_EQ(titleLinkColour(0x0000FF), 0x00BC7Fu);  // the carry moves into green
  EXPECT_EQ(titleLinkColour(0xFFFFFF), 0x00BB7Fu);  // past white it starts again from black
}

class CollectionReading : public PlayerTest {};

TEST_F(CollectionReading, PutsEveryFieldIntoItsControl) {
  writeTypicalCollection(1);
  auto data = projectData();
  data.passwordText = "secret";
  data.colourRed = "255";
  data.colourGreen = "0";
  data.colourBlue = "0";
  data.iconFile = "disc.png";
  data.projectTitle = "Ünïcode Title";
  writeProjectData(data);
  writeBytes(disc / "disc.png", pictureBytes(32, 32, Qt::green));
  start();
  EXPECT_EQ(browser().globalColor, 0xFFu);
  EXPECT_EQ(browser().BackColor(), 0xFFu);
  EXPECT_EQ(browser().Label1.Caption(), QString::fromUtf8("Ünïcode Title"));
  EXPECT_EQ(browser().Label3.Caption(), "The best of the year");
  EXPECT_EQ(browser().Text1.Text(), "Made with care.\r\n");
  EXPECT_EQ(middleColour(browser().Icon()), QColor(Qt::green));
  EXPECT_TRUE(player->loadedForm3()->Icon() == browser().Icon());
  EXPECT_EQ(middleColour(browser().ImageTorvel.Picture()), QColor(Qt::blue));
  EXPECT_EQ(browser().ImageTorvel.Width(), 300 * 15);
  EXPECT_EQ(browser().Image10.Width(), 200 * 15);
  EXPECT_TRUE(browser().form4PicName.isEmpty());
}

TEST_F(CollectionReading, AnIconOutsideTheCollectionFolderIsNotLoaded) {
  writeTypicalCollection(1);
  auto data = projectData();
  data.iconFile = "../outside.png";
  writeProjectData(data);
  const fs::path outside = disc.path().parent_path() / "outside.png";
  writeBytes(outside, pictureBytes(32, 32, Qt::green));
  start();
  fs::remove(outside);
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(browser().Icon().isEmpty());
}

TEST_F(CollectionReading, EmptyColourFieldsGiveBlack) {
  writeTypicalCollection(1);
  auto data = projectData();
  data.colourRed = data.colourGreen = data.colourBlue = "";
  writeProjectData(data);
  start();
  EXPECT_EQ(browser().globalColor, 0u);
  EXPECT_EQ(browser().Frame1.BackColor(), 0u);
}

TEST_F(CollectionReading, WithoutPackFilesStartUpGoesOnWithTheDesignedPictures) {
  auto data = projectData();
  data.initPicFile = "intro.png";
  writeProjectData(data);
  addAlbums(2);
  expectIntro([](Form4& intro) {
    EXPECT_TRUE(intro.Image1.Picture().isEmpty());
    EXPECT_EQ(intro.Width(), 6000);
    EXPECT_EQ(intro.Height(), 4000);
  });
  start();
  EXPECT_TRUE(introShown);
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(browser().ImageTorvel.Picture().isEmpty());
  EXPECT_TRUE(browser().Image1(1).Picture() == browser().Image1(0).Picture());
  EXPECT_FALSE(browser().Image1(0).Picture().isEmpty());
  EXPECT_TRUE(browser().mainIMG.Picture() == browser().Image1(0).Picture());
}

TEST_F(CollectionReading, LeavesTheTemporaryFoldersPrivateAndWithoutLoadedMembers) {
  writeTypicalCollection(3);
  auto data = projectData();
  data.initPicFile = "intro.png";
  writeProjectData(data);
  writePack("dop.qd", {{"title.png", pictureBytes(30, 8)},
                       {"bottom.png", pictureBytes(20, 4)},
                       {"intro.png", pictureBytes(40, 30)}});
  expectIntro();
  start();
  EXPECT_EQ(browser().form4PicName.toStdString(), (picturesFolder() / "intro.png").string());
  EXPECT_TRUE(filesIn(picturesFolder()).empty());
  EXPECT_TRUE(filesIn(coversFolder()).empty());
  for (const auto& folder : {picturesFolder(), coversFolder()}) {
    struct stat st{};
    ASSERT_EQ(::lstat(folder.c_str(), &st), 0) << folder;
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
  }
  EXPECT_EQ(middleColour(browser().Image1(2).Picture()), QColor(24, 100, 200));
}

TEST_F(CollectionReading, ReadsAtMostThirtyCoverRecords) {
  writeTypicalCollection(1);
  std::vector<std::pair<std::string, std::string>> covers;
  for (int i = 1; i <= 30; ++i) covers.emplace_back("x" + runtime::twoDigits(i) + ".jpg", pictureBytes(4, 4));
  covers.emplace_back("01.jpg", pictureBytes(4, 4, Qt::green));  // the 31st record
  writePack("cvrd.qd", covers);
  start();
  EXPECT_NE(middleColour(browser().Image1(0).Picture()), QColor(Qt::green));
  EXPECT_EQ(browser().Image1(0).Picture().pixmap().width(), 200) << "the default cover";
  EXPECT_TRUE(filesIn(coversFolder()).empty());
}

// Members nothing loads are deleted at once; the folders of earlier runs or
// of other players are left alone.
TEST_F(CollectionReading, DeletesEveryMemberItUnpackedAndNothingElse) {
  writeTypicalCollection(2);
  const fs::path other = tmp / "Quendrel-other";
  fs::create_directories(other / "cvrd");
  writeBytes(other / "old.png", "not ours");
  writeBytes(other / "cvrd" / "07.jpg", "not ours");
  writePack("dop.qd", {{"title.png", pictureBytes(30, 8)},
                       {"bottom.png", pictureBytes(20, 4)},
                       {"unnamed.png", pictureBytes(20, 4)}});
  writePack("cvrd.qd", {{"01.gif", pictureBytes(8, 8)},
                        {"01.jpg", pictureBytes(8, 8, Qt::green)},
                        {"01.png", pictureBytes(8, 8)},
                        {"02.tif", pictureBytes(8, 8)},
                        {"05.jpg", pictureBytes(8, 8)}});
  start();
  EXPECT_TRUE(ends.empty());
  EXPECT_EQ(middleColour(browser().Image1(0).Picture()), QColor(Qt::green));
  EXPECT_TRUE(filesIn(picturesFolder()).empty());
  EXPECT_TRUE(filesIn(coversFolder()).empty());
  EXPECT_EQ(filesIn(other), std::vector<std::string>{"old.png"});
  EXPECT_EQ(filesIn(other / "cvrd"), std::vector<std::string>{"07.jpg"});
}

TEST_F(CollectionReading, WritesNoMemberOutsideItsFolderAndTouchesNoFileItDidNotWrite) {
  writeTypicalCollection(1);
  // A file of the user's beside the player's folder, and one an earlier run left.
  writeBytes(tmp / "mine.png", pictureBytes(5, 5));
  fs::create_directory(tmp / "Quendrel-old");
  writeBytes(tmp / "Quendrel-old" / "stale.png", pictureBytes(5, 5));
  writePack("dop.qd", {{"title.png", pictureBytes(30, 8)}});
  // packFiles refuses such names: write the crafted pack by hand.
  store::ByteWriter out;
  out.writeLong(store::PACK_FILE_HEADER);
  const auto record = [&](std::int32_t number, const std::string& name, const std::string& bytes) {
    out.writeLong(3);
    out.writeLong(number);
    out.writeInteger(8);
    out.writeInteger(static_cast<std::int16_t>(name.size()));
    out.writeBytes(name);
    out.writeLong(static_cast<std::int32_t>(bytes.size()));
    out.writeWord(static_cast<std::uint16_t>(bytes.size()));
    out.writeBytes(bytes);
  };
  record(1, "../escaped.png", pictureBytes(5, 5));
  record(2, "", "nameless");
  record(3, "title.png", pictureBytes(30, 8, Qt::blue));
  const auto bytes = out.take();
  writeBytes(disc / "dop.qd", std::string(bytes.begin(), bytes.end()));
  auto data = projectData();
  data.titlePicFile = "../mine.png";
  data.bottomPicFile = "stale.png";
  writeProjectData(data);
  start();
  EXPECT_TRUE(ends.empty());
  EXPECT_FALSE(fs::exists(tmp / "escaped.png"));
  EXPECT_TRUE(fs::exists(tmp / "mine.png"));
  EXPECT_TRUE(browser().ImageTorvel.Picture().isEmpty());
  EXPECT_TRUE(browser().Image10.Picture().isEmpty());
  // The member the project data does not name is gone; the stale file stays.
  EXPECT_TRUE(filesIn(picturesFolder()).empty());
  EXPECT_EQ(filesIn(tmp / "Quendrel-old"), std::vector<std::string>{"stale.png"});
}

// The folder is made new, so a link planted where a player's folder might
// be is never written through.
TEST_F(CollectionReading, UnpacksThroughNoLinkInTheTemporaryFolder) {
  writeTypicalCollection(1);
  TempFolder elsewhere;
  fs::create_directory_symlink(elsewhere.path(), tmp / ("Quendrel-" + std::to_string(::geteuid())));
  fs::create_directory_symlink(elsewhere.path(), tmp / "Quendrel-XXXXXX");
  start();
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(fs::is_empty(elsewhere.path()));
  struct stat st{};
  ASSERT_EQ(::lstat(picturesFolder().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(middleColour(browser().ImageTorvel.Picture()), QColor(Qt::blue));
}

struct CoverCase {
  std::vector<std::string> files;  // in the pack, in this order
  std::string taken;
};

TEST_F(CollectionReading, TakesTheCoverByItsExtensionOrder) {
  const CoverCase cases[] = {
      {{"01.gif", "01.jpg"}, "01.jpg"},
      {{"01.jpeg", "01.gif", "01.bmp"}, "01.bmp"},
      {{"01.jpeg", "01.gif"}, "01.gif"},
      {{"01.jpeg"}, "01.jpeg"},
      {{"01.JPG", "01.bmp"}, "01.JPG"},
      {{"01.png"}, ""},
  };
  addAlbums(1);
  writeProjectData(projectData());
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, std::string>> members;
    for (std::size_t i = 0; i < c.files.size(); ++i)
      members.emplace_back(c.files[i], pictureBytes(8, 8, QColor(10 + static_cast<int>(i) * 40, 0, 0)));
    writePack("cvrd.qd", members);
    start();
    EXPECT_TRUE(filesIn(coversFolder()).empty()) << c.taken;
    if (c.taken.empty()) {
      EXPECT_TRUE(browser().Image1(0).Picture().pixmap().toImage() == artwork::defaultCover().pixmap().toImage())
          << "the default cover";
      EXPECT_EQ(browser().Image1(0).Picture().pixmap().width(), 200) << "the default cover";
    } else {
      const auto at = std::find(c.files.begin(), c.files.end(), c.taken) - c.files.begin();
      EXPECT_EQ(middleColour(browser().Image1(0).Picture()), QColor(10 + static_cast<int>(at) * 40, 0, 0)) << c.taken;
    }
  }
}

// Pictures of a 36-megapixel camera, more than Qt decodes by default: the
// intro, title and bottom pictures whole, as their windows take their size;
// the covers at the size of the biggest picture that draws them.
TEST_F(CollectionReading, ShowsCameraPicturesTheCoversAtTheSizeShown) {
  const QColor colour(30, 90, 160);
  const QByteArray camera = controls::jpegFile({7360, 4912}, colour);
  auto data = projectData();
  data.initPicFile = "intro.jpg";
  data.titlePicFile = "title.jpg";
  data.bottomPicFile = "bottom.jpg";
  writeProjectData(data);
  writePack("dop.qd", {{"title.jpg", camera.toStdString()},
                       {"bottom.jpg", camera.toStdString()},
                       {"intro.jpg", camera.toStdString()}});
  const QByteArray huge = controls::withClaimedSize(controls::gifFile({8, 8}, Qt::red), {65535, 65535});
  writePack("cvrd.qd", {{"01.jpg", camera.toStdString()}, {"02.gif", huge.toStdString()}});
  addAlbums(2);
  expectIntro([](Form4& intro) { EXPECT_EQ(intro.Width(), 7360 * 15); });
  start();
  EXPECT_TRUE(introShown);
  EXPECT_EQ(browser().ImageTorvel.Width(), 7360 * 15);
  EXPECT_EQ(browser().Image10.Height(), 4912 * 15);
  EXPECT_EQ(middleColour(browser().ImageTorvel.Picture()), colour);

  const controls::Picture& cover = browser().Image1(0).Picture();
  EXPECT_EQ(cover.size(), QSize(7360, 4912));
  EXPECT_TRUE(controls::keptAsShownIn(cover, browser().mainIMG));
  EXPECT_EQ(middleColour(cover), colour);
  EXPECT_TRUE(browser().mainIMG.Picture() == cover);
  // A cover that cannot be held leaves the default one, and start-up goes on.
  EXPECT_TRUE(browser().Image1(1).Picture().pixmap().toImage() == artwork::defaultCover().pixmap().toImage());
  EXPECT_TRUE(filesIn(coversFolder()).empty());
  EXPECT_TRUE(ends.empty());
}

// Tiny files whose headers claim pictures that would take gigabytes to
// decode: the player leaves them out from their headers, takes next to no
// memory for them and goes on with what does fit.
TEST_F(CollectionReading, PicturesClaimingMoreThanTheBudgetAreLeftOutFromTheirHeaders) {
  const QByteArray rle = controls::withClaimedSize(controls::bmpFile({16, 16}, Qt::red), {16000, 16000});
  const QByteArray progressive =
      controls::withClaimedSize(controls::progressiveJpegFile({16, 16}, Qt::red), {30000, 30000});
  auto data = projectData();
  data.initPicFile = "intro.bmp";
  data.titlePicFile = "title.bmp";
  data.bottomPicFile = "bottom.bmp";
  writeProjectData(data);
  writePack("dop.qd",
            {{"title.bmp", rle.toStdString()}, {"bottom.bmp", rle.toStdString()}, {"intro.bmp", rle.toStdString()}});
  writePack("cvrd.qd", {{"01.jpg", progressive.toStdString()}, {"02.jpg", pictureBytes(40, 40, Qt::green)}});
  addAlbums(2);
  const qint64 peakBefore = controls::peakResidentBytes();
  expectIntro([](Form4& intro) { EXPECT_TRUE(intro.Image1.Picture().isEmpty()); });
  start();
  EXPECT_TRUE(introShown);
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(browser().ImageTorvel.Picture().isEmpty());
  EXPECT_TRUE(browser().Image10.Picture().isEmpty());
  EXPECT_TRUE(browser().Image1(0).Picture().pixmap().toImage() == artwork::defaultCover().pixmap().toImage());
  EXPECT_EQ(middleColour(browser().Image1(1).Picture()), QColor(Qt::green));
  EXPECT_TRUE(filesIn(picturesFolder()).empty());
  EXPECT_TRUE(filesIn(coversFolder()).empty());
  EXPECT_LT(controls::peakResidentBytes() - peakBefore, qint64(64) << 20);
}

// The icon, the intro, title and bottom pictures and the covers share one
// budget, each counted as the player holds it: the intro whole and once
// more for the window of its size that shows it, the title and bottom
// whole, the icon and the covers at the size they are drawn. What does not
// fit in what the others left is left out; what does, is shown.
TEST_F(CollectionReading, TheDiscsPicturesShareOneBudget) {
  constexpr qint64 kMegabyte = qint64(1) << 20;
  const controls::ScopedPictureBudget budget(5 * kMegabyte);
  auto data = projectData();
  data.iconFile = "disc.gif";
  data.initPicFile = "intro.jpg";    // 0.8 MB, and its window
  data.titlePicFile = "title.jpg";   // 2 MB
  data.bottomPicFile = "bottom.jpg"; // 2 MB: no longer fits
  writeProjectData(data);
  writeBytes(disc / "disc.gif", controls::gifFile({1000, 1000}, Qt::blue).toStdString());
  const auto jpeg = [](QSize size) { return controls::jpegFile(size, Qt::red).toStdString(); };
  writePack("dop.qd",
            {{"title.jpg", jpeg({1000, 500})}, {"bottom.jpg", jpeg({1000, 500})}, {"intro.jpg", jpeg({500, 400})}});
  writePack("cvrd.qd",
            {// A third of a megabyte at the size shown.
             {"01.jpg", jpeg({2000, 2000})},
             // Its decoder holds 3 MB of coefficients, however small it decodes.
             {"02.jpg", controls::progressiveJpegFile({1000, 1000}, Qt::red).toStdString()},
             {"03.jpg", jpeg({2000, 2000})}});
  addAlbums(3);
  expectIntro([](Form4& intro) { EXPECT_EQ(intro.Image1.Picture().size(), QSize(500, 400)); });
  start();
  EXPECT_TRUE(introShown);
  EXPECT_EQ(browser().Icon().size(), QSize(1000, 1000));
  EXPECT_EQ(browser().Icon().pixmap().size(), QSize(256, 256));
  EXPECT_EQ(browser().ImageTorvel.Picture().size(), QSize(1000, 500));
  EXPECT_TRUE(browser().Image10.Picture().isEmpty());
  const QImage defaultCover = artwork::defaultCover().pixmap().toImage();
  EXPECT_EQ(browser().Image1(0).Picture().size(), QSize(2000, 2000));
  EXPECT_TRUE(browser().Image1(1).Picture().pixmap().toImage() == defaultCover);
  EXPECT_EQ(browser().Image1(2).Picture().size(), QSize(2000, 2000));
  EXPECT_TRUE(filesIn(coversFolder()).empty());
  EXPECT_TRUE(ends.empty());
}

}  // namespace
}  // namespace player::testing_support
