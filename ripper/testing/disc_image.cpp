#include "disc_image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <span>
#include <sstream>
#include <stdexcept>

#include "cd_access.h"
#include "cd_library.h"
#include "file_io.h"
#include "store_error.h"
#include "text_helpers.h"

namespace ripper_test {

namespace {

void putSample(std::vector<std::uint8_t>& out, double value) {
  const auto s = static_cast<std::int16_t>(std::lround(value));
  out.push_back(static_cast<std::uint8_t>(s & 0xFF));
  out.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
}

std::string msf(int frame) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", frame / 75 / 60, frame / 75 % 60, frame % 75);
  return text;
}

// A test on an image that was not written whole would test something else.
void writeImageFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  try {
    store::writeScratchFile(path, bytes);
  } catch (const store::StoreError& error) {
    throw std::runtime_error("the disc image's " + path.string() + " could not be written: " + error.what());
  }
}

void writeImageFile(const std::filesystem::path& path, const std::string& text) {
  writeImageFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace

int DiscImage::trackStart(int track) const {
  int start = 0;
  for (int t = 1; t < track && t <= static_cast<int>(trackFrames.size()); ++t) start += trackFrames[t - 1];
  return start;
}

DiscImage writeDiscImage(const std::filesystem::path& folder, const std::string& name,
                         const std::vector<int>& trackFrames) {
  DiscImage image;
  image.cue = folder / (name + ".cue");
  image.bin = folder / (name + ".bin");
  image.trackFrames = trackFrames;
  for (std::size_t t = 0; t < trackFrames.size(); ++t) {
    const double left = DiscImage::toneOf(static_cast<int>(t) + 1), right = 1.5 * left;
    const long pairs = trackFrames[t] * 588L;
    for (long i = 0; i < pairs; ++i) {
      putSample(image.pcm, 12000 * std::sin(2 * std::numbers::pi * left * i / 44100.0));
      putSample(image.pcm, 8000 * std::sin(2 * std::numbers::pi * right * i / 44100.0));
    }
  }
  writeImageFile(image.bin, image.pcm);
  std::ostringstream cue;
  cue << "FILE \"" << image.bin.filename().string() << "\" BINARY\n";
  for (std::size_t t = 0; t < trackFrames.size(); ++t) {
    char number[24];
    std::snprintf(number, sizeof number, "%02zu", t + 1);
    cue << "  TRACK " << number << " AUDIO\n    INDEX 01 " << msf(image.trackStart(static_cast<int>(t) + 1))
        << "\n";
  }
  writeImageFile(image.cue, cue.str());
  return image;
}

void cutImage(DiscImage& image, int frames) {
  image.pcm.resize(std::min(image.pcm.size(), static_cast<std::size_t>(frames) * ripper::kFrameBytes));
  writeImageFile(image.bin, image.pcm);
}

DiscImage writeThreeTrackImage(const std::filesystem::path& folder, const std::string& name) {
  return writeDiscImage(folder, name, {150, 200, 160});
}

ScopedImagesVariable::ScopedImagesVariable(const std::string& value)
    : variable_(ripper::cdlib::kImagesVariable, value) {}

namespace {
std::string joined(const std::vector<DiscImage>& images) {
  std::string value;
  for (const DiscImage& image : images) value += (value.empty() ? "" : ":") + image.cue.string();
  return value;
}
}  // namespace

ScopedImagesVariable::ScopedImagesVariable(const std::vector<DiscImage>& images)
    : ScopedImagesVariable(joined(images)) {}

std::vector<QString> driveNames() {
  std::vector<QString> names;
  const int drives = ripper::cdlib::GetNumAdapters();
  for (int k = 0; k < drives; ++k) {
    ripper::CdRecord record;
    ripper::GetCDRecord(record, k);
    names.push_back(ripper::BytesToStr(record.id));
  }
  return names;
}

int driveIndexOf(const QString& name) {
  const std::vector<QString> names = driveNames();
  for (std::size_t k = 0; k < names.size(); ++k)
    if (names[k] == name) return static_cast<int>(k);
  return -1;
}

}  // namespace ripper_test
