// Rip benchmark: a 3-minute track ripped from a disc image into MP3 at
// 160 kbit/s with the "Normal" preset, against Debian's lame command
// encoding the same samples from a WAV file with the same bitrate, channel
// mode and quality (-q) in the same run. Prints the best of a few runs of
// each and the ratio. Needs the lame command (package lame).
#include <QApplication>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "cd_access.h"
#include "disc_image.h"
#include "encoder_settings.h"
#include "mp3_encoder.h"
#include "temp_folder.h"
#include "track_rip.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kFrames = 3 * 60 * 75;  // three minutes of CD frames
constexpr int kRuns = 3;
constexpr int kBitrate = 160;
constexpr std::int32_t kNormalPreset = 0;

// Something like music: a few tones that move, and a little noise.
std::vector<std::int16_t> music() {
  std::vector<std::int16_t> pcm;
  const long pairs = kFrames * 588L;
  pcm.reserve(static_cast<std::size_t>(pairs) * 2);
  std::mt19937 noise(7);
  std::normal_distribution<double> hiss(0, 300);
  for (long i = 0; i < pairs; ++i) {
    const double t = i / 44100.0;
    const double chord = std::sin(2 * std::numbers::pi * 220 * t) + 0.6 * std::sin(2 * std::numbers::pi * 277 * t) +
                         0.4 * std::sin(2 * std::numbers::pi * (330 + 20 * std::sin(t)) * t);
    pcm.push_back(static_cast<std::int16_t>(6000 * chord + hiss(noise)));
    pcm.push_back(static_cast<std::int16_t>(5000 * chord * std::cos(0.3 * t) + hiss(noise)));
  }
  return pcm;
}

void put32(std::ofstream& out, std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); }
void put16(std::ofstream& out, std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); }

void writeWav(const fs::path& path, const std::vector<std::int16_t>& pcm) {
  std::ofstream out(path, std::ios::binary);
  const auto bytes = static_cast<std::uint32_t>(pcm.size() * 2);
  out.write("RIFF", 4);
  put32(out, 36 + bytes);
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);
  put16(out, 2);
  put32(out, 44100);
  put32(out, 44100 * 4);
  put16(out, 4);
  put16(out, 16);
  out.write("data", 4);
  put32(out, bytes);
  out.write(reinterpret_cast<const char*>(pcm.data()), bytes);
}

void writeImage(const fs::path& folder, const std::vector<std::int16_t>& pcm) {
  std::ofstream(folder / "bench.bin", std::ios::binary)
      .write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(pcm.size() * 2));
  std::ofstream(folder / "bench.cue") << "FILE \"bench.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";
}

template <class F>
double seconds(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool runLame(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, "lame", nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What flushing alone costs the rip on this disk: a block's worth of MP3
// written and flushed with fdatasync, once for every block of the track.
double flushingSeconds(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd == -1) return 0;
  const std::vector<char> block(kBitrate * 1000 / 8 * 26 / 75);
  const double took = seconds([&] {
    for (int b = 0; b < (kFrames + 25) / 26; ++b) {
      if (::write(fd, block.data(), block.size()) < 0) break;
      ::fdatasync(fd);
    }
  });
  ::close(fd);
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  const testing_support::TempFolder scratch;
  const fs::path& folder = scratch.path();
  const std::vector<std::int16_t> pcm = music();
  writeImage(folder, pcm);
  writeWav(folder / "bench.wav", pcm);
  const ripper_test::ScopedImagesVariable images((folder / "bench.cue").string());

  const int drive = ripper_test::driveIndexOf("bench.cue");
  if (drive < 0 || !ripper::OpenCD(drive)) {
    std::fprintf(stderr, "the disc image could not be opened\n");
    return 1;
  }
  const int quality = ripper::encoder::tuningOfPreset(kNormalPreset)->quality;
  const std::vector<std::string> lame = {"lame", "--silent", "-t", "-m", "j", "-b", std::to_string(kBitrate),
                                         "-q", std::to_string(quality), (folder / "bench.wav").string(),
                                         (folder / "lame.mp3").string()};

  double bestRip = 1e9, bestLame = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    bool ripped = false, encoded = false;
    bestRip = std::min(bestRip, seconds([&] {
      std::int32_t first = ripper::tocFrame(0), end = ripper::tocFrame(1);
      ripper::EncoderSettings settings = ripper::mp3Settings(kBitrate, kNormalPreset, false, false, false, false);
      ripped = ripper::RipTrackToMp3(QString::fromStdString((folder / "rip.mp3").string()), first, end, settings) ==
               ripper::RipOutcome::Finished;
    }));
    bestLame = std::min(bestLame, seconds([&] { encoded = runLame(lame); }));
    if (!ripped || !encoded) {
      std::fprintf(stderr, ripped ? "the lame command failed (is package lame installed?)\n" : "the rip failed\n");
      return 1;
    }
  }
  ripper::CloseCD();
  std::printf("3-minute track at %d kbit/s, lame -q %d, best of %d runs\n", kBitrate, quality, kRuns);
  std::printf("  rip from disc image:  %.3f s  (%lld bytes)\n", bestRip,
              static_cast<long long>(fs::file_size(folder / "rip.mp3")));
  std::printf("  lame command on WAV:  %.3f s  (%lld bytes)\n", bestLame,
              static_cast<long long>(fs::file_size(folder / "lame.mp3")));
  std::printf("  ratio rip / lame:     %.2f  (goal: at most 1.10)\n", bestRip / bestLame);
  std::printf("  of the rip, flushing every block to the disk alone takes about %.3f s\n",
              flushingSeconds(folder / "flush.bin"));
  return 0;
}
