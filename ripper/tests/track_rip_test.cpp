// Ripping a track of a disc image into an MP3 file: the blocks and their
// progress, the file that decodes to the track, an empty track, cancel, the
// reads tried again, and the failures that are shown and leave no file
// behind.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>

#include "cd_access.h"
#include "cd_drives.h"
#include "dialogs/scripted_dialogs.h"
#include "disc_image.h"
#include "file_io.h"
#include "form.h"
#include "frm_progress.h"
#include "mp3_encoder.h"
#include "mp3_reading.h"
#include "passed_on_drives.h"
#include "runtime_rules.h"
#include "store_error.h"
#include "temp_folder.h"
#include "track_rip.h"
#include "window_input.h"

namespace ripper_test {
namespace {

using namespace ripper;

const QString kReadErrorText =
    "An error was returned by the ASPI manager. Use GetAspiLibAspiError to retrieve the actual ASPI error.";

// The disc's drive, whose calls to read a block fail as many times as a
// test says before the block is read.
class FlakyDrive : public PassedOnDrives {
 public:
  std::int32_t ReadCDAudioLBA(TrackBuffer& buffer) override {
    const int frame = static_cast<int>(buffer.firstFrame);
    reads.push_back(frame);
    failedLast = failuresAt[frame] > 0;
    if (failedLast) {
      --failuresAt[frame];
      return 0;
    }
    return PassedOnDrives::ReadCDAudioLBA(buffer);
  }
  QString AKRipErrText() override { return failedLast ? kReadErrorText : PassedOnDrives::AKRipErrText(); }

  // The failed calls before the block of this first frame is read.
  std::map<int, int> failuresAt;
  // The first frame of every read asked for, in order.
  std::vector<int> reads;

 private:
  bool failedLast = false;
};

// What the progress window showed each time the rip let events run.
struct ProgressSeen {
  QString caption;
  double barWidth;
  double fullWidth;
  QString status;
};

class TrackRip : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenCD(driveIndexOf("disc.cue")));
    runtime::setPendingEventsHandler([this] {
      frmProgress* progress = progressWindow();
      EXPECT_NE(progress, nullptr);
      if (!progress) return;
      seen.push_back({progress->Caption(), progress->picProgress2.Width(), progress->picProgress1.ScaleWidth(),
                      progress->lblStatus.Caption()});
      if (afterBlock) afterBlock(*progress);
    });
  }
  void TearDown() override {
    runtime::setPendingEventsHandler({});
    CloseCD();
    CdHandle = 0;
  }

  QString path(const std::string& name) const { return QString::fromStdString((folder / name).string()); }
  bool exists(const QString& file) const { return std::filesystem::exists(file.toStdString()); }

  RipOutcome rip(const QString& file, std::int32_t first, std::int32_t end, EncoderSettings settings,
                 controls::Form* window = nullptr) {
    firstFrame = first;
    return RipTrackToMp3(file, firstFrame, end, settings, window);
  }

  testing_support::TempFolder folder;
  DiscImage disc = writeThreeTrackImage(folder.path());
  ScopedImagesVariable images{std::vector<DiscImage>{disc}};
  platform::ScopedDialogs dialogs;
  EncoderSettings normal160 = mp3Settings(160, 0, false, false, false, false);
  std::int32_t firstFrame = 0;
  std::vector<ProgressSeen> seen;
  std::function<void(frmProgress&)> afterBlock;
};

TEST_F(TrackRip, SixtyFramesAreReadAsTwentySixTwentySixAndEightWithTheirProgress) {
  const QString file = path("05 - Track 2.mp3");
  EXPECT_EQ(rip(file, 150, 210, normal160), RipOutcome::Finished);
  EXPECT_EQ(firstFrame, 210);
  ASSERT_EQ(seen.size(), 3u);
  const char* captions[] = {"Progress 43.33 %", "Progress 86.67 %", "Progress 100.00 %"};
  const double shares[] = {26.0 / 60, 52.0 / 60, 1.0};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(seen[i].caption, captions[i]);
    EXPECT_NEAR(seen[i].barWidth, shares[i] * seen[i].fullWidth, 0.01);
    EXPECT_EQ(seen[i].status, "Extracting track " + file);
  }
  EXPECT_TRUE(exists(file));
  EXPECT_EQ(progressWindow(), nullptr);
  EXPECT_EQ(CancelRip, 0);
}

