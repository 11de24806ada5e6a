// Twips geometry, colours and pictures: the values the windows set and read.
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "colors.h"
#include "form.h"
#include "image.h"
#include "label.h"
#include "picture.h"
#include "store_error.h"
#include "twips.h"

namespace controls {
namespace {

class Sheet : public Form {
 public:
  Sheet() : Form("Sheet") {}
  Label Label1{*this, "Label1"};
  Image Image1{*this, "Image1"};
};

TEST(TwipsGeometry, ReadsBackExactlyWhatWasSetAndMapsToWholePixels) {
  struct Case {
    double left, top, width, height;
    QRect pixels;
  };
  const Case cases[] = {
      {0, 0, 750, 750, {0, 0, 50, 50}},
      {6960, 90, 1650, 900, {464, 6, 110, 60}},
      {1350.0 / 2, 7, 105, 240, {45, 0, 7, 16}},  // 675 and fractions of a pixel
      {-75, 22.5, 37.5, 7.5, {-5, 2, 2, 0}},      // halves go to the even pixel
  };
  Sheet sheet;
  for (const Case& c : cases) {
    sheet.Label1.Move(c.left, c.top, c.width, c.height);
    EXPECT_EQ(sheet.Label1.Left(), c.left);
    EXPECT_EQ(sheet.Label1.Top(), c.top);
    EXPECT_EQ(sheet.Label1.Width(), c.width);
    EXPECT_EQ(sheet.Label1.Height(), c.height);
    EXPECT_EQ(sheet.Label1.widget()->geometry(), c.pixels) << c.left << "," << c.top;
  }
  // Each property alone changes only itself.
  sheet.Label1.setWidth(1000.5);
  EXPECT_EQ(sheet.Label1.Width(), 1000.5);
  EXPECT_EQ(sheet.Label1.Height(), 7.5);
}

TEST(TwipsGeometry, FormSizeIsItsClientArea) {
  Sheet sheet;
  sheet.setBorderStyle(0);
  sheet.Move(300, 150, 8880, 6750);
  EXPECT_EQ(sheet.widget()->size(), QSize(592, 450));
  EXPECT_EQ(sheet.ScaleWidth(), 8880);
  EXPECT_EQ(sheet.Height(), 6750);
}

TEST(Colors, AreBgrValuesBothWays) {
  struct Case {
    OleColor value;
    QColor color;
  };
  const Case cases[] = {
      {0xFFC0C0, QColor(0xC0, 0xC0, 0xFF)},  // pale blue of the song labels
      {0x00FFFF, QColor(0xFF, 0xFF, 0x00)},  // yellow
      {0x80C0FF, QColor(0xFF, 0xC0, 0x80)},  // light orange
      {0x000000, QColor(0, 0, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toQColor(c.value), c.color) << std::hex << c.value;
    EXPECT_EQ(fromQColor(c.color), c.value);
  }
  EXPECT_EQ(RGB(255, 0, 0), 0x0000FFu);
  EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
  EXPECT_EQ(RGB(256 + 7, 0, 0), 7u);
}

TEST(Colors, ReadBackAsSetAndPaintTheWidget) {
  Sheet sheet;
  EXPECT_EQ(sheet.Label1.BackColor(), vbButtonFace);
  sheet.Label1.setBackColor(0xE0E0E0);
  sheet.Label1.setForeColor(0x80C0FF);
  EXPECT_EQ(sheet.Label1.BackColor(), 0xE0E0E0u);
  EXPECT_EQ(sheet.Label1.widget()->palette().color(QPalette::WindowText), QColor(0xFF, 0xC0, 0x80));
}

TEST(Pictures, LoadEveryFormatTheWindowsOffer) {
  QTemporaryDir dir;
  // Qt reads GIF but does not write it: a 1 x 1 one, byte by byte.
  static const char gif[] =
      "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00"
      ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;";
  QFile gifFile(dir.filePath("dot.GIF"));
  ASSERT_TRUE(gifFile.open(QIODevice::WriteOnly));
  gifFile.write(gif, sizeof gif - 1);
  gifFile.close();
  EXPECT_EQ(LoadPicture(gifFile.fileName()).Width(), 15);

  QImage source(12, 8, QImage::Format_RGB32);
  source.fill(Qt::red);
  for (const char* format : {"bmp", "jpg", "jpeg", "ico"}) {
    const QString path = dir.filePath(QString("pic.") + format);
    ASSERT_TRUE(source.save(path, format)) << format;
    const Picture picture = LoadPicture(path);
    EXPECT_FALSE(picture.isEmpty()) << format;
    EXPECT_EQ(picture.Width(), 12 * 15) << format;
    EXPECT_EQ(picture.Height(), 8 * 15) << format;
  }
  EXPECT_TRUE(LoadPicture().isEmpty());
}

TEST(Pictures, FailuresCarryTheirDescription) {
  QTemporaryDir dir;
  const QString garbage = dir.filePath("not-a-picture.jpg");
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("this is no picture");
  file.close();
  auto description = [](const QString& path) {
    try {
      LoadPicture(path);
    } catch (const store::StoreError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(description(dir.filePath("missing.gif")), "File not found");
  EXPECT_EQ(description(garbage), "Invalid picture");
}

TEST(Pictures, ImageTakesThePictureSizeUnlessStretched) {
  QTemporaryDir dir;
  QImage source(40, 20, QImage::Format_RGB32);
  source.fill(Qt::blue);
  ASSERT_TRUE(source.save(dir.filePath("cover.bmp")));
  Sheet sheet;
  sheet.Image1.Move(2400, 480, 1095, 1095);
  sheet.Image1.setPicture(LoadPicture(dir.filePath("cover.bmp")));
  EXPECT_EQ(sheet.Image1.Width(), 600);
  EXPECT_EQ(sheet.Image1.Height(), 300);

  sheet.Image1.Move(2400, 480, 1095, 1095);
  sheet.Image1.setStretch(true);
  sheet.Image1.setPicture(LoadPicture(dir.filePath("cover.bmp")));
  EXPECT_EQ(sheet.Image1.Width(), 1095);
  EXPECT_EQ(sheet.Image1.Height(), 1095);
}

}  // namespace
}  // namespace controls
