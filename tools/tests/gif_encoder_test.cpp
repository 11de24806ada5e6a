// The GIF writer: what it writes must read back, pixel for pixel, through
// Qt's own GIF reader, across the LZW code widths and table resets.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QLinearGradient>
#include <cstdint>
#include <stdexcept>

#include "gif_encoder.h"

namespace sample_data {
namespace {

QImage decode(const std::vector<std::uint8_t>& bytes) {
  QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer, "gif");
  return reader.read();
}

// A pseudo-random image of `colours` palette entries; `runs` makes pixels
// repeat their left neighbour that often in 8 (long runs grow the table
// slowly, noise fills it fast).
IndexedImage pattern(int width, int height, int colours, int runs) {
  IndexedImage image;
  image.width = width;
  image.height = height;
  for (int i = 0; i < colours; ++i) image.palette.push_back(qRgb((i * 37) & 255, (i * 91) & 255, (i * 53 + 7) & 255));
  std::uint32_t seed = 12345;
  for (int i = 0; i < width * height; ++i) {
    seed = seed * 1103515245u + 12345u;
    const bool repeat = i > 0 && static_cast<int>((seed >> 16) & 7) < runs;
    image.indices.push_back(repeat ? image.indices.back() : static_cast<std::uint8_t>((seed >> 8) % colours));
  }
  return image;
}

TEST(GifEncoder, ReadsBackPixelForPixel) {
  struct Case {
    const char* what;
    IndexedImage image;
  };
  const Case cases[] = {
      {"one pixel of one colour", pattern(1, 1, 1, 0)},
      {"three colours, the smallest code size", pattern(7, 5, 3, 2)},
      {"noise of 256 colours, the table reset many times", pattern(160, 120, 256, 0)},
      {"noise of 16 colours", pattern(300, 200, 16, 1)},
      {"long runs up to 12-bit codes", pattern(400, 300, 4, 7)},
      {"one colour over a large picture", pattern(500, 500, 2, 8)},
      {"a width of one column", pattern(1, 333, 200, 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::uint8_t> bytes = encodeGif(c.image);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(bytes.back(), 0x3B);
    const QImage read = decode(bytes);
    ASSERT_FALSE(read.isNull());
    ASSERT_EQ(read.size(), QSize(c.image.width, c.image.height));
    int wrong = 0;
    for (int y = 0; y < read.height(); ++y)
      for (int x = 0; x < read.width(); ++x) {
        const QRgb want = c.image.palette[c.image.indices[static_cast<std::size_t>(y * c.image.width + x)]];
        if ((read.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF)) ++wrong;
      }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(GifEncoder, RefusesWhatAGifCannotHold) {
  IndexedImage image = pattern(4, 4, 4, 0);
  IndexedImage noPixels = image;
  noPixels.width = 0;
  IndexedImage shortData = image;
  shortData.indices.pop_back();
  IndexedImage outsidePalette = image;
  outsidePalette.indices[3] = 4;
  IndexedImage bigPalette = image;
  bigPalette.palette.resize(257);
  for (const IndexedImage* bad : {&noPixels, &shortData, &outsidePalette, &bigPalette})
    EXPECT_THROW(encodeGif(*bad), std::invalid_argument);
}

TEST(ColourReduction, KeepsFewColoursExactlyAndApproachesMany) {
  QImage flat(40, 30, QImage::Format_RGB32);
  flat.fill(qRgb(10, 20, 30));
  QPainter(&flat).fillRect(5, 5, 10, 10, qRgb(250, 128, 0));
  const IndexedImage kept = reduceColours(flat);
  ASSERT_EQ(kept.palette.size(), 2u);
  EXPECT_EQ(kept.palette[kept.indices[6 * 40 + 6]] & 0xFFFFFF, qRgb(250, 128, 0) & 0xFFFFFF);
  EXPECT_EQ(kept.palette[kept.indices[0]] & 0xFFFFFF, qRgb(10, 20, 30) & 0xFFFFFF);

  // A gradient of far more than 256 colours: each pixel stays close to its
  // own colour, and the same image always gives the same palette.
  QImage smooth(256, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) smooth.setPixel(x, y, qRgb(x, y, (x + y) / 2));
  const IndexedImage reduced = reduceColours(smooth);
  EXPECT_LE(reduced.palette.size(), 256u);
  int worst = 0;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const QRgb got = reduced.palette[reduced.indices[static_cast<std::size_t>(y * 256 + x)]];
      worst = std::max({worst, std::abs(qRed(got) - x), std::abs(qGreen(got) - y), std::abs(qBlue(got) - (x + y) / 2)});
    }
  EXPECT_LE(worst, 16);
  const IndexedImage again = reduceColours(smooth);
  EXPECT_EQ(again.palette, reduced.palette);
  EXPECT_EQ(again.indices, reduced.indices);

  const IndexedImage two = reduceColours(smooth, 2);
  EXPECT_EQ(two.palette.size(), 2u);
  EXPECT_THROW(reduceColours(smooth, 1), std::invalid_argument);
}

}  // namespace
}  // namespace sample_data
