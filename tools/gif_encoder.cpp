#include "gif_encoder.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace sample_data {
namespace {

// ---- Colour reduction --------------------------------------------------------

struct ColourCount {
  QRgb colour;
  std::uint64_t count;
};

int channel(QRgb c, int which) { return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c); }

// A box of median cut: a run of the colour list.
struct Box {
  std::size_t begin, end;
  int widestChannel = 0;
  int range = 0;
};

void measure(Box& box, const std::vector<ColourCount>& colours) {
  box.range = -1;
  for (int which = 0; which < 3; ++which) {
    int lo = 255, hi = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
      lo = std::min(lo, channel(colours[i].colour, which));
      hi = std::max(hi, channel(colours[i].colour, which));
    }
    if (hi - lo > box.range) {
      box.range = hi - lo;
      box.widestChannel = which;
    }
  }
}

QRgb meanColour(const Box& box, const std::vector<ColourCount>& colours) {
  std::array<std::uint64_t, 3> sum{};
  std::uint64_t weight = 0;
  for (std::size_t i = box.begin; i < box.end; ++i) {
    for (int which = 0; which < 3; ++which) sum[which] += channel(colours[i].colour, which) * colours[i].count;
    weight += colours[i].count;
  }
  const auto part = [&](int which) { return static_cast<int>((sum[which] + weight / 2) / weight); };
  return qRgb(part(0), part(1), part(2));
}

std::vector<QRgb> medianCut(std::vector<ColourCount> colours, int maxColours) {
  std::vector<Box> boxes{{0, colours.size()}};
  measure(boxes[0], colours);
  while (static_cast<int>(boxes.size()) < maxColours) {
    // The box with the widest spread is cut; ties go to the earlier box.
    std::size_t widest = boxes.size();
    for (std::size_t b = 0; b < boxes.size(); ++b)
      if (boxes[b].end - boxes[b].begin > 1 && (widest == boxes.size() || boxes[b].range > boxes[widest].range))
        widest = b;
    if (widest == boxes.size()) break;
    Box& box = boxes[widest];
    const int which = box.widestChannel;
    std::sort(colours.begin() + static_cast<std::ptrdiff_t>(box.begin),
              colours.begin() + static_cast<std::ptrdiff_t>(box.end),
              [which](const ColourCount& a, const ColourCount& b) {
                const int ca = channel(a.colour, which), cb = channel(b.colour, which);
                return ca != cb ? ca < cb : (a.colour & 0xFFFFFF) < (b.colour & 0xFFFFFF);
              });
    // Cut where half the pixels of the box lie on each side, never leaving
    // a side empty.
    std::uint64_t total = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) total += colours[i].count;
    std::uint64_t seen = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
      seen += colours[i].count;
      cut = i + 1;
      if (seen * 2 >= total) break;
    }
    Box upper{cut, box.end};
    box.end = cut;
    measure(box, colours);
    measure(upper, colours);
    boxes.push_back(upper);
  }
  std::vector<QRgb> palette;
  for (const Box& box : boxes) palette.push_back(meanColour(box, colours));
  return palette;
}

int distance(QRgb a, QRgb b) {
  const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
  return dr * dr + dg * dg + db * db;
}

// ---- LZW ----------------------------------------------------------------------

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

// Codes packed least significant bit first, as GIF reads them.
class BitWriter {
 public:
  void write(int code, int bits) {
    buffer_ |= static_cast<std::uint32_t>(code) << used_;
    used_ += bits;
    while (used_ >= 8) {
      bytes.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
      buffer_ >>= 8;
      used_ -= 8;
    }
  }
  void flush() {
    if (used_ > 0) bytes.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
    buffer_ = 0;
    used_ = 0;
  }
  std::vector<std::uint8_t> bytes;

 private:
  std::uint32_t buffer_ = 0;
  int used_ = 0;
};

