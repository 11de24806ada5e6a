// Big pictures: held whole where their size counts, at the size shown where
// only a stretched control draws them, and refused with "Out of memory" when
// they cannot be held: all the pictures of the program share one budget,
// which counts what their decoders take on the way, reckoned from the
// files' headers before any pixel is decoded.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>
#include <gtest/gtest.h>

#include "picture.h"
#include "picture_budget.h"
#include "picture_cost.h"
#include "picture_files.h"
#include "store_error.h"

namespace controls {
namespace {

const QColor kColour(200, 60, 40);

// The colour at the middle of what the picture draws (JPEG may move it a
// step or two).
bool middleIsTheColour(const Picture& picture) {
  const QPixmap& pixmap = picture.pixmap();
  const QColor middle = pixmap.copy(pixmap.width() / 2, pixmap.height() / 2, 1, 1).toImage().pixelColor(0, 0);
  return std::abs(middle.red() - kColour.red()) <= 3 && std::abs(middle.green() - kColour.green()) <= 3 &&
         std::abs(middle.blue() - kColour.blue()) <= 3;
}

std::string failure(const std::function<void()>& load) {
  try {
    load();
  } catch (const store::StoreError& e) {
    return e.what();
  }
  return "loaded";
}

class LargePictures : public ::testing::Test {
 protected:
  QString write(const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  QTemporaryDir dir;
};

struct BigCase {
  const char* name;
  QByteArray bytes;
  QSize size;
};

// Qt decodes no more than 128 MB unless told otherwise: 33.5 megapixels.
TEST_F(LargePictures, LoadWholeFarPastWhatQtDecodesByDefault) {
  const BigCase cases[] = {
      {"camera.jpg", jpegFile({7360, 4912}, kColour), {7360, 4912}},
      {"hundred-megapixels.bmp", bmpFile({10000, 10000}, kColour), {10000, 10000}},
  };
  for (const BigCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = LoadPicture(write(c.name, c.bytes));
    EXPECT_EQ(picture.size(), c.size);
    EXPECT_EQ(picture.pixmap().size(), c.size);
    EXPECT_EQ(picture.Width(), c.size.width() * 15);
    EXPECT_TRUE(middleIsTheColour(picture));
  }
}

TEST_F(LargePictures, StretchedControlsKeepThemAtTheSizeShownAndTheirOwnSize) {
  struct Case {
    const char* name;
    QByteArray bytes;
    QSize size;
    QSize kept;  // the least of its proportions that covers 200 x 100 pixels
  };
  const Case cases[] = {
      {"camera.jpg", jpegFile({7360, 4912}, kColour), {7360, 4912}, {200, 134}},
      {"square.gif", gifFile({6000, 6000}, kColour), {6000, 6000}, {200, 200}},
      {"tall.bmp", bmpFile({4912, 7360}, kColour), {4912, 7360}, {200, 300}},
      {"small.jpg", jpegFile({40, 20}, kColour), {40, 20}, {40, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = LoadPicture(write(c.name, c.bytes), QSizeF(3000, 1500));
    EXPECT_EQ(picture.pixmap().size(), c.kept);
    EXPECT_EQ(picture.size(), c.size);
    EXPECT_EQ(picture.Height(), c.size.height() * 15);
    EXPECT_TRUE(middleIsTheColour(picture));
  }
}

TEST_F(LargePictures, OneThatCannotBeHeldIsOutOfMemoryNotInvalid) {
  // Small files whose headers claim more than a gigabyte of pixels.
  const BigCase cases[] = {
      {"claims.jpg", withClaimedSize(jpegFile({16, 16}, kColour), {30000, 30000}), {}},
      {"claims.gif", withClaimedSize(gifFile({16, 16}, kColour), {65535, 65535}), {}},
      {"claims.bmp", withClaimedSize(bmpFile({16, 16}, kColour), {40000, 40000}), {}},
  };
  for (const BigCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = write(c.name, c.bytes);
    EXPECT_EQ(failure([&] { LoadPicture(path); }), "Out of memory");
  }
  // GIF and BMP decode whole before they are scaled down, for any control.
  for (const char* name : {"claims.gif", "claims.bmp"})
    EXPECT_EQ(failure([&] { LoadPicture(dir.filePath(name), QSizeF(3000, 3000)); }), "Out of memory") << name;
  EXPECT_EQ(failure([&] { LoadPicture(write("broken.jpg", jpegFile({16, 16}, kColour).left(40))); }),
            "Invalid picture");
}

// Tiny files whose headers claim pictures that would take gigabytes on
// their way: refused before their decoders start, so that they take
// nothing and no time.
TEST_F(LargePictures, ClaimsBeyondTheBudgetAreRefusedFromTheHeaderAlone) {
  const QSizeF cover(3000, 3000);
  struct Case {
    const char* name;
    QByteArray bytes;
    std::optional<QSizeF> shownAt;  // none: whole
  };
  const Case cases[] = {
      // Its decoder holds the coefficients of all 900 megapixels, however
      // small it decodes.
      {"progressive.jpg", withClaimedSize(progressiveJpegFile({16, 16}, kColour), {30000, 30000}), cover},
      // Palette bytes, and then 32-bit pixels to draw.
      {"rle.bmp", withClaimedSize(bmpFile({16, 16}, kColour), {16000, 16000}), {}},
      // A transparent screen is copied once more to be scaled.
      {"screen.gif", withClaimedSize(transparentGifFile({16, 16}, kColour), {16000, 16000}), cover},
      // Too big to count.
      {"widest.bmp", withClaimedSize(bmpFile({16, 16}, kColour), {2147483647, 2147483647}), {}},
      {"widest-shown.bmp", withClaimedSize(bmpFile({16, 16}, kColour), {2147483647, 2147483647}), cover},
  };
  EXPECT_LT(cases[0].bytes.size(), 1024);
  const qint64 peakBefore = peakResidentBytes();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = write(c.name, c.bytes);
    EXPECT_EQ(failure([&] { c.shownAt ? LoadPicture(path, *c.shownAt) : LoadPicture(path); }), "Out of memory");
  }
  EXPECT_LT(peakResidentBytes() - peakBefore, qint64(64) << 20);
}

TEST(PictureCost, ClaimsTooBigToCountCostMoreThanAnyBudget) {
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"bmp", withClaimedSize(bmpFile({16, 16}, kColour), {2147483647, 2147483647})},
      {"24-bit bmp", withClaimedSize(trueColourBmpFile({16, 16}, kColour), {2147483647, 2147483647})},
      {"gif", withClaimedSize(transparentGifFile({16, 16}, kColour), {65535, 65535})},
      {"progressive jpeg", withClaimedSize(progressiveJpegFile({16, 16}, kColour), {65535, 65535})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QByteArray bytes = c.bytes;
    QBuffer file(&bytes);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const PictureHeader header = readPictureHeader(file);
    ASSERT_TRUE(header.sizeKnown());
    for (const QSize shown : {QSize(), QSize(1, 1)}) {
      const PictureCost cost = decodingCost(header, shown);
      EXPECT_GT(cost.peak, kPictureBudget) << shown.width();
      EXPECT_GE(cost.peak, cost.held) << shown.width();
      EXPECT_GT(cost.held, 0) << shown.width();
    }
  }
}

class PictureBudgetTest : public LargePictures {
 protected:
  // What each picture below costs is the budget's business, not the
  // system's free memory: the budget is kept far below it.
  static constexpr qint64 kMegabyte = qint64(1) << 20;
};

// Two pictures of the same size, and a budget that holds what the cheaper
// one takes but not what the dearer one's decoder takes beside it.
TEST_F(PictureBudgetTest, WhatADecoderTakesOnTheWayCounts) {
  struct Case {
    const char* what;
    QByteArray cheap;
    QByteArray dear;
    std::optional<QSizeF> shownAt;
    qint64 budget;
  };
  const QSizeF small(1500, 1500);  // 100 pixels
  const Case cases[] = {
      // 4 MB whole; a progressive one holds 3 MB of coefficients beside.
      {"progressive", jpegFile({1000, 1000}, kColour), progressiveJpegFile({1000, 1000}, kColour), {}, 5 * kMegabyte},
      // Decoded at an eighth, a third of a megabyte; but the coefficients
      // of the whole picture are held when the first scan leaves
      // components for later.
      {"scan by scan", jpegFile({2000, 2000}, kColour), withFirstScanOfOneComponent(jpegFile({2000, 2000}, kColour)),
       small, 4 * kMegabyte},
      // 4 MB of screen either way; a transparent one is copied to scale.
      {"transparent", gifFile({1000, 1000}, kColour), transparentGifFile({1000, 1000}, kColour), small, 6 * kMegabyte},
      // 4 MB either way, and the palette bytes before them.
      {"palette", trueColourBmpFile({1000, 1000}, kColour), bmpFile({1000, 1000}, kColour), {}, 9 * kMegabyte / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScopedPictureBudget budget(c.budget);
    const QString cheap = write("cheap", c.cheap);
    const QString dear = write("dear", c.dear);
    const auto load = [&](const QString& path) { return c.shownAt ? LoadPicture(path, *c.shownAt) : LoadPicture(path); };
    EXPECT_EQ(failure([&] { load(cheap); }), "loaded");
    EXPECT_EQ(failure([&] { load(dear); }), "Out of memory");
  }
}

TEST_F(PictureBudgetTest, AHeldPictureCountsUntilItsLastCopyGoes) {
  const ScopedPictureBudget budget(10 * kMegabyte);
  const QString path = write("four-megabytes.jpg", jpegFile({1000, 1000}, kColour));
  std::optional<Picture> first = LoadPicture(path);
  std::optional<Picture> copy = first;
  const Picture second = LoadPicture(path);
  EXPECT_EQ(failure([&] { LoadPicture(path); }), "Out of memory");
  first.reset();
  EXPECT_EQ(failure([&] { LoadPicture(path); }), "Out of memory") << "a copy still holds it";
  copy.reset();
  EXPECT_EQ(failure([&] { LoadPicture(path); }), "loaded");
  // One that fails gives back what it took for its decode.
  write("broken.jpg", jpegFile({1000, 1000}, kColour).left(600));
  EXPECT_EQ(failure([&] { LoadPicture(dir.filePath("broken.jpg")); }), "Invalid picture");
  EXPECT_EQ(failure([&] { LoadPicture(path); }), "loaded");
}

// A camera's picture kept for a small control holds what it is kept at:
// many of them fit where one whole does not.
TEST_F(PictureBudgetTest, APictureKeptSmallHoldsWhatItIsKeptAt) {
  const ScopedPictureBudget budget(4 * kMegabyte);
  const QString path = write("camera.jpg", jpegFile({4000, 3000}, kColour));
  std::vector<Picture> covers;
  for (int i = 0; i < 30; ++i) ASSERT_NO_THROW(covers.push_back(LoadPicture(path, QSizeF(1500, 1500)))) << i;
  EXPECT_EQ(covers.back().size(), QSize(4000, 3000));
  EXPECT_EQ(failure([&] { LoadPicture(path); }), "Out of memory");
}

}  // namespace
}  // namespace controls
