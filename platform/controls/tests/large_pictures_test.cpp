// Big pictures: held whole where their size counts, at the size shown where
// only a stretched control draws them, and refused with "Out of memory" when
// they cannot be held.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

#include "picture.h"
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

}  // namespace
}  // namespace controls