TEST_F(TrackRip, TheFileIsTheTrackAsMp3AtTheChosenBitrateAndFlags) {
  const QString file = path("01 - Track 2.mp3");
  const int first = disc.trackStart(2), end = disc.trackStart(3);
  ASSERT_EQ(rip(file, first, end, mp3Settings(192, 0, true, true, false, true)), RipOutcome::Finished);

  const auto frames = framesOf(store::readWholeFile(file.toStdString()));
  ASSERT_TRUE(frames) << "the file holds more than MPEG frames";
  for (const FrameHeader& h : *frames) {
    ASSERT_EQ(h.bitrate, 192);
    ASSERT_TRUE(h.privateBit);
    ASSERT_TRUE(h.crc);
    ASSERT_FALSE(h.copyright);
    ASSERT_TRUE(h.original);
  }

  const auto decoded = decodeMp3(file.toStdString());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->rate, 44100);
  ASSERT_EQ(decoded->channels, 2);
  // The whole track, with LAME's delay of 576 pairs in front and less than
  // two MPEG frames of its padding behind (the stream has no tag that would
  // tell a decoder to cut them off).
  const std::size_t trackPairs = static_cast<std::size_t>(end - first) * 588;
  EXPECT_GE(decoded->pairs(), trackPairs + 576);
  EXPECT_LT(decoded->pairs(), trackPairs + 576 + 2 * 1152);
  // Left and right as on the disc: the track's two tones.
  const std::size_t from = 4000, to = trackPairs - 4000;
  EXPECT_NEAR(risingCrossingsPerSecond(*decoded, 0, from, to), DiscImage::toneOf(2), 3);
  EXPECT_NEAR(risingCrossingsPerSecond(*decoded, 1, from, to), 1.5 * DiscImage::toneOf(2), 3);
}

TEST_F(TrackRip, AnEmptyTrackWritesOnlyWhatTheEncoderFlushes) {
  const QString file = path("02 - Empty.mp3");
  EXPECT_EQ(rip(file, 150, 150, normal160), RipOutcome::Finished);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(firstFrame, 150);

  std::uint32_t samples = 0, size = 0, written = 0;
  encoder::StreamHandle stream = 0;
  ASSERT_EQ(encoder::beInitStream(&normal160, &samples, &size, &stream), 0u);
  std::vector<std::uint8_t> flushed(size);
  ASSERT_EQ(encoder::beDeinitStream(stream, flushed.data(), &written), 0u);
  encoder::beCloseStream(stream);
  flushed.resize(written);
  EXPECT_EQ(store::readWholeFile(file.toStdString()), flushed);
}

TEST_F(TrackRip, CancelAfterTheFirstBlockStopsAfterTheNextAndLeavesNoFile) {
  afterBlock = [](frmProgress& progress) {
    controls::WindowInput user(progress);
    EXPECT_TRUE(user.clickOn(progress.Command1));
    EXPECT_TRUE(user.clickOn(progress.Command1));  // twice: the rip stops once
    EXPECT_EQ(CancelRip, kCancelled);
    EXPECT_TRUE(progress.Visible());
  };
  const QString file = path("03 - Track 1.mp3");
  EXPECT_EQ(rip(file, 0, 150, normal160), RipOutcome::Cancelled);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(firstFrame, 52);
  EXPECT_FALSE(exists(file));
  EXPECT_EQ(progressWindow(), nullptr);
  // A new rip starts with the flag cleared.
  afterBlock = {};
  EXPECT_EQ(rip(file, 0, 26, normal160), RipOutcome::Finished);
  EXPECT_TRUE(exists(file));
}

TEST_F(TrackRip, AReadThatFailsThreeTimesShowsTheLibrarysTextAndLeavesNoFile) {
  // The second block lies past the disc's end.
  dialogs->expectMsgBox(kReadErrorText, platform::vbOK).withStyle(platform::vbOKOnly);
  const QString file = path("04 - Track 3.mp3");
  EXPECT_EQ(rip(file, disc.leadOut() - 26, disc.leadOut() + 34, normal160), RipOutcome::Failed);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(firstFrame, disc.leadOut());
  EXPECT_FALSE(exists(file));
  EXPECT_EQ(progressWindow(), nullptr);
  ASSERT_EQ(dialogs->shown().size(), 1u);
  EXPECT_TRUE(dialogs->shown()[0].title.isEmpty());  // the program's title
}