// The LZW stream of the indices. A decoder adds a table entry for every code
// but the first after a clear, so it runs one entry behind the encoder; each
// code is written in the width that the decoder will read it with.
std::vector<std::uint8_t> compress(const std::vector<std::uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  BitWriter out;
  std::unordered_map<std::uint32_t, int> table;
  int next = end + 1;      // the encoder's next free code
  int sinceClear = 0;      // codes written since the last clear
  const auto put = [&](int code) {
    const int decoderNext = end + 1 + std::max(0, sinceClear - 1);
    int bits = minCodeSize + 1;
    while (bits < kMaxCodeBits && decoderNext >= (1 << bits)) ++bits;
    out.write(code, bits);
    ++sinceClear;
  };
  const auto restart = [&] {
    put(clear);
    table.clear();
    next = end + 1;
    sinceClear = 0;
  };

  restart();
  if (!indices.empty()) {
    int prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
      const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | indices[i];
      if (const auto found = table.find(key); found != table.end()) {
        prefix = found->second;
        continue;
      }
      put(prefix);
      table.emplace(key, next++);
      if (next == kTableSize) restart();
      prefix = indices[i];
    }
    put(prefix);
  }
  put(end);
  out.flush();
  return out.bytes;
}

void putWord(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

IndexedImage reduceColours(const QImage& source, int maxColours) {
  if (maxColours < 2 || maxColours > 256) throw std::invalid_argument("a GIF palette holds 2 to 256 colours");
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  IndexedImage result;
  result.width = image.width();
  result.height = image.height();

  std::map<QRgb, std::uint64_t> histogram;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) ++histogram[row[x] | 0xFF000000u];
  }
  std::vector<ColourCount> colours;
  for (const auto& [colour, count] : histogram) colours.push_back({colour, count});
  if (static_cast<int>(colours.size()) <= maxColours) {
    for (const ColourCount& c : colours) result.palette.push_back(c.colour);
  } else {
    result.palette = medianCut(colours, maxColours);
  }
  if (result.palette.empty()) result.palette.push_back(qRgb(0, 0, 0));

  std::map<QRgb, std::uint8_t> nearest;
  for (const ColourCount& c : colours) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < result.palette.size(); ++i)
      if (distance(c.colour, result.palette[i]) < distance(c.colour, result.palette[best])) best = i;
    nearest[c.colour] = static_cast<std::uint8_t>(best);
  }
  result.indices.reserve(static_cast<std::size_t>(image.width()) * image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) result.indices.push_back(nearest[row[x] | 0xFF000000u]);
  }
  return result;
}

std::vector<std::uint8_t> encodeGif(const IndexedImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > 0xFFFF || image.height > 0xFFFF)
    throw std::invalid_argument("a GIF image is 1 to 65535 pixels a side");
  if (image.palette.empty() || image.palette.size() > 256)
    throw std::invalid_argument("a GIF palette holds 1 to 256 colours");
  if (image.indices.size() != static_cast<std::size_t>(image.width) * image.height)
    throw std::invalid_argument("one palette index a pixel");
  for (std::uint8_t index : image.indices)
    if (index >= image.palette.size()) throw std::invalid_argument("an index outside the palette");

  // The colour table holds a power of two entries, at least 2; the LZW
  // codes start one bit wider than an index, at least 3 bits.
  int tableBits = 1;
  while ((1u << tableBits) < image.palette.size()) ++tableBits;
  const int minCodeSize = std::max(2, tableBits);

  std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
  putWord(out, image.width);
  putWord(out, image.height);
  out.push_back(static_cast<std::uint8_t>(0x80 | (tableBits - 1) << 4 | (tableBits - 1)));
  out.push_back(0);  // background colour index
  out.push_back(0);  // no pixel aspect ratio
  for (int i = 0; i < (1 << tableBits); ++i) {
    const QRgb c = i < static_cast<int>(image.palette.size()) ? image.palette[static_cast<std::size_t>(i)] : 0;
    out.push_back(static_cast<std::uint8_t>(qRed(c)));
    out.push_back(static_cast<std::uint8_t>(qGreen(c)));
    out.push_back(static_cast<std::uint8_t>(qBlue(c)));
  }

  out.push_back(0x2C);  // image descriptor: the whole screen, no local table
  putWord(out, 0);
  putWord(out, 0);
  putWord(out, image.width);
  putWord(out, image.height);
  out.push_back(0);

  out.push_back(static_cast<std::uint8_t>(minCodeSize));
  const std::vector<std::uint8_t> data = compress(image.indices, minCodeSize);
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  out.push_back(0);     // the end of the data blocks
  out.push_back(0x3B);  // trailer
  return out;
}

}  // namespace sample_data
