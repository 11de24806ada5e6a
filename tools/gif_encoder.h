#pragma once
// A small GIF writer for the pictures the build makes: a colour reduction to
// a palette of at most 256 entries, and the GIF89a file of one opaque,
// non-interlaced image with LZW-compressed data. Both are deterministic: the
// same image gives the same bytes on every run.

#include <QImage>
#include <cstdint>
#include <vector>

namespace sample_data {

// An image as GIF stores it: one palette index a pixel, row by row.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<QRgb> palette;          // at most 256 opaque colours
  std::vector<std::uint8_t> indices;  // width × height entries
};

// The image's colours reduced to at most `maxColours` (2 to 256) by median
// cut, each pixel taking the nearest palette colour. An image with no more
// colours than that keeps them exactly. Alpha is ignored.
IndexedImage reduceColours(const QImage& image, int maxColours = 256);

// The GIF file of `image`.
std::vector<std::uint8_t> encodeGif(const IndexedImage& image);

}  // namespace sample_data
