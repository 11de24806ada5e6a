#include "picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <map>
#include <tuple>

#include <sys/resource.h>

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

QByteArray progressiveJpegFile(QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setProgressiveScanWrite(true);
  writer.write(image);
  return bytes;
}

QByteArray withFirstScanOfOneComponent(QByteArray jpeg) {
  const int scan = int(jpeg.indexOf("\xFF\xDA"));
  if (scan < 0) return jpeg;
  const int length = int(uchar(jpeg[scan + 2])) << 8 | int(uchar(jpeg[scan + 3]));
  // Its length, one component with the tables of the first, and the whole
  // spectrum.
  const QByteArray oneComponent =
      QByteArray("\xFF\xDA\x00\x08\x01", 5) + jpeg.mid(scan + 5, 2) + QByteArray("\x00\x3F\x00", 3);
  return jpeg.replace(scan, 2 + length, oneComponent);
}

namespace {

QByteArray gifBytes(QSize size, QColor colour, bool transparent) {
  QByteArray bytes("GIF89a");
  appendWord(bytes, size.width());
  appendWord(bytes, size.height());
  // A global colour table of two entries, the first the background.
  bytes.append("\x80\x00\x00", 3);
  bytes.append(char(colour.red())).append(char(colour.green())).append(char(colour.blue()));
  bytes.append("\x00\x00\x00", 3);
  // Colour 1 transparent.
  if (transparent) bytes.append("\x21\xF9\x04\x01\x00\x00\x01\x00", 8);
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

}  // namespace

QByteArray gifFile(QSize size, QColor colour) { return gifBytes(size, colour, false); }

QByteArray transparentGifFile(QSize size, QColor colour) { return gifBytes(size, colour, true); }

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

QByteArray trueColourBmpFile(QSize size, QColor colour) {
  const int rowBytes = (size.width() * 3 + 3) / 4 * 4;
  QByteArray row(rowBytes, '\x00');
  for (int x = 0; x < size.width(); ++x) {
    row[3 * x] = char(colour.blue());
    row[3 * x + 1] = char(colour.green());
    row[3 * x + 2] = char(colour.red());
  }
  constexpr int kHeaders = 14 + 40;
  QByteArray bytes("BM");
  appendLong(bytes, quint32(kHeaders + rowBytes * size.height()));
  appendLong(bytes, 0);
  appendLong(bytes, kHeaders);
  appendLong(bytes, 40);
  appendLong(bytes, quint32(size.width()));
  appendLong(bytes, quint32(size.height()));
  appendWord(bytes, 1);   // planes
  appendWord(bytes, 24);  // bits a pixel
  appendLong(bytes, 0);   // not compressed
  appendLong(bytes, quint32(rowBytes * size.height()));
  appendLong(bytes, 2835);
  appendLong(bytes, 2835);
  appendLong(bytes, 0);
  appendLong(bytes, 0);
  return bytes + row.repeated(size.height());
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

qint64 peakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return qint64(usage.ru_maxrss) * 1024;
}

bool keptAsShownIn(const Picture& picture, const Element& control) {
  const QSize kept = picture.pixmap().size();
  const QSize shown(twipsToPixels(control.Width()), twipsToPixels(control.Height()));
  return kept.width() >= shown.width() && kept.height() >= shown.height() &&
         (kept.width() <= shown.width() + 1 || kept.height() <= shown.height() + 1);
}

}  // namespace controls
