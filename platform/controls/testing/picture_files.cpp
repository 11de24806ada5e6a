#include "picture_files.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <map>
#include <tuple>

#include "twips.h"

namespace controls {
namespace {

void putWord(QByteArray& bytes, int at, int value) {
  bytes[at] = char(value & 0xFF);
  bytes[at + 1] = char((value >> 8) & 0xFF);
}

void appendWord(QByteArray& bytes, int value) {
  bytes.append(char(value & 0xFF));
  bytes.append(char((value >> 8) & 0xFF));
}

void appendLong(QByteArray& bytes, quint32 value) {
  appendWord(bytes, int(value & 0xFFFF));
  appendWord(bytes, int(value >> 16));
}

}  // namespace

QByteArray jpegFile(QSize size, QColor colour) {
  static std::map<std::tuple<int, int, QRgb>, QByteArray> written;
  QByteArray& bytes = written[{size.width(), size.height(), colour.rgb()}];
  if (bytes.isEmpty()) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
  }
  return bytes;
}

QByteArray gifFile(QSize size, QColor colour) {
  QByteArray bytes("GIF89a");
  appendWord(bytes, size.width());
  appendWord(bytes, size.height());
  // A global colour table of two entries, the first the background.
  bytes.append("\x80\x00\x00", 3);
  bytes.append(char(colour.red())).append(char(colour.green())).append(char(colour.blue()));
  bytes.append("\x00\x00\x00", 3);
  // One frame of one pixel at the top left, of the background colour: the
  // LZW codes clear, 0 and end.
  bytes.append(',');
  appendWord(bytes, 0);
  appendWord(bytes, 0);
  appendWord(bytes, 1);
  appendWord(bytes, 1);
  bytes.append('\x00');
  bytes.append("\x02\x02\x44\x01\x00;", 6);
  return bytes;
}

QByteArray bmpFile(QSize size, QColor colour) {
  // Every row runs of at most 255 pixels of palette entry 0, then the end
  // of the row; the last row ends the picture.
  QByteArray pixels;
  for (int y = 0; y < size.height(); ++y) {
    for (int left = size.width(); left > 0; left -= 255) {
      pixels.append(char(std::min(left, 255)));
      pixels.append('\x00');
    }
    pixels.append('\x00');
    pixels.append(y == size.height() - 1 ? '\x01' : '\x00');
  }
  constexpr int kHeaders = 14 + 40;
  constexpr int kPalette = 2 * 4;
  QByteArray bytes("BM");
  appendLong(bytes, quint32(kHeaders + kPalette + pixels.size()));
  appendLong(bytes, 0);
  appendLong(bytes, kHeaders + kPalette);
  appendLong(bytes, 40);
  appendLong(bytes, quint32(size.width()));
  appendLong(bytes, quint32(size.height()));
  appendWord(bytes, 1);  // planes
  appendWord(bytes, 8);  // bits a pixel
  appendLong(bytes, 1);  // run-length coded, 8 bits
  appendLong(bytes, quint32(pixels.size()));
  appendLong(bytes, 2835);
  appendLong(bytes, 2835);
  appendLong(bytes, 2);  // colours used
  appendLong(bytes, 2);
  bytes.append(char(colour.blue())).append(char(colour.green())).append(char(colour.red())).append('\x00');
  bytes.append("\x00\x00\x00\x00", 4);
  return bytes + pixels;
}

QByteArray withClaimedSize(QByteArray file, QSize size) {
  if (file.startsWith("GIF")) {
    putWord(file, 6, size.width());
    putWord(file, 8, size.height());
  } else if (file.startsWith("BM")) {
    for (int i = 0; i < 4; ++i) {
      file[18 + i] = char((quint32(size.width()) >> (8 * i)) & 0xFF);
      file[22 + i] = char((quint32(size.height()) >> (8 * i)) & 0xFF);
    }
  } else {
    // The frame header: marker FF C0 (or another start of frame), length,
    // precision, then height and width, high byte first.
    for (int at = 2; at + 9 < file.size(); ++at) {
      const auto marker = uchar(file[at + 1]);
      if (uchar(file[at]) == 0xFF && marker >= 0xC0 && marker <= 0xC2) {
        file[at + 5] = char(size.height() >> 8);
        file[at + 6] = char(size.height() & 0xFF);
        file[at + 7] = char(size.width() >> 8);
        file[at + 8] = char(size.width() & 0xFF);
        break;
      }
    }
  }
  return file;
}

bool keptAsShownIn(const Picture& picture, const Element& control) {
  const QSize kept = picture.pixmap().size();
  const QSize shown(twipsToPixels(control.Width()), twipsToPixels(control.Height()));
  return kept.width() >= shown.width() && kept.height() >= shown.height() &&
         (kept.width() <= shown.width() + 1 || kept.height() <= shown.height() + 1);
}

}  // namespace controls