TEST_F(TrackRip, ABlockIsAskedForThreeTimesBeforeItIsAReadError) {
  const QString clean = path("clean.mp3");
  ASSERT_EQ(rip(clean, 0, 60, normal160), RipOutcome::Finished);
  const store::Bytes cleanBytes = store::readWholeFile(clean.toStdString());
  // Blocks of 26, 26 and 8 frames, from frames 0, 26 and 52.
  const struct {
    int block, failures;
    std::vector<int> reads;
    bool ripped;
  } cases[] = {
      {0, 1, {0, 0, 26, 52}, true},
      {0, 2, {0, 0, 0, 26, 52}, true},
      {26, 2, {0, 26, 26, 26, 52}, true},
      {0, 3, {0, 0, 0}, false},
      {52, 3, {0, 26, 52, 52, 52}, false},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "block " << c.block << ", " << c.failures << " failures");
    FlakyDrive drive;
    drive.failuresAt[c.block] = c.failures;
    if (!c.ripped) dialogs->expectMsgBox(kReadErrorText, platform::vbOK).withStyle(platform::vbOKOnly);
    const QString file = path("flaky " + std::to_string(++n) + ".mp3");
    const RipOutcome outcome = rip(file, 0, 60, normal160);
    EXPECT_EQ(drive.reads, c.reads);
    if (c.ripped) {
      EXPECT_EQ(outcome, RipOutcome::Finished);
      // Nothing of a failed call reaches the file.
      EXPECT_EQ(store::readWholeFile(file.toStdString()), cleanBytes);
    } else {
      EXPECT_EQ(outcome, RipOutcome::Failed);
      EXPECT_FALSE(exists(file));
    }
    EXPECT_TRUE(dialogs->allShown());
  }
}

TEST_F(TrackRip, ATrackWithoutAFrameOnTheDiscIsAReadErrorAndLeavesNoFile) {
  // What the table of an image cut short gives its last track: one that
  // ends (at the image's end) before it begins, and an empty one that
  // begins where the image ends.
  const struct {
    int first, end;
  } tracks[] = {{disc.leadOut() + 40, disc.leadOut()}, {disc.leadOut(), disc.leadOut()}};
  for (const auto& t : tracks) {
    SCOPED_TRACE(t.first);
    dialogs->expectMsgBox(kReadErrorText, platform::vbOK).withStyle(platform::vbOKOnly);
    const QString file = path("10 - Track 3.mp3");
    EXPECT_EQ(rip(file, t.first, t.end, normal160), RipOutcome::Failed);
    EXPECT_TRUE(dialogs->allShown());
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(firstFrame, t.first);
    EXPECT_FALSE(exists(file));
    EXPECT_EQ(progressWindow(), nullptr);
  }
}

TEST_F(TrackRip, AnEncoderRefusalIsACriticalErrorAndNothingIsWritten) {
  dialogs->expectMsgBox("Invalid format parameters", platform::vbOK)
      .withStyle(platform::vbCritical)
      .withTitle("Critical error...");
  EncoderSettings odd = normal160;
  odd.bitrate = 33;
  const QString file = path("05 - Track 1.mp3");
  EXPECT_EQ(rip(file, 0, 60, odd), RipOutcome::Failed);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(firstFrame, 0);
  EXPECT_FALSE(exists(file));
  EXPECT_EQ(progressWindow(), nullptr);
}

TEST_F(TrackRip, AFileThatCannotBeMadeIsACriticalError) {
  dialogs->expectMsgBox(QString::fromStdString(store::describeErrno(ENOENT)), platform::vbOK)
      .withStyle(platform::vbCritical)
      .withTitle("Critical error...");
  EXPECT_EQ(rip(path("gone/06 - Track 1.mp3"), 0, 60, normal160), RipOutcome::Failed);
  EXPECT_TRUE(seen.empty());
}

