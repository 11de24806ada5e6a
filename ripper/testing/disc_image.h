#pragma once
// Disc images for the tests: a .cue with the .bin of the same base name
// beside it, each track a tone of its own, and the environment variable
// that makes the CD library list them.

#include <QString>
#include "system/scoped_environment.h"
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ripper_test {

struct DiscImage {
  std::filesystem::path cue;
  std::filesystem::path bin;
  std::vector<int> trackFrames;
  std::vector<std::uint8_t> pcm;  // the whole .bin

  // The first frame of track `track` (from 1); past the last track, the lead-out.
  int trackStart(int track) const;
  int leadOut() const { return trackStart(static_cast<int>(trackFrames.size()) + 1); }
  // The frequency of the left channel of track `track`; the right one is 1.5 times it.
  static double toneOf(int track) { return 220.0 * track; }
};

// Writes `name`.cue and `name`.bin into `folder`, one track a length in
// frames; throws std::runtime_error when either cannot be written whole.
DiscImage writeDiscImage(const std::filesystem::path& folder, const std::string& name,
                         const std::vector<int>& trackFrames);

// Cuts the image's .bin after its first `frames` frames (0: an empty one),
// as a copy that stopped short is; the .cue still names every track.
// Throws std::runtime_error when the .bin cannot be written.
void cutImage(DiscImage& image, int frames);

// Three tracks of 150, 200 and 160 frames.
DiscImage writeThreeTrackImage(const std::filesystem::path& folder, const std::string& name = "disc");

// QUENDREL_CD_IMAGES names `value` while it lives; the old value comes back.
class ScopedImagesVariable {
 public:
  explicit ScopedImagesVariable(const std::string& value);
  explicit ScopedImagesVariable(const std::vector<DiscImage>& images);
  ScopedImagesVariable(const ScopedImagesVariable&) = delete;
  ScopedImagesVariable& operator=(const ScopedImagesVariable&) = delete;

 private:
  platform::ScopedEnvironmentVariable variable_;
};

// The drive names of the drive list, in order.
std::vector<QString> driveNames();
// The index of the drive called `name` in the drive list, or -1.
int driveIndexOf(const QString& name);

}  // namespace ripper_test