TEST_F(TrackRip, AFailedWriteIsACriticalErrorAndLeavesNoFile) {
  // Files of this process may not grow past 16 KB for the rip.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 16 * 1024;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  dialogs->expectMsgBox(QString::fromStdString(store::describeErrno(EFBIG)), platform::vbOK)
      .withStyle(platform::vbCritical)
      .withTitle("Critical error...");
  const QString file = path("07 - Track 2.mp3");
  const RipOutcome outcome = rip(file, 150, 350, mp3Settings(320, 0, false, false, false, false));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(outcome, RipOutcome::Failed);
  EXPECT_FALSE(exists(file));
  EXPECT_EQ(progressWindow(), nullptr);
  // The encoder stream of the failed rip was closed: all eight can be opened.
  std::vector<encoder::StreamHandle> streams(8);
  std::uint32_t samples = 0, size = 0;
  for (auto& stream : streams) EXPECT_EQ(encoder::beInitStream(&normal160, &samples, &size, &stream), 0u);
  for (auto stream : streams) encoder::beCloseStream(stream);
}

class RipperWindow : public controls::Form {
 public:
  RipperWindow() : Form("frmMain") {}
};

TEST_F(TrackRip, TheRipperWindowIsDisabledAndOwnsTheProgressWindowShownAnewForEachTrack) {
  RipperWindow window;
  window.Show();
  afterBlock = [&](frmProgress& progress) {
    EXPECT_FALSE(window.Enabled());
    EXPECT_EQ(progress.Owner(), &window);
    EXPECT_TRUE(progress.Visible());
  };
  EXPECT_EQ(rip(path("08 - a.mp3"), 0, 26, normal160, &window), RipOutcome::Finished);
  EXPECT_EQ(progressWindow(), nullptr);
  EXPECT_FALSE(window.Enabled());  // the caller enables it again
  window.setEnabled(true);
  EXPECT_EQ(rip(path("09 - b.mp3"), 26, 52, normal160, &window), RipOutcome::Finished);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].caption, "Progress 100.00 %");
  window.Unload();
}

// The disc's drive, telling what the progress window shows as each block
// is asked for.
class ProgressAtReads : public PassedOnDrives {
 public:
  std::int32_t ReadCDAudioLBA(TrackBuffer& buffer) override {
    frmProgress* progress = progressWindow();
    shown.push_back(progress ? progress->Caption() + " | " + progress->lblStatus.Caption() : QString());
    barWidths.push_back(progress ? progress->picProgress2.Width() : -1);
    return PassedOnDrives::ReadCDAudioLBA(buffer);
  }
  std::vector<QString> shown;
  std::vector<double> barWidths;
};

TEST_F(TrackRip, AnExtractKeepsOneProgressWindowFromTrackToTrackUntilItEndsOrACancel) {
  RipperWindow window;
  window.Show();
  ProgressAtReads drive;
  {
    ExtractProgress extract;
    EXPECT_EQ(rip(path("01 - a.mp3"), 0, 26, normal160, &window), RipOutcome::Finished);
    frmProgress* kept = progressWindow();
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->Visible());
    EXPECT_EQ(kept->Caption(), "Progress 100.00 %");
    // The next track begins as a window of its own would: at the start.
    EXPECT_EQ(rip(path("02 - b.mp3"), 26, 52, normal160, &window), RipOutcome::Finished);
    EXPECT_EQ(progressWindow(), kept);
    ASSERT_EQ(drive.shown.size(), 2u);
    EXPECT_EQ(drive.shown[1], "Progress | Extracting track");
    EXPECT_EQ(drive.barWidths[1], 0);
    // A cancelled track takes it down at once.
    afterBlock = [](frmProgress& progress) { EXPECT_TRUE(controls::WindowInput(progress).clickOn(progress.Command1)); };
    EXPECT_EQ(rip(path("03 - c.mp3"), 0, 150, normal160, &window), RipOutcome::Cancelled);
    EXPECT_EQ(progressWindow(), nullptr);
    afterBlock = {};
    EXPECT_EQ(rip(path("03 - c.mp3"), 52, 78, normal160, &window), RipOutcome::Finished);
    EXPECT_NE(progressWindow(), nullptr);
  }
  EXPECT_EQ(progressWindow(), nullptr);
  window.Unload();
}

}  // namespace
}  // namespace ripper_test
